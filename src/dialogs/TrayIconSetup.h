#pragma once
// The notification-area icon's behaviour, as the print loop sets it when it starts.
namespace korv {

struct TraySettings {
  bool active = true;          // the icon is shown
  bool closeToTray = true;     // a close command hides the window instead
  bool hideOnRestore = false;  // the icon disappears when the window is restored
  bool minimizeToTray = true;  // a minimise command hides the window instead
};

class TrayIconSetup {
 public:
  virtual ~TrayIconSetup() = default;
  virtual void ApplyPrintLoopSettings(const TraySettings& settings) = 0;
};

}  // namespace korv
