#include "history/HistoryLimits.h"

#include "settings/Numbers.h"

namespace korv {

namespace {

constexpr std::int64_t kMegabyte = 1024 * 1024;
constexpr std::int64_t kDay = 24 * 60 * 60;

}  // namespace

HistoryLimits ReadHistoryLimits(Profile& profile) {
  HistoryLimits limits;
  // Anything but a number turns the history off: jobs may hold personal data.
  limits.count = ParseInteger(profile.ProfileRead(kHistoryKey, std::to_string(limits.count)));
  limits.megabytes =
      ParseInteger(profile.ProfileRead(kHistoryMBKey, std::to_string(limits.megabytes)));
  limits.days = ParseInteger(profile.ProfileRead(kHistoryDaysKey, std::to_string(limits.days)));
  return limits;
}

std::vector<std::string> EntriesToTrim(const std::vector<HistoryEntry>& newestFirst,
                                       const HistoryLimits& limits, std::int64_t now) {
  std::vector<std::string> trimmed;
  std::uint64_t total = 0;
  std::int64_t kept = 0;
  for (const HistoryEntry& e : newestFirst) {
    total += e.bytes;
    const bool tooMany = kept >= limits.count;
    const bool tooBig =
        limits.megabytes > 0 && total > static_cast<std::uint64_t>(limits.megabytes * kMegabyte);
    const bool tooOld = limits.days > 0 && now - e.unixTime > limits.days * kDay;
    if (tooMany || tooBig || tooOld)
      trimmed.push_back(e.key);
    else
      ++kept;
  }
  return trimmed;
}

}  // namespace korv
