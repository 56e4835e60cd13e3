#pragma once
// The index of HISTORY as text: one line an entry, newest first, its fields separated by
// tabs. A line that does not read back whole is dropped: a damaged index loses entries,
// never more.
#include <string>
#include <vector>

#include "history/HistoryEntry.h"

namespace korv {

inline constexpr char kHistoryIndexName[] = "HISTORY.IDX";

std::string IndexText(const std::vector<HistoryEntry>& entries);
std::vector<HistoryEntry> ParseIndex(const std::string& text);

// "text", "raw" or "rawpage", as the index and the window name a mode.
const char* ModeName(JobMode mode);

}  // namespace korv
