#pragma once
// When the print thread lists the spool directory again. While files remain it goes on at
// once; otherwise it waits for a change, with a slow safety poll because notifications
// can be lost, and wakes in time for the earliest retry of a failed job.
#include <cstdint>
#include <optional>

namespace korv {

class PassPacer {
 public:
  static constexpr std::uint64_t kSafetyPollMs = 1000;

  // A pass listed the spool directory at `now`.
  void Listed(std::uint64_t now) { nextSafetyPoll_ = now + kSafetyPollMs; }
  // The next pass is due at the returned time (at `now` or before: at once). `took`: the
  // pass handled a file, so more may follow; `nextRetry`: when a failed job may go again.
  std::uint64_t NextPassAt(bool took, std::uint64_t now,
                           std::optional<std::uint64_t> nextRetry) const;
  // The profile's values the window mirrors are read again at most once per safety poll:
  // true (and the next read scheduled) when one is due at `now`.
  bool ProfileReadDue(std::uint64_t now);
  // The profile may have changed (a dialog closed): read it at the next pass.
  void ProfileMayHaveChanged() { nextProfileRead_.reset(); }

 private:
  std::uint64_t nextSafetyPoll_ = 0;
  std::optional<std::uint64_t> nextProfileRead_;
};

}  // namespace korv
