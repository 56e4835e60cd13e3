#pragma once
// The desktop as host-window activation sees it: the top-level windows with their titles,
// and the calls that raise, show and foreground one of them or put the service away.
#include <functional>
#include <string>

#include "dialogs/WindowId.h"

namespace korv {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Visits the top-level windows in the platform's order (topmost first) until `visit`
  // returns false (EnumWindows).
  virtual void EnumerateTopLevelWindows(const std::function<bool(WindowId)>& visit) = 0;
  // The title as read into a buffer of `bufferSize` characters, so at most
  // bufferSize - 1 of them (GetWindowTextA).
  virtual std::string WindowTitle(WindowId window, int bufferSize) = 0;
  virtual bool SetWindowTitle(WindowId window, const std::string& title) = 0;  // SetWindowTextA
  virtual bool BringToTop(WindowId window) = 0;                                // BringWindowToTop
  virtual void Show(WindowId window, int showCommand) = 0;                     // ShowWindow
  virtual bool SetForeground(WindowId window) = 0;  // SetForegroundWindow
  virtual void MinimizeApplication() = 0;
  virtual void HideServiceWindow() = 0;
};

}  // namespace korv
