#pragma once
// How much the history keeps: `History` jobs (0: none, files are deleted as without a
// history), at most `HistoryMB` megabytes of them, none older than `HistoryDays` days.
// A size or age of 0 or less sets no limit of that kind.
#include <cstdint>
#include <string>
#include <vector>

#include "history/HistoryEntry.h"
#include "settings/Profile.h"

namespace korv {

inline constexpr char kHistoryKey[] = "History";
inline constexpr char kHistoryMBKey[] = "HistoryMB";
inline constexpr char kHistoryDaysKey[] = "HistoryDays";

struct HistoryLimits {
  std::int64_t count = 100;
  std::int64_t megabytes = 200;
  std::int64_t days = 30;
};

HistoryLimits ReadHistoryLimits(Profile& profile);

// The keys of the entries (newest first) the limits no longer keep at `now`.
std::vector<std::string> EntriesToTrim(const std::vector<HistoryEntry>& newestFirst,
                                       const HistoryLimits& limits, std::int64_t now);

}  // namespace korv
