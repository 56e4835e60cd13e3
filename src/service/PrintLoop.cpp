#include "service/PrintLoop.h"

#include <exception>
#include <memory>
#include <set>

#include "service/PumpMessages.h"
#include "service/ServiceConstants.h"
#include "service/SpoolProtocol.h"
#include "settings/DirectorySearch.h"

namespace korv {

namespace {

constexpr const char* kNotPrinting = "Status - not printing";
constexpr const char* kPrinting = "Status - printing";
constexpr const char* kErrorPrefix = "Status - error: ";
constexpr const char* kUnexpected = "unexpected failure";

}  // namespace

template <typename Step>
void PrintLoop::Attempt(Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    NoteError(e.what());
  } catch (...) {
    NoteError(kUnexpected);
  }
}

void PrintLoop::NoteError(const std::string& message) {
  lastError_ = message;
  log_->Error(message);
}

void PrintLoop::Run() {
  ThreadStart();
  watching_ = watch_->Arm(state_.spoolDirectory);
  while (!state_.flags.StopRequested) {
    try {
      if (Poll() == PollEnd::Leave) break;
    } catch (const std::exception& e) {
      // A port failed outside a job; keep serving, at the usual pace.
      NoteError(e.what());
      took_ = false;
    }
    WaitForNextPass();
  }
  log_->Stopped();
  p_.shell.PostQuit();
}

void PrintLoop::ThreadStart() {
  // A failing step is shown in the status line; the service still polls.
  Attempt([&] { p_.tray.ApplyPrintLoopSettings(TraySettings{}); });
  Attempt([&] { p_.host.FindHostWindow(); });
  Attempt([&] { p_.host.ActivateHostWindow(true); });
  Attempt([&] { p_.host.ActivateHostWindow(true); });
  const std::string fontName = p_.profile.ProfileRead(kFontKey, kDefaultFont);
  state_.FontName.Set(fontName);
  Attempt([&] { p_.font.CreatePrinterFont(PrinterFontRequest{fontName}); });
  p_.view.SetFontLabel("Font: " + fontName);
  state_.flags.RawMode = false;
  log_->Started(false);
}

PrintLoop::PollEnd PrintLoop::Poll() {
  pollError_.clear();
  Selected file;
  bool selected = false;
  // Only the spool directory is ever listed: when it cannot be entered, nothing is taken.
  if (p_.files.SetCurrentDirectory(state_.spoolDirectory)) {
    pacer_.Listed(p_.waiter.NowMs());
    selected = SelectFile(file);
  } else {
    pollError_ = "Cannot change to directory " + state_.spoolDirectory;
    log_->Error(pollError_);
  }

  took_ = selected;
  if (selected && HandleSelected(file) == PollEnd::Leave) return PollEnd::Leave;
  FinishPoll();
  return PollEnd::Continue;
}

bool PrintLoop::SelectFile(Selected& out) {
  SearchRecord rec;
  std::set<std::string> waiting;
  bool selected = false;
  bool found = SearchFirst(p_.files, "*.*", kAttrArchive, rec) == 0;
  while (found) {
    if (IsTakeable(rec.EntryName, rec.EntrySize) && !PrintedButNotDeleted(rec)) {
      if (!failed_.IsWaiting(rec.EntryName, p_.waiter.NowMs())) {
        out = Selected{rec.EntryName, rec.EntrySize, rec.EntryTime};
        selected = true;
        break;
      }
      waiting.insert(rec.EntryName);
    }
    found = SearchNext(rec) == 0;
  }
  SearchEnd(rec);
  // A complete listing shows which failed jobs are still there; the rest are gone.
  if (!selected) failed_.KeepOnly(waiting);
  return selected;
}

bool PrintLoop::PrintedButNotDeleted(const SearchRecord& entry) {
  auto it = printedKept_.find(entry.EntryName);
  if (it == printedKept_.end()) return false;
  if (it->second != std::make_pair(entry.EntrySize, entry.EntryTime)) {
    printedKept_.erase(it);  // rewritten since: a new job under the old name
    return false;
  }
  if (p_.files.DeleteFile(entry.EntryName)) printedKept_.erase(it);
  return true;
}

PrintLoop::PollEnd PrintLoop::HandleSelected(const Selected& file) {
  const SpoolCommand command = ControlCommand(file.name);
  if (command == SpoolCommand::Job) return HandleJob(file);

  ServiceFlags& flags = state_.flags;
  try {
    // Not examined: a control file that is still there acts again at a later poll.
    p_.files.DeleteFile(file.name);
    log_->ControlObeyed(file.name);
    switch (command) {
      case SpoolCommand::Disable:
        flags.StopRequested = true;
        return PollEnd::Leave;
      case SpoolCommand::RawPrint:
        flags.RawMode = true;
        flags.PageFeedMode = false;
        p_.choice.LoadPrinterChoice();
        break;
      case SpoolCommand::RawPage:
        flags.RawMode = true;
        flags.PageFeedMode = true;
        p_.choice.LoadPrinterChoice();
        break;
      case SpoolCommand::WinPrint:
        flags.RawMode = false;  // PageFeedMode only matters in raw mode, which sets it
        p_.choice.LoadPrinterChoice();
        break;
      case SpoolCommand::SetFocus:
        p_.host.ActivateHostWindow(true);
        break;
      case SpoolCommand::Job:
        break;
    }
    lastError_.clear();
  } catch (const std::exception& e) {
    NoteError(e.what());
  } catch (...) {
    NoteError(kUnexpected);
  }
  return PollEnd::Continue;
}

PrintLoop::PollEnd PrintLoop::HandleJob(const Selected& file) {
  ServiceFlags& flags = state_.flags;
  std::unique_ptr<JobFile> job = p_.files.OpenJob(file.name);
  // Neither counts as taken: the loop waits for a change, the safety poll or the dialog.
  took_ = false;
  if (!job) return PollEnd::Continue;  // its writer may still hold it: taken again later
  if (flags.SettingsOpen) return PollEnd::Continue;  // closed again, printed after the dialog
  took_ = true;

  const bool print = file.size >= kSmallestPrintedJob;
  if (print) {
    p_.view.SetStatus(kPrinting);
    p_.view.EnablePrinterFont(false);
    p_.view.EnableSelectPrinter(false);
    flags.Printing = true;
    // A kept job prints in the mode it was first taken in.
    const JobMode mode = failed_.KeptMode(file.name).value_or(CurrentJobMode(flags));
    log_->JobStarted(file.name, file.size, mode != JobMode::Text);
    bool failed = true;
    std::string failure = kUnexpected;
    JobOutcome outcome = JobOutcome::Printed;
    try {
      outcome = mode == JobMode::Text ? p_.textJobs.PrintTextJob(*job)
                                      : p_.rawJobs.PrintRawJob(*job, mode == JobMode::RawPage);
      failed = false;
    } catch (const std::exception& e) {
      failure = e.what();
    } catch (...) {
    }
    if (failed) {
      // The job stays in the spool directory and is tried again after a wait.
      job.reset();
      p_.files.SetCurrentDirectory(state_.spoolDirectory);
      failed_.NoteFailure(file.name, p_.waiter.NowMs(), mode);
      log_->JobEnded("failed: " + failure);
      NoteError(failure);
      return PollEnd::Continue;
    }
    log_->JobEnded(outcome == JobOutcome::Stopped ? "stopped" : "printed");
    if (outcome == JobOutcome::Stopped) return PollEnd::Leave;  // the file stays for next time
  }

  // The branch may have left another directory current; the job is deleted where it was
  // found, by its full path if the spool directory cannot be entered again.
  const bool inSpool = p_.files.SetCurrentDirectory(state_.spoolDirectory);
  job.reset();
  const bool deleted =
      p_.files.DeleteFile(inSpool ? file.name : state_.spoolDirectory + "\\" + file.name);
  if (print && !deleted) printedKept_[file.name] = {file.size, file.time};
  failed_.Forget(file.name);
  if (print) lastError_.clear();
  return PollEnd::Continue;
}

void PrintLoop::FinishPoll() {
  ServiceFlags& flags = state_.flags;
  flags.Printing = false;
  if (!pollError_.empty())
    p_.view.SetStatus(kErrorPrefix + pollError_);
  else if (!lastError_.empty())
    p_.view.SetStatus(kErrorPrefix + lastError_);
  else
    p_.view.SetStatus(kNotPrinting);
  p_.view.EnablePrinterFont(!flags.RawMode);
  // Read once per safety poll at most: a hand edit of the profile shows within a second.
  if (pacer_.ProfileReadDue(p_.waiter.NowMs()))
    selectPrinter_ = p_.profile.ProfileRead(kUseDefaultKey, kYes) == kNo;
  p_.view.EnableSelectPrinter(selectPrinter_);
}

}  // namespace korv
