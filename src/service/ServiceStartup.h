#pragma once
// The one-time start-up, run by the service window's first activation on the window
// thread: directories, profile file, single instance, spool directory, then the print thread.
#include <functional>

#include "service/AppShell.h"
#include "service/PrinterChoice.h"
#include "service/ServiceState.h"
#include "service/ServiceView.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"

namespace korv {

inline constexpr const char* kServiceTitle = "Printer (Korvelane)";

class ServiceStartup {
 public:
  // `startPrintThread` starts the print loop and returns false when no thread could be made.
  ServiceStartup(ServiceState& state, FileSystem& files, Profile& profile, AppShell& shell,
                 ServiceView& view, PrinterChoice& choice, std::function<bool()> startPrintThread)
      : state_(state),
        files_(files),
        profile_(profile),
        shell_(shell),
        view_(view),
        choice_(choice),
        startPrintThread_(std::move(startPrintThread)) {}

  // The activation handler: runs the start-up on the first call only.
  void Korvprint();

 private:
  ServiceState& state_;
  FileSystem& files_;
  Profile& profile_;
  AppShell& shell_;
  ServiceView& view_;
  PrinterChoice& choice_;
  std::function<bool()> startPrintThread_;
};

}  // namespace korv
