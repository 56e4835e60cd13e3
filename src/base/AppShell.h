#pragma once
// The application around the service window: other instances' windows, the beep, the
// fatal message box, and ending the window thread's message loop.
#include <string>

namespace korv {

class AppShell {
 public:
  virtual ~AppShell() = default;
  // A top-level window with exactly this title exists, hidden ones included.
  virtual bool TopLevelWindowExists(const std::string& title) = 0;
  virtual void MessageBeep(unsigned type) = 0;
  // A modal error box: OK only, stop icon. Returns when the user has closed it.
  virtual void ErrorBox(const std::string& text, const std::string& caption) = 0;
  // Tells the application to terminate: its message loop ends and waits report it.
  virtual void Terminate() = 0;
  // Posts the quit message to the window thread; callable from the print thread.
  virtual void PostQuit() = 0;
};

// MessageBeep's value for the error sound (MB_ICONHAND).
inline constexpr unsigned kBeepError = 16;

}  // namespace korv
