#pragma once
// Move-only owners of the window system's handles the service window creates.
#include <windows.h>

#include <utility>

namespace korv::win32 {

template <typename Handle, typename Closer>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_) Closer{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct WindowCloser {
  void operator()(HWND window) const { DestroyWindow(window); }
};
struct FontCloser {
  void operator()(HFONT font) const { DeleteObject(font); }
};
struct MenuCloser {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A device context from CreateDCA (not one borrowed with GetDC).
struct CreatedDcCloser {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

using OwnedWindow = UniqueHandle<HWND, WindowCloser>;
using OwnedFont = UniqueHandle<HFONT, FontCloser>;
using OwnedMenu = UniqueHandle<HMENU, MenuCloser>;
using CreatedDc = UniqueHandle<HDC, CreatedDcCloser>;

// A device context borrowed from a window with GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
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

// Selects a GDI object into a device context and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace korv::win32
