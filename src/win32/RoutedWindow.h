#pragma once
// The base of the program's own windows: the window procedure of their classes finds the
// object that made the window and hands it the window's messages, and the object owns
// its window. The object's pointer travels in CreateWindowExA's last argument and stays
// in GWLP_USERDATA while the window lives.
#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv::win32 {

// What a window class of the program sets; the rest of WNDCLASSA stays empty.
struct WindowClass {
  const char* name = nullptr;
  WNDPROC procedure = nullptr;  // null: RoutedWindow's
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

// Registers the class once per process; true when it is registered, by this call or an
// earlier one.
bool RegisterWindowClass(const WindowClass& cls);

class RoutedWindow {
 public:
  RoutedWindow(const RoutedWindow&) = delete;
  RoutedWindow& operator=(const RoutedWindow&) = delete;

  HWND Window() const { return window_.Get(); }

 protected:
  RoutedWindow() = default;
  // Destroys a window still there; its last messages get the default handling, since
  // the derived object is gone by then.
  virtual ~RoutedWindow();

  // Creates the window of a class registered with RoutedWindow's procedure. Its messages
  // reach OnMessage once CreateWindowExA has returned; false when it could not be made.
  bool CreateRoutedWindow(DWORD exStyle, const char* className, const char* title, DWORD style,
                          int left, int top, int width, int height, HWND owner);
  // Destroys the window now, its messages still reaching OnMessage.
  void DestroyRoutedWindow() { window_.Reset(); }

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_.Get(), message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  friend bool RegisterWindowClass(const WindowClass& cls);

  UniqueWindow window_;
};

}  // namespace korv::win32
