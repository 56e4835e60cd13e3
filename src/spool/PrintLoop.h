#pragma once
// The print thread: lists the spool directory, takes one file per pass, obeys control
// files, prints jobs and keeps the window's status up to date. While files remain the next
// pass follows at once; otherwise it waits for the directory to change (PrintLoopWait.cpp).
// PrintLoopFiles.cpp takes, sets aside and removes the spool files.
#include <cstdint>
#include <memory>
#include <optional>
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
#include "spool/JobOutcome.h"
#include "spool/PassPacer.h"
#include "spool/PrinterChoice.h"
#include "spool/PrinterFontSetup.h"
#include "spool/SpoolFileTracker.h"
#include "spool/SpoolProtocol.h"
#include "spool/SpoolWatch.h"
#include "spool/UnremovedFiles.h"

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
  PrintLoop(ServiceState& state, PrintLoopPorts ports) : state_(state), ports_(ports) {}

  // The thread's whole life: thread start, passes until a stop, then the quit message.
  void Run();

  // The steps of Run, for driving the loop one pass at a time.
  void ThreadStart();
  // The job log; none until one is given.
  void SetJobLog(JobLog& log) { log_ = &log; }
  // The spool directory's change notification; without one the loop polls at the fixed
  // cadence of ten listings a second.
  void SetSpoolWatch(SpoolWatch& watch) { watch_ = &watch; }
  // What a pass did, which sets when the next one follows.
  enum class Pass {
    Idle,   // took no file: the next waits for a change, the safety poll or a retry time
    Took,   // handled a file: more may follow, so the next comes at once
    Leave,  // the loop ends
  };
  // One pass: a listing, and the file it selects handled at once.
  Pass Poll();
  // Waits until the next pass is due after one that did `last`.
  void WaitForNextPass(Pass last);

 private:
  struct Selected {
    std::string name;
    std::int32_t size = 0;
    std::int32_t time = 0;
    SpoolFileTracker::Listing listing;
  };

  // What the listing showed of a file: its full size and last-write time.
  static SpoolFileTracker::Listing ListingOf(const SearchRecord& entry);
  std::optional<Selected> SelectFile();
  // Passed over at this poll: refused, not openable for a while, or handled and not
  // removed (whose removal is retried meanwhile).
  bool PassOverRetryingUnremoved(const SearchRecord& entry);
  Pass Handle(const Selected& file);
  // Opens the selected file to take it; null when it will not open, which is noted, and a
  // file that would not open for minutes is set aside.
  std::unique_ptr<JobFile> TakeSelected(const Selected& file, FileIdentity& identity);
  void NoteUntakeable(const Selected& file, const SpoolFileOpen& opened);
  Pass ObeyControlFile(SpoolCommand command, const Selected& file, const FileIdentity& identity);
  Pass HandleJob(const Selected& file, std::unique_ptr<JobFile> job, const FileIdentity& identity);
  // Prints the job; none when it failed, and then it stays, closed, for a later try.
  std::optional<JobOutcome> PrintJob(const Selected& file, std::unique_ptr<JobFile>& job);
  void RemoveHandled(const Selected& file, const FileIdentity& identity);
  void ShowPollState();
  void DispatchMessages();
  void NoteError(const std::string& message);
  // Runs a step whose failure is noted and shown, and the service goes on.
  template <typename Step>
  void Guarded(Step step);

  ServiceState& state_;
  PrintLoopPorts ports_;
  NoJobLog noLog_;
  JobLog* log_ = &noLog_;
  FailedJobs failed_;
  UnremovedFiles unremoved_;
  SpoolFileTracker tracker_;
  NoSpoolWatch noWatch_;
  SpoolWatch* watch_ = &noWatch_;
  bool watching_ = false;
  unsigned failedWaits_ = 0;  // in a row
  PassPacer pacer_;
  bool selectPrinter_ = false;  // "Select &Printer" enabled, from UseDefault
  std::string lastError_;       // shown in the status line until something next succeeds
  std::string pollError_;       // this poll's trouble with the spool directory
};

}  // namespace korv
