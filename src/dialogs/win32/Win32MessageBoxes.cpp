#include "dialogs/win32/Win32MessageBoxes.h"

namespace korv::win32 {

static_assert(mb::kOk == MB_OK && mb::kOkCancel == MB_OKCANCEL);
static_assert(mb::kIconStop == MB_ICONHAND && mb::kIconStop == MB_ICONERROR);
static_assert(mb::kIconQuestion == MB_ICONQUESTION);
static_assert(mb::kIdOk == IDOK && mb::kIdCancel == IDCANCEL);

int Win32MessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style) {
  const int pressed = MessageBoxA(owner_, text.c_str(), caption.c_str(), style);
  // No box at all (out of memory) counts as Cancel: nothing was confirmed.
  return pressed == 0 ? mb::kIdCancel : pressed;
}

void Win32MessageBoxes::Beep(unsigned type) {
  MessageBeep(type);
}

}  // namespace korv::win32
