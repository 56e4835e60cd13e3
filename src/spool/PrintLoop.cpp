#include "spool/PrintLoop.h"

#include <exception>
#include <memory>
#include <set>

#include "base/PumpMessages.h"
#include "base/ServiceConstants.h"
#include "settings/DirectorySearch.h"
#include "spool/SpoolFileRemoval.h"
#include "spool/SpoolProtocol.h"

namespace korv {

namespace {

constexpr const char* kNotPrinting = "Status - not printing";
constexpr const char* kPrinting = "Status - printing";
constexpr const char* kErrorPrefix = "Status - error: ";
constexpr const char* kUnexpected = "unexpected failure";

// What the listing showed of a file: its full size and last-write time.
SpoolFileTracker::Listing ListingOf(const SearchRecord& entry) {
  const std::uint64_t size =
      (std::uint64_t{entry.EntryData.sizeHigh} << 32) | entry.EntryData.sizeLow;
  return {size, entry.EntryData.lastWriteTime};
}

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
  std::set<std::string> present;  // upper case
  bool selected = false;
  std::uint32_t code = SearchFirst(p_.files, "*.*", kAttrArchive, rec);
  bool found = code == 0;
  // The whole listing is read, so what is remembered of files that are gone is dropped.
  while (found) {
    present.insert(UpperCaseAscii(rec.EntryName));
    if (!selected && IsTakeable(rec.EntryName, rec.EntrySize) && !PassedOver(rec)) {
      if (!failed_.IsWaiting(rec.EntryName, p_.waiter.NowMs())) {
        out = Selected{rec.EntryName, rec.EntrySize, rec.EntryTime, ListingOf(rec)};
        selected = true;
      } else {
        waiting.insert(rec.EntryName);
      }
    }
    code = SearchNext(rec);
    found = code == 0;
  }
  SearchEnd(rec);
  tracker_.KeepOnly(present);
  // Kept modes outlive the run: only a listing that ran to its end shows a job is gone.
  if (code == kErrorNoMoreFiles || code == kErrorFileNotFound) keptModes_.KeepOnly(present);
  std::erase_if(printedKept_,
                [&](const auto& kept) { return !present.count(UpperCaseAscii(kept.first)); });
  // A complete listing shows which failed jobs are still there; the rest are gone.
  if (!selected) failed_.KeepOnly(waiting);
  return selected;
}

bool PrintLoop::PassedOver(const SearchRecord& entry) {
  return tracker_.Refused(entry.EntryName, ListingOf(entry)) ||
         tracker_.PassOver(entry.EntryName, p_.waiter.NowMs()) || PrintedButNotDeleted(entry);
}

bool PrintLoop::PrintedButNotDeleted(const SearchRecord& entry) {
  auto it = printedKept_.find(entry.EntryName);
  if (it == printedKept_.end()) return false;
  if (!(it->second.listing == ListingOf(entry))) {
    printedKept_.erase(it);  // rewritten since: a new job under the old name
    return false;
  }
  SpoolFileOpen opened = p_.files.OpenSpoolFile(entry.EntryName);
  if (opened.file && !(opened.identity == it->second.identity)) {
    printedKept_.erase(it);  // another file of the same size and time: a new job
    return false;
  }
  if (opened.error == SpoolOpenError::Missing) {
    printedKept_.erase(it);
    return true;
  }
  const std::uint64_t now = p_.waiter.NowMs();
  if (opened.file && now >= it->second.retryAtMs) {
    std::string movedTo;
    it->second.retryAtMs = now + kKeptRetryMs;
    if (RemoveHandledFile(p_.files, *opened.file, movedTo) != Removal::Stuck)
      printedKept_.erase(it);
  }
  return true;  // not yet known to be another file
}

std::unique_ptr<SpoolFile> PrintLoop::OpenSelected(const Selected& file, FileIdentity& identity) {
  SpoolFileOpen opened = p_.files.OpenSpoolFile(file.name);
  if (opened.file &&
      !(SpoolFileTracker::Listing{opened.size, opened.lastWriteTime} == file.listing)) {
    opened.file.reset();  // changed since the listing: its writer is still at work
    opened.error = SpoolOpenError::InUse;
    opened.reason = "it is still being written";
  }
  if (opened.file) {
    tracker_.Forget(file.name);
    identity = opened.identity;
    return std::move(opened.file);
  }
  if (opened.error == SpoolOpenError::NotInSpool) {
    // Never read, deleted or moved: under Wine that would reach the file it points to.
    if (tracker_.Refuse(file.name, file.listing, opened.reason))
      NoteError("not taken: " + file.name + ": " + opened.reason);
    return nullptr;
  }
  const std::uint64_t now = p_.waiter.NowMs();
  const bool passing = tracker_.NoteFailure(file.name, file.listing, opened.reason, now);
  if (tracker_.SetAsideDue(file.name, now)) {
    SpoolFileOpen toMove = p_.files.OpenSpoolFileToMove(file.name);
    const std::string movedTo = toMove.file ? SetAside(p_.files, *toMove.file) : std::string();
    if (!movedTo.empty()) {
      tracker_.Forget(file.name);
      NoteError(file.name + " could not be opened for 5 minutes and was moved to WINPRINT\\" +
                movedTo + ": " + opened.reason);
    }
  } else if (passing) {
    NoteError("cannot open " + file.name + " (the files after it go ahead): " + opened.reason);
  }
  return nullptr;
}

void PrintLoop::Removed(const Selected& file, SpoolFile& opened, const FileIdentity& identity) {
  std::string movedTo;
  switch (RemoveHandledFile(p_.files, opened, movedTo)) {
    case Removal::Deleted:
      break;
    case Removal::SetAside:
      NoteError(file.name + " could not be deleted; moved to WINPRINT\\" + movedTo);
      break;
    case Removal::Stuck:
      printedKept_[file.name] = Kept{identity, file.listing, p_.waiter.NowMs() + kKeptRetryMs};
      NoteError(file.name + " could not be deleted or moved; it is not taken again");
      break;
  }
}

PrintLoop::PollEnd PrintLoop::HandleSelected(const Selected& file) {
  // Opened first, control files too: only the spool directory's own files are handled.
  FileIdentity identity;
  std::unique_ptr<SpoolFile> opened = OpenSelected(file, identity);
  if (!opened) {
    took_ = false;  // not taken: the loop waits for a change or the safety poll
    return PollEnd::Continue;
  }
  const SpoolCommand command = ControlCommand(file.name);
  if (command == SpoolCommand::Job) return HandleJob(file, std::move(opened), identity);

  ServiceFlags& flags = state_.flags;
  try {
    lastError_.clear();
    Removed(file, *opened, identity);  // obeyed once, even when it stays; never read
    opened.reset();
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
  } catch (const std::exception& e) {
    NoteError(e.what());
  } catch (...) {
    NoteError(kUnexpected);
  }
  return PollEnd::Continue;
}

PrintLoop::PollEnd PrintLoop::HandleJob(const Selected& file, std::unique_ptr<SpoolFile> job,
                                        const FileIdentity& identity) {
  ServiceFlags& flags = state_.flags;
  // Not taken while a settings dialog is open: the loop waits for the dialog to close.
  took_ = false;
  if (flags.SettingsOpen) return PollEnd::Continue;  // closed again, printed after the dialog
  took_ = true;

  const bool print = file.size >= kSmallestPrintedJob;
  if (print) {
    p_.view.SetStatus(kPrinting);
    p_.view.EnablePrinterFont(false);
    p_.view.EnableSelectPrinter(false);
    flags.Printing = true;
    // A kept job prints in the mode it was first taken in.
    const JobMode mode = keptModes_.ModeOf(file.name, file.listing).value_or(CurrentJobMode(flags));
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
      failed_.NoteFailure(file.name, p_.waiter.NowMs());
      keptModes_.Keep(file.name, file.listing, mode);
      log_->JobEnded("failed: " + failure);
      NoteError(failure);
      return PollEnd::Continue;
    }
    log_->JobEnded(outcome == JobOutcome::Stopped ? "stopped" : "printed");
    if (outcome == JobOutcome::Stopped) return PollEnd::Leave;  // the file stays for next time
  }

  // The branch may have left another directory current; the job file that was opened is
  // deleted, and set aside from the spool directory only.
  const bool inSpool = p_.files.SetCurrentDirectory(state_.spoolDirectory);
  failed_.Forget(file.name);
  if (print) lastError_.clear();
  if (inSpool) {
    keptModes_.Forget(file.name);
    Removed(file, *job, identity);
  } else if (!job->Delete())
    printedKept_[file.name] = Kept{identity, file.listing, 0};
  return PollEnd::Continue;
}

void PrintLoop::FinishPoll() {
  ServiceFlags& flags = state_.flags;
  flags.Printing = false;
  if (!pollError_.empty())
    p_.view.SetStatus(kErrorPrefix + pollError_);
  else if (!lastError_.empty())
    p_.view.SetStatus(kErrorPrefix + lastError_);
  else if (const std::string waiting = tracker_.Problem(); !waiting.empty())
    p_.view.SetStatus(kErrorPrefix + waiting);
  else
    p_.view.SetStatus(kNotPrinting);
  p_.view.EnablePrinterFont(!flags.RawMode);
  // Read once per safety poll at most: a hand edit of the profile shows within a second.
  if (pacer_.ProfileReadDue(p_.waiter.NowMs()))
    selectPrinter_ = p_.profile.ProfileRead(kUseDefaultKey, kYes) == kNo;
  p_.view.EnableSelectPrinter(selectPrinter_);
}

}  // namespace korv
