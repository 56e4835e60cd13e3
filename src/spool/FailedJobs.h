#pragma once
// Jobs that failed while printing. Each waits a while before it is tried again, longer
// after every further failure, so one broken job neither blocks the files behind it nor
// reaches the printer ten times a second.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace korv {

class FailedJobs {
 public:
  // Milliseconds a job waits after its first failure; doubled after each further one, up to
  // the cap.
  static constexpr std::uint64_t kFirstDelay = 5000;
  static constexpr std::uint64_t kLongestDelay = 600000;  // 10 min

  // The job failed at `now` (milliseconds of a steady clock). Its mode is kept by KeptModes.
  void NoteFailure(const std::string& name, std::uint64_t now);
  // The job is set aside at `now`: it failed and its wait is not over yet.
  bool IsWaiting(const std::string& name, std::uint64_t now) const;
  // The earliest time a failed job may be tried again; none when no job waits.
  std::optional<std::uint64_t> NextTry() const;
  // The job printed or is gone.
  void Forget(const std::string& name);
  // Forgets every job not among `present` (a complete listing of the spool directory),
  // so a later job under the same name starts afresh.
  void KeepOnly(const std::set<std::string>& present);
  bool Empty() const { return jobs_.empty(); }

 private:
  struct Failure {
    unsigned count = 0;
    std::uint64_t nextTry = 0;
  };
  std::map<std::string, Failure> jobs_;  // by upper-case name
};

}  // namespace korv
