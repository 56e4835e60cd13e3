#pragma once
// The one-time start-up, run by the service window's first activation on the window
// thread: directories, profile file, single instance, spool directory, then the print thread.
#include <functional>

#include "app/WorkerThread.h"
#include "base/AppShell.h"
#include "base/ServiceState.h"
#include "base/ServiceView.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"
#include "spool/PrinterChoice.h"

namespace korv {

inline constexpr const char* kServiceTitle = "Printer (Korvelane)";

class ServiceStartup {
 public:
  // `printLoop` is what the print thread runs.
  ServiceStartup(ServiceState& state, FileSystem& files, Profile& profile, AppShell& shell,
                 ServiceView& view, PrinterChoice& choice, WorkerThread& printThread,
                 std::function<void()> printLoop)
      : state_(state),
        files_(files),
        profile_(profile),
        shell_(shell),
        view_(view),
        choice_(choice),
        printThread_(printThread),
        printLoop_(std::move(printLoop)) {}

  // The activation handler: runs the start-up on the first call only.
  void RunStartup();

 private:
  ServiceState& state_;
  FileSystem& files_;
  Profile& profile_;
  AppShell& shell_;
  ServiceView& view_;
  PrinterChoice& choice_;
  WorkerThread& printThread_;
  std::function<void()> printLoop_;
};

}  // namespace korv
