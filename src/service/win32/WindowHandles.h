#pragma once
// Owners of window-system handles: windows, GDI objects, menus, device contexts, and an
// object selected into one.
#include <utility>

#include "printing/win32/GdiHandles.h"
#include "settings/win32/UniqueHandle.h"
#include "settings/win32/Win32Api.h"

namespace korv {

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DestroyWindow(handle); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DestroyMenu(handle); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGdiObject = UniqueHandle<win32::GdiObjectTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueCreatedDc = UniqueHandle<win32::CreatedDcTraits>;

// GetDC for a window, released on destruction.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back on destruction.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (!win32::SelectionFailed(previous_)) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace korv
