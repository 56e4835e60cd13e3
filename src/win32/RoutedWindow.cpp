#include "win32/RoutedWindow.h"

namespace korv::win32 {

bool RegisterWindowClass(const WindowClass& cls) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, cls.name, &existing)) return true;
  WNDCLASSA registered{};
  registered.lpfnWndProc = cls.procedure ? cls.procedure : RoutedWindow::Procedure;
  registered.hInstance = instance;
  registered.hIcon = cls.icon;
  registered.hCursor = cls.cursor;
  registered.hbrBackground = cls.background;
  registered.lpszClassName = cls.name;
  return RegisterClassA(&registered) != 0;
}

RoutedWindow::~RoutedWindow() {
  if (window_) SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
}

bool RoutedWindow::CreateRoutedWindow(DWORD exStyle, const char* className, const char* title,
                                      DWORD style, int left, int top, int width, int height,
                                      HWND owner) {
  window_.Reset(CreateWindowExA(exStyle, className, title, style, left, top, width, height, owner,
                                nullptr, GetModuleHandleA(nullptr), this));
  return window_.Valid();
}

LRESULT CALLBACK RoutedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<RoutedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  // While CreateWindowExA runs the object does not know its window yet.
  if (!self || self->window_.Get() != window)
    return DefWindowProcA(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

}  // namespace korv::win32
