#pragma once
// The mode each kept job was first taken in (text, raw, raw with page feed), remembered in a
// small state file in the spool directory, so a job kept overnight prints after a restart
// the way it was sent. The file's name holds TMP, so the listing never takes it; it is
// replaced whole at each change and removed when no job is kept. A missing or damaged file
// means no job is remembered: each prints in the mode in force.
#include <map>
#include <optional>
#include <set>
#include <string>

#include "base/JobMode.h"
#include "settings/FileSystem.h"
#include "spool/SpoolFileTracker.h"

namespace korv {

class KeptModes {
 public:
  static constexpr const char* kStateFile = "KEPTMODE.TMP";
  using Listing = SpoolFileTracker::Listing;

  // Every call works on the current directory, which is the spool directory.
  explicit KeptModes(FileSystem& files) : files_(files) {}

  // The mode `name` was first taken in, while it is listed as it was then; none for a job
  // that is not kept (or was rewritten since: a new job).
  std::optional<JobMode> ModeOf(const std::string& name, const Listing& listing);
  // The job failed in `mode`; a job already kept keeps its first mode.
  void Keep(const std::string& name, const Listing& listing, JobMode mode);
  // The job printed.
  void Forget(const std::string& name);
  // Forgets every job not among `present` (upper-case names of a whole listing).
  void KeepOnly(const std::set<std::string>& present);

  // The state file's text for `jobs`, and back; false for a damaged text.
  struct Kept {
    std::string name;
    Listing listing;
    JobMode mode = JobMode::Text;
  };
  static std::string Format(const std::map<std::string, Kept>& jobs);
  static bool Parse(const std::string& text, std::map<std::string, Kept>& jobs);

 private:
  void LoadOnce();
  void Save();

  FileSystem& files_;
  std::map<std::string, Kept> jobs_;  // by upper-case name
  bool loaded_ = false;
};

}  // namespace korv
