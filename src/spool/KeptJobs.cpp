#include "spool/KeptJobs.h"

#include <exception>

namespace korv {

Removal KeptJobs::Retire(SpoolFile& opened, const std::string& name, std::uint64_t bytes,
                         JobMode mode, std::string& movedTo) {
  const HistoryLimits limits = ReadHistoryLimits(profile_);
  if (limits.count <= 0) {
    history_.Trim(limits);  // turned off: what was kept goes too
    return RemoveHandledFile(files_, opened, movedTo);
  }
  const JobFacts facts = facts_.Facts(mode != JobMode::Text);
  const std::string key = history_.FreeKey(name);
  if (!key.empty() && opened.MoveTo(history_.PathOf(key))) {
    history_.Add({key, 0, "", name, bytes, mode, facts.printer, facts.pages, "printed"}, limits);
    return Removal::Deleted;
  }
  return RemoveHandledFile(files_, opened, movedTo);
}

std::unique_ptr<JobFile> KeptJobs::OpenKept(const HistoryEntry& entry,
                                            const std::string& spoolDirectory, std::string& why) {
  // Opened as the history folder's own file: a link put in its place is refused.
  SpoolFileOpen opened;
  if (files_.SetCurrentDirectory(history_.Folder()))
    opened = files_.OpenSpoolFile(entry.key);
  else
    opened.reason = "Cannot change to directory " + history_.Folder();
  if (!files_.SetCurrentDirectory(spoolDirectory)) {
    why = "Cannot change to directory " + spoolDirectory;
    return nullptr;
  }
  why = opened.reason;
  return std::move(opened.file);
}

bool KeptJobs::ReprintOne(ReprintStep& step) {
  if (step.state.flags.settingsOpen) return false;
  const std::optional<ReprintRequest> request = reprints_.Take();
  if (!request) return false;
  const std::optional<HistoryEntry> entry = history_.Find(request->key);
  if (!entry) return true;  // deleted or trimmed since it was asked for
  std::string why;
  std::unique_ptr<JobFile> job = OpenKept(*entry, step.state.spoolDirectory, why);
  if (!job) {
    step.noteError("cannot print " + entry->jobName + " again: " + why);
    return true;
  }
  if (step.routing)
    step.routing->Set({request->printer.empty() ? entry->printer : request->printer, ""});
  step.view.SetStatus("Status - printing");
  step.state.flags.printing = true;
  step.log.ReprintStarted(entry->jobName, static_cast<std::int64_t>(entry->bytes),
                          entry->mode != JobMode::Text);
  std::string failure = "unexpected failure";
  try {
    // In the mode the job was printed in, whatever mode the service is in now.
    const JobOutcome outcome =
        entry->mode == JobMode::Text
            ? step.textJobs.PrintTextJob(*job)
            : step.rawJobs.PrintRawJob(*job, entry->mode == JobMode::RawPage);
    step.log.JobEnded(outcome == JobOutcome::Stopped ? "stopped" : "printed");
    if (outcome == JobOutcome::Printed) history_.SetResult(entry->key, "reprinted");
    failure.clear();
  } catch (const std::exception& e) {
    failure = e.what();
  } catch (...) {
  }
  if (!failure.empty()) {
    step.log.JobEnded("failed: " + failure);
    step.noteError(failure);
  }
  step.state.flags.printing = false;
  return true;
}

}  // namespace korv
