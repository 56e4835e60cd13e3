#pragma once
// The print thread: lists the spool directory, takes one file per pass, obeys control
// files, prints jobs and keeps the window's status up to date. While files remain the next
// pass follows at once; otherwise it waits for the directory to change (PrintLoopWait.cpp).
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "base/AppShell.h"
#include "base/ServiceState.h"
#include "base/ServiceView.h"
#include "base/Waiter.h"
#include "dialogs/TrayIconSetup.h"
#include "joblog/JobLog.h"
#include "settings/DirectorySearch.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"
#include "spool/FailedJobs.h"
#include "spool/HostWindowActivation.h"
#include "spool/JobBranches.h"
#include "spool/KeptModes.h"
#include "spool/PassPacer.h"
#include "spool/PrinterChoice.h"
#include "spool/PrinterFontSetup.h"
#include "spool/SpoolFileTracker.h"
#include "spool/SpoolWatch.h"

namespace korv {

// Everything the loop works through; all outlive it.
struct PrintLoopPorts {
  FileSystem& files;
  Profile& profile;
  Waiter& waiter;
  ServiceView& view;
  AppShell& shell;
  TrayIconSetup& tray;
  HostWindowActivation& host;
  PrinterFontSetup& font;
  PrinterChoice& choice;
  TextJobBranch& textJobs;
  RawJobBranch& rawJobs;
};

class PrintLoop {
 public:
  PrintLoop(ServiceState& state, PrintLoopPorts ports)
      : state_(state), p_(ports), keptModes_(ports.files) {}

  // The thread's whole life: thread start, passes until a stop, then the quit message.
  void Run();

  // The steps of Run, for driving the loop one poll at a time.
  void ThreadStart();
  // The job log; none until one is given.
  void SetJobLog(JobLog& log) { log_ = &log; }
  // The spool directory's change notification; without one the loop polls at the fixed
  // cadence of ten listings a second.
  void SetSpoolWatch(SpoolWatch& watch) { watch_ = &watch; }
  enum class PollEnd { Continue, Leave };
  // One pass: a listing, and the file it selects handled at once.
  PollEnd Poll();
  // Waits until the next pass is due: at once after a pass that took a file.
  void WaitForNextPass();

 private:
  struct Selected {
    std::string name;
    std::int32_t size = 0;
    std::int32_t time = 0;
    SpoolFileTracker::Listing listing;
  };
  // A handled file that could not be removed: the same file is never handled again.
  struct Kept {
    FileIdentity identity;
    SpoolFileTracker::Listing listing;
    std::uint64_t retryAtMs = 0;  // its removal is tried again from then on
  };
  static constexpr std::uint64_t kKeptRetryMs = 5000;
  // A handled file that could not be removed is not handled again while it is the same
  // file, unchanged; its removal is tried again instead.
  bool PrintedButNotDeleted(const SearchRecord& entry);
  // Passed over at this poll: refused, not openable for a while, or handled and kept.
  bool PassedOver(const SearchRecord& entry);
  // Opens the selected file; null when it is not to be taken now (and says why).
  std::unique_ptr<SpoolFile> OpenSelected(const Selected& file, FileIdentity& identity);
  // Removes the handled file through `opened`, still open.
  void Removed(const Selected& file, SpoolFile& opened, const FileIdentity& identity);

  bool SelectFile(Selected& out);
  PollEnd HandleSelected(const Selected& file);
  PollEnd HandleJob(const Selected& file, std::unique_ptr<SpoolFile> job,
                    const FileIdentity& identity);
  void FinishPoll();
  void DispatchMessages();
  void NoteError(const std::string& message);
  template <typename Step>
  void Attempt(Step step);

  ServiceState& state_;
  PrintLoopPorts p_;
  NoJobLog noLog_;
  JobLog* log_ = &noLog_;
  FailedJobs failed_;
  KeptModes keptModes_;  // each failed job's mode, across restarts
  std::map<std::string, Kept> printedKept_;
  SpoolFileTracker tracker_;
  NoSpoolWatch noWatch_;
  SpoolWatch* watch_ = &noWatch_;
  bool watching_ = false;
  unsigned failedWaits_ = 0;  // in a row
  PassPacer pacer_;
  bool took_ = false;           // the last pass handled a file
  bool selectPrinter_ = false;  // "Select &Printer" enabled, from UseDefault
  std::string lastError_;       // shown in the status line until something next succeeds
  std::string pollError_;       // this poll's trouble with the spool directory
};

}  // namespace korv
