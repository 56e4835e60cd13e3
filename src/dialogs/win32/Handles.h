#pragma once
// Owners of the window-system handles the dialogs and the icon create: windows, fonts
// and menus on the shared UniqueHandle, and a window's device context (ReleaseDC).
#include <windows.h>

#include <utility>

#include "printing/win32/GdiHandles.h"
#include "settings/win32/UniqueHandle.h"

namespace korv::win32 {

// Destroyed on the thread that made it.
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle window) noexcept { DestroyWindow(window); }
};

struct FontTraits {
  using Handle = HFONT;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle font) noexcept { DeleteObject(font); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle menu) noexcept { DestroyMenu(menu); }
};

using OwnedWindow = UniqueHandle<WindowTraits>;
using OwnedFont = UniqueHandle<FontTraits>;
using OwnedMenu = UniqueHandle<MenuTraits>;

// A window's device context from GetDC (the screen's for a null window).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects `object` into `dc`; what the context held before goes back when the result
// is destroyed.
inline SelectionRestore Select(HDC dc, HGDIOBJ object) {
  if (!dc || !object) return {};
  HGDIOBJ previous = SelectObject(dc, object);
  if (!previous || previous == HGDI_ERROR) return {};
  return SelectionRestore(dc, previous);
}

}  // namespace korv::win32
