#pragma once
// Stand-ins, in the program only, for the parts of the service that are not built yet:
// printing, the host window, the notification-area icon and the printer font. Jobs fail with
// "Printing is not available yet", so every job of eight bytes or more stays in the spool
// directory.
#include "service/HostWindowActivation.h"
#include "service/JobBranches.h"
#include "service/PrinterFontSetup.h"
#include "service/TrayIconSetup.h"

namespace korv {

class PlaceholderJobBranches : public TextJobBranch, public RawJobBranch {
 public:
  JobOutcome PrintTextJob(JobFile& job) override;
  JobOutcome PrintRawJob(JobFile& job) override;
};

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

class PlaceholderPrinterFont : public PrinterFontSetup {
 public:
  void CreatePrinterFont(const PrinterFontRequest&) override {}
};

}  // namespace korv
