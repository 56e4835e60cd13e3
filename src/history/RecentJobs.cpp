#include "history/RecentJobs.h"

#include <algorithm>
#include <cstdint>

namespace korv {

namespace {

constexpr std::uint8_t kCentred = 6;  // keypad position: the middle of the screen

std::vector<std::string> Keys(const std::vector<HistoryEntry>& rows) {
  std::vector<std::string> keys;
  keys.reserve(rows.size());
  for (const auto& row : rows) keys.push_back(row.key);
  return keys;
}

}  // namespace

bool RecentJobs::Refresh() {
  const auto before = Keys(rows_);
  rows_ = p_.history.Entries();
  Arrange();
  return Keys(rows_) != before;
}

void RecentJobs::SortBy(RecentJobsColumn column) {
  order_ = ClickedColumn(order_, column);
  rows_ = p_.history.Entries();
  Arrange();
}

void RecentJobs::Arrange() {
  SortRows(rows_, order_);
}

std::vector<HistoryEntry> RecentJobs::Selected(const std::vector<int>& rows) const {
  std::vector<HistoryEntry> entries;
  for (int row : rows)
    if (row >= 0 && static_cast<std::size_t>(row) < rows_.size())
      entries.push_back(rows_[static_cast<std::size_t>(row)]);
  return entries;
}

void RecentJobs::PrintAgain(const std::vector<int>& rows) {
  for (const auto& entry : Selected(rows)) p_.reprints.Add({entry.key, {}});
}

bool RecentJobs::PrintTo(const std::vector<int>& rows) {
  const auto entries = Selected(rows);
  if (entries.empty()) return false;
  const auto printers = p_.printerNames();
  // The printer the first job went to comes up first.
  const auto at = std::find(printers.begin(), printers.end(), entries.front().printer);
  const auto initial = at == printers.end() ? 0 : static_cast<int>(at - printers.begin()) + 1;
  const int chosen =
      p_.lists.SelectFromList(static_cast<std::uint16_t>(printers.size()),
                              static_cast<std::uint16_t>(initial), "printer", printers, kCentred);
  if (chosen <= 0 || static_cast<std::size_t>(chosen) > printers.size()) return false;
  for (const auto& entry : entries)
    p_.reprints.Add({entry.key, printers[static_cast<std::size_t>(chosen - 1)]});
  return true;
}

void RecentJobs::View(const std::vector<int>& rows) {
  const auto entries = Selected(rows);
  if (entries.empty()) return;
  const HistoryEntry& entry = entries.front();
  const auto bytes = p_.viewer.ReadStart(p_.history.StoredPath(entry.key), kViewLimit);
  if (!bytes) throw ERecentJobs("Cannot read the job " + entry.jobName);
  std::string text = entry.mode == JobMode::Text ? TextJobAsText(*bytes) : HexDump(*bytes);
  if (entry.bytes > bytes->size())
    text += "\r\n(the first " + std::to_string(bytes->size()) + " of " +
            std::to_string(entry.bytes) + " bytes)\r\n";
  if (!p_.viewer.OpenText("korvprint-" + entry.key + ".txt", text))
    throw ERecentJobs("Cannot open the job " + entry.jobName);
}

bool RecentJobs::Delete(const std::vector<int>& rows) {
  const auto entries = Selected(rows);
  if (entries.empty()) return false;
  const std::string question =
      entries.size() == 1 ? "Delete the job " + entries.front().jobName + " from the history?"
                          : "Delete " + std::to_string(entries.size()) + " jobs from the history?";
  if (!p_.confirm(question)) return false;
  std::vector<std::string> keys;
  for (const auto& entry : entries) keys.push_back(entry.key);
  for (const auto& key : keys) p_.history.Remove(key);
  Refresh();
  // An entry the print thread trimmed meanwhile is gone too; one still listed was refused.
  const auto left = Keys(rows_);
  const auto kept = std::count_if(keys.begin(), keys.end(), [&](const std::string& key) {
    return std::find(left.begin(), left.end(), key) != left.end();
  });
  if (kept > 0) throw ERecentJobs("Cannot delete " + std::to_string(kept) + " of the jobs");
  return true;
}

}  // namespace korv
