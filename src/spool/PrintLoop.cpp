#include "spool/PrintLoop.h"

#include <exception>
#include <set>

#include "base/ServiceConstants.h"

namespace korv {

namespace {

constexpr const char* kNotPrinting = "Status - not printing";
constexpr const char* kPrinting = "Status - printing";
constexpr const char* kErrorPrefix = "Status - error: ";
constexpr const char* kUnexpected = "unexpected failure";

// Runs one step that may fail: the text of its failure, none when it succeeded.
template <typename Step>
std::optional<std::string> Attempt(Step step) {
  try {
    step();
    return std::nullopt;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return kUnexpected;
  }
}

}  // namespace

template <typename Step>
void PrintLoop::Guarded(Step step) {
  if (const std::optional<std::string> failure = Attempt(step)) NoteError(*failure);
}

void PrintLoop::NoteError(const std::string& message) {
  lastError_ = message;
  log_->Error(message);
}

void PrintLoop::Run() {
  ThreadStart();
  watching_ = watch_->Arm(state_.spoolDirectory);
  while (!state_.flags.stopRequested) {
    // A port that fails outside a job leaves the loop serving, at the usual pace.
    Pass pass = Pass::Idle;
    Guarded([&] { pass = Poll(); });
    if (pass == Pass::Leave) break;
    WaitForNextPass(pass);
  }
  log_->Stopped();
  ports_.shell.PostQuit();
}

void PrintLoop::ThreadStart() {
  // A failing step is shown in the status line; the service still polls.
  Guarded([&] { ports_.tray.ApplyPrintLoopSettings(TraySettings{}); });
  Guarded([&] { ports_.host.FindHostWindow(); });
  // Twice, a second apart: the window thread may still bring the service window forward
  // while it starts, and the second activation leaves the host program in front after it.
  Guarded([&] { ports_.host.ActivateHostWindow(true); });
  Guarded([&] { ports_.host.ActivateHostWindow(true); });
  const std::string fontName = ports_.profile.ProfileRead(kFontKey, kDefaultFont);
  state_.fontName.Set(fontName);
  Guarded([&] { ports_.font.CreatePrinterFont(PrinterFontRequest{fontName}); });
  ports_.view.SetFontLabel("Font: " + fontName);
  state_.flags.rawMode = false;
  log_->Started(false);
}

PrintLoop::Pass PrintLoop::Poll() {
  pollError_.clear();
  const bool reprinted = Reprinted();
  Pass pass = Pass::Idle;
  // Only the spool directory is ever listed: when it cannot be entered, nothing is taken.
  if (!ports_.files.SetCurrentDirectory(state_.spoolDirectory)) {
    pollError_ = "Cannot change to directory " + state_.spoolDirectory;
    log_->Error(pollError_);
  } else if (const std::optional<Selected> file = SelectFile()) {
    pass = Handle(*file);
  }
  if (reprinted && pass == Pass::Idle) pass = Pass::Took;  // more may wait: at once
  if (pass != Pass::Leave) ShowPollState();
  return pass;
}

std::optional<PrintLoop::Selected> PrintLoop::SelectFile() {
  pacer_.Listed(ports_.waiter.NowMs());
  SearchRecord rec;
  std::optional<Selected> selected;
  std::set<std::string> waiting;
  std::set<std::string> present;  // upper case
  std::uint32_t code = SearchFirst(ports_.files, "*.*", kAttrArchive, rec);
  bool found = code == 0;
  // The whole listing is read, so what is remembered of files that are gone is dropped.
  while (found) {
    present.insert(UpperCaseAscii(rec.EntryName));
    if (!selected && IsTakeable(rec.EntryName, rec.EntrySize) && !PassOverRetryingUnremoved(rec)) {
      if (!failed_.IsWaiting(rec.EntryName, ports_.waiter.NowMs()))
        selected = Selected{rec.EntryName, rec.EntrySize, rec.EntryTime, ListingOf(rec)};
      else
        waiting.insert(rec.EntryName);
    }
    code = SearchNext(rec);
    found = code == 0;
  }
  SearchEnd(rec);
  tracker_.KeepOnly(present);
  unremoved_.KeepOnly(present);
  // Kept modes outlive the run: only a listing that ran to its end shows a job is gone.
  if (code == kErrorNoMoreFiles || code == kErrorFileNotFound) keptModes_.KeepOnly(present);
  // A complete listing shows which failed jobs are still there; the rest are gone.
  if (!selected) failed_.KeepOnly(waiting);
  return selected;
}

PrintLoop::Pass PrintLoop::Handle(const Selected& file) {
  // Opened first, control files too: only the spool directory's own files are handled.
  FileIdentity identity;
  std::unique_ptr<SpoolFile> opened = TakeSelected(file, identity);
  if (!opened) return Pass::Idle;  // the loop waits for a change or the safety poll
  const SpoolCommand command = ControlCommand(file.name);
  if (command == SpoolCommand::Job) return HandleJob(file, std::move(opened), identity);
  return ObeyControlFile(command, file, *opened, identity);  // its content is never read
}

PrintLoop::Pass PrintLoop::ObeyControlFile(SpoolCommand command, const Selected& file,
                                           SpoolFile& opened, const FileIdentity& identity) {
  ServiceFlags& flags = state_.flags;
  Pass pass = Pass::Took;
  lastError_.clear();
  Guarded([&] {
    RemoveHandled(file, opened, identity);  // obeyed once, even when it stays
    log_->ControlObeyed(file.name);
    if (command == SpoolCommand::Disable) {
      flags.stopRequested = true;
      pass = Pass::Leave;
    } else if (command == SpoolCommand::SetFocus) {
      ports_.host.ActivateHostWindow(true);
    } else {  // RAWPRINT, RAWPAGE or WINPRINT: the mode of the jobs taken from now on
      flags.rawMode = command != SpoolCommand::WinPrint;
      // Page feed only matters in raw mode, which always sets it.
      if (flags.rawMode) flags.pageFeedMode = command == SpoolCommand::RawPage;
      ports_.choice.LoadPrinterChoice();
    }
  });
  return pass;
}

PrintLoop::Pass PrintLoop::HandleJob(const Selected& file, std::unique_ptr<SpoolFile> job,
                                     const FileIdentity& identity) {
  // Not taken while a settings dialog is open: closed again, printed after the dialog.
  if (state_.flags.settingsOpen) return Pass::Idle;
  const bool print = file.size >= kSmallestPrintedJob;
  // A kept job prints in the mode it was first taken in.
  const JobMode mode =
      keptModes_.ModeOf(file.name, file.listing).value_or(CurrentJobMode(state_.flags));
  if (print) {
    const std::optional<JobOutcome> outcome = PrintJob(file, job, mode);
    if (!outcome) return Pass::Took;
    if (*outcome == JobOutcome::Stopped) return Pass::Leave;  // the file stays for next time
  }
  // The branch may have left another directory current; the job file that was opened is
  // deleted, and set aside from the spool directory only.
  const bool inSpool = ports_.files.SetCurrentDirectory(state_.spoolDirectory);
  failed_.Forget(file.name);
  if (print) lastError_.clear();
  if (inSpool) {
    keptModes_.Forget(file.name);
    RemoveHandled(file, *job, identity, print ? std::optional(mode) : std::nullopt);
  } else if (!job->Delete()) {
    unremoved_.Add(file.name, identity, file.listing, 0);
  }
  return Pass::Took;
}

std::optional<JobOutcome> PrintLoop::PrintJob(const Selected& file, std::unique_ptr<SpoolFile>& job,
                                              JobMode mode) {
  ServiceFlags& flags = state_.flags;
  ports_.view.SetStatus(kPrinting);
  ports_.view.EnablePrinterFont(false);
  ports_.view.EnableSelectPrinter(false);
  flags.printing = true;
  if (routing_) routing_->Decide(file.name, mode);
  log_->JobStarted(file.name, file.size, mode != JobMode::Text);
  JobOutcome outcome = JobOutcome::Printed;
  const std::optional<std::string> failure = Attempt([&] {
    outcome = mode == JobMode::Text ? ports_.textJobs.PrintTextJob(*job)
                                    : ports_.rawJobs.PrintRawJob(*job, mode == JobMode::RawPage);
  });
  if (failure) {
    // The job stays in the spool directory and is tried again after a wait.
    job.reset();
    ports_.files.SetCurrentDirectory(state_.spoolDirectory);
    failed_.NoteFailure(file.name, ports_.waiter.NowMs());
    keptModes_.Keep(file.name, file.listing, mode);
    log_->JobEnded("failed: " + *failure);
    NoteError(*failure);
    return std::nullopt;
  }
  log_->JobEnded(outcome == JobOutcome::Stopped ? "stopped" : "printed");
  return outcome;
}

void PrintLoop::ShowPollState() {
  ServiceFlags& flags = state_.flags;
  flags.printing = false;
  if (!pollError_.empty())
    ports_.view.SetStatus(kErrorPrefix + pollError_);
  else if (!lastError_.empty())
    ports_.view.SetStatus(kErrorPrefix + lastError_);
  else if (const std::string waiting = tracker_.Problem(); !waiting.empty())
    ports_.view.SetStatus(kErrorPrefix + waiting);
  else
    ports_.view.SetStatus(kNotPrinting);
  ports_.view.EnablePrinterFont(!flags.rawMode);
  // Read once per safety poll at most: a hand edit of the profile shows within a second.
  if (pacer_.ProfileReadDue(ports_.waiter.NowMs()))
    selectPrinter_ = ports_.profile.ProfileRead(kUseDefaultKey, kYes) == kNo;
  ports_.view.EnableSelectPrinter(selectPrinter_);
}

}  // namespace korv
