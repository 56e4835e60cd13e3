#pragma once
// One printed job kept in HISTORY: its stored file and what is known of it.
#include <cstdint>
#include <string>

#include "base/JobMode.h"

namespace korv {

struct HistoryEntry {
  std::string key;            // the entry's unique name in HISTORY (its job file's stored name)
  std::int64_t unixTime = 0;  // when it was printed, seconds since 1970 UTC (age trimming)
  std::string localTime;      // the same as shown: "2026-12-08 14:05:09"
  std::string jobName;        // the job file's name in WINPRINT (UTF-8)
  std::uint64_t bytes = 0;
  JobMode mode{};       // text, raw, raw with page feed
  std::string printer;  // the printer it went to
  int pages = 0;        // text documents' pages; 0 when not known (raw)
  std::string result;   // "printed", or "reprinted" ...
};

}  // namespace korv
