#pragma once
// The application: its hidden top-level window, which carries the application title and
// owns the service window, and the request to terminate that ends the message loop.
#include <atomic>
#include <string>

#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv {

class Application {
 public:
  // Creates the hidden window titled `title`; false when it cannot be made.
  bool Create(const std::string& title);
  HWND Window() const { return window_.Get(); }

  // Tells the application to terminate: the window thread's message loop ends.
  // Callable from either thread.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // The message loop saw the quit message.
  void QuitReceived() { terminated_ = true; }
  // Posts WM_QUIT (both parameters 0) to the application window.
  void PostQuit();

 private:
  UniqueWindow window_;
  DWORD windowThread_ = 0;
  std::atomic<bool> terminated_{false};
};

}  // namespace korv
