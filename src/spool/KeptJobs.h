#pragma once
// Printed jobs kept in the history instead of deleted, and the reprints of kept jobs that
// the print loop does between spool jobs.
#include <cstdint>
#include <functional>
#include <string>

#include "base/ServiceState.h"
#include "base/ServiceView.h"
#include "history/HistoryStore.h"
#include "joblog/JobLog.h"
#include "joblog/JobLogPorts.h"
#include "routing/JobRouting.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"
#include "spool/JobBranches.h"
#include "spool/SpoolFileRemoval.h"

namespace korv {

enum class HistoryMove { Moved, NotIt, Failed };

// Moves the handled spool file `name` (current directory) to `target` when it is still
// `identity`: never a file that is not the spool folder's own, never another file.
HistoryMove MoveHandledFile(FileSystem& files, const std::string& name,
                            const FileIdentity& identity, const std::string& target);

// What the print loop hands over for one reprint.
struct ReprintStep {
  ServiceState& state;
  ServiceView& view;
  JobLog& log;
  JobRouting* routing;  // none: the entry's printer cannot be chosen, the chosen one prints
  TextJobBranch& textJobs;
  RawJobBranch& rawJobs;
  std::function<void(const std::string&)> noteError;
};

class KeptJobs {
 public:
  KeptJobs(FileSystem& files, Profile& profile, HistoryStore& history, ReprintQueue& reprints,
           JobFactsSource& facts)
      : files_(files), profile_(profile), history_(history), reprints_(reprints), facts_(facts) {}

  // A printed job's file, closed, in the spool directory (current): into the history while
  // `History` keeps jobs; removed as any handled file when it does not or the move fails,
  // so a job is never left to print twice.
  Removal Retire(const std::string& name, const FileIdentity& identity, std::uint64_t bytes,
                 JobMode mode, std::string& movedTo);

  // One reprint the window asked for, unless a settings dialog is open; true when one was
  // taken. A failed reprint is told and not tried again: the user can ask once more.
  bool ReprintOne(ReprintStep& step);

 private:
  std::unique_ptr<JobFile> OpenKept(const HistoryEntry& entry, const std::string& spoolDirectory,
                                    std::string& why);

  FileSystem& files_;
  Profile& profile_;
  HistoryStore& history_;
  ReprintQueue& reprints_;
  JobFactsSource& facts_;
};

}  // namespace korv
