#include "win32/ProgramWindowLook.h"

#include <commctrl.h>

#include "win32/ProgramIcon.h"
#include "win32/RoutedWindow.h"

namespace korv::win32 {

bool PrepareProgramWindow(DWORD controlClasses, const char* className, UniqueGdiObject& font) {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), controlClasses};
  if (!InitCommonControlsEx(&controls)) return false;
  WindowClass cls;
  cls.name = className;
  cls.icon = ProgramIcon(IconSize::Large);
  cls.cursor = LoadCursor(nullptr, IDC_ARROW);
  cls.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  if (!RegisterWindowClass(cls)) return false;
  font.Reset(CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
  return static_cast<bool>(font);
}

bool OuterSize(int width, int height, DWORD style, DWORD exStyle, SIZE& out) {
  RECT frame{0, 0, width, height};
  if (!AdjustWindowRectEx(&frame, style, FALSE, exStyle)) return false;
  out = SIZE{frame.right - frame.left, frame.bottom - frame.top};
  return true;
}

}  // namespace korv::win32
