#pragma once
// Stand-ins, in the program only, for the parts of the service that are not wired yet:
// the host window and the notification-area icon.
#include "service/HostWindowActivation.h"
#include "service/TrayIconSetup.h"

namespace korv {

// As if no host window were found.
class PlaceholderHostWindow : public HostWindowActivation {
 public:
  void FindHostWindow() override {}
  void ActivateHostWindow(bool) override {}
};

class PlaceholderTrayIcon : public TrayIconSetup {
 public:
  void ApplyPrintLoopSettings(const TraySettings&) override {}
};

}  // namespace korv
