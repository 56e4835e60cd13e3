#pragma once
// What the "Recent jobs" window shows of the history: the columns' texts, the row order a
// click on a column's header chooses, and the text "&View" opens for a stored job.
#include <string>
#include <string_view>
#include <vector>

#include "base/JobMode.h"
#include "history/HistoryEntry.h"

namespace korv {

enum class RecentJobsColumn { Time, Job, Kind, Pages, Printer };
inline constexpr int kRecentJobsColumns = 5;

const char* ColumnTitle(RecentJobsColumn column);
const char* KindName(JobMode mode);
// A cell's text (UTF-8); the pages of a job whose pages are not known (raw) are empty.
std::string CellText(const HistoryEntry& entry, RecentJobsColumn column);

struct RowOrder {
  RecentJobsColumn column = RecentJobsColumn::Time;
  bool descending = true;  // newest first
};

// A click on `clicked`'s header: the same column again reverses the order; another column
// sorts ascending, except the time, which starts newest first.
RowOrder ClickedColumn(RowOrder current, RecentJobsColumn clicked);
// Stable: rows that compare equal keep the history's newest-first order. Texts compare
// without regard to ASCII case, pages and times as numbers.
void SortRows(std::vector<HistoryEntry>& rows, RowOrder order);

// Sixteen bytes a line: offset, the bytes in hex, the printable ones as characters.
std::string HexDump(std::string_view bytes);
// A text job as it prints, for an editor: without its leading orientation byte, its control
// codes with their parameters and its zero bytes; box-drawing bytes as + - | and #.
std::string TextJobAsText(std::string_view bytes);

}  // namespace korv
