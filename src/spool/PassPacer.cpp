#include "spool/PassPacer.h"

#include <algorithm>

namespace korv {

std::uint64_t PassPacer::NextPassAt(bool took, std::uint64_t now,
                                    std::optional<std::uint64_t> nextRetry) const {
  if (took) return now;
  std::uint64_t due = std::max(nextSafetyPoll_, now);
  if (nextRetry) due = std::min(due, std::max(*nextRetry, now));
  return due;
}

bool PassPacer::ProfileReadDue(std::uint64_t now) {
  if (nextProfileRead_ && now < *nextProfileRead_) return false;
  nextProfileRead_ = now + kSafetyPollMs;
  return true;
}

}  // namespace korv
