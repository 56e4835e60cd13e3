#include "history/RecentJobTexts.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "printing/BoxGlyphs.h"

namespace korv {

namespace {

constexpr char kLandscapeByte = 4;
constexpr std::size_t kDumpWidth = 16;

int CompareText(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int x = lower(static_cast<unsigned char>(a[i]));
    const int y = lower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename T>
int CompareNumber(T a, T b) {
  return a == b ? 0 : (a < b ? -1 : 1);
}

int Compare(const HistoryEntry& a, const HistoryEntry& b, RecentJobsColumn column) {
  switch (column) {
    case RecentJobsColumn::Time:
      return CompareNumber(a.unixTime, b.unixTime);
    case RecentJobsColumn::Job:
      return CompareText(a.jobName, b.jobName);
    case RecentJobsColumn::Kind:
      return CompareText(KindName(a.mode), KindName(b.mode));
    case RecentJobsColumn::Pages:
      return CompareNumber(a.pages, b.pages);
    case RecentJobsColumn::Printer:
      return CompareText(a.printer, b.printer);
  }
  return 0;
}

char BoxAsAscii(unsigned char code) {
  if (!IsBoxGlyph(code)) return 0;
  if (code == 179) return '|';
  if (code == 196) return '-';
  if (code == 219 || code == 223) return '#';
  return '+';
}

}  // namespace

const char* ColumnTitle(RecentJobsColumn column) {
  switch (column) {
    case RecentJobsColumn::Time:
      return "Time";
    case RecentJobsColumn::Job:
      return "Job";
    case RecentJobsColumn::Kind:
      return "Kind";
    case RecentJobsColumn::Pages:
      return "Pages";
    case RecentJobsColumn::Printer:
      return "Printer";
  }
  return "";
}

const char* KindName(JobMode mode) {
  switch (mode) {
    case JobMode::Text:
      return "text";
    case JobMode::Raw:
      return "raw";
    case JobMode::RawPage:
      return "raw, page feed";
  }
  return "";
}

std::string CellText(const HistoryEntry& entry, RecentJobsColumn column) {
  switch (column) {
    case RecentJobsColumn::Time:
      return entry.localTime;
    case RecentJobsColumn::Job:
      return entry.jobName;
    case RecentJobsColumn::Kind:
      return KindName(entry.mode);
    case RecentJobsColumn::Pages:
      return entry.pages > 0 ? std::to_string(entry.pages) : std::string();
    case RecentJobsColumn::Printer:
      return entry.printer;
  }
  return {};
}

RowOrder ClickedColumn(RowOrder current, RecentJobsColumn clicked) {
  if (clicked == current.column) return {clicked, !current.descending};
  return {clicked, clicked == RecentJobsColumn::Time};
}

void SortRows(std::vector<HistoryEntry>& rows, RowOrder order) {
  std::stable_sort(rows.begin(), rows.end(), [&](const HistoryEntry& a, const HistoryEntry& b) {
    const int c = Compare(a, b, order.column);
    return order.descending ? c > 0 : c < 0;
  });
}

std::string HexDump(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() / kDumpWidth + 1) * 80);
  char cell[24];
  for (std::size_t at = 0; at < bytes.size(); at += kDumpWidth) {
    std::snprintf(cell, sizeof cell, "%08lX ", static_cast<unsigned long>(at));
    out += cell;
    std::string shown;
    for (std::size_t i = 0; i < kDumpWidth; ++i) {
      if (i == kDumpWidth / 2) out += ' ';
      if (at + i >= bytes.size()) {
        out += "   ";
        continue;
      }
      const auto b = static_cast<unsigned char>(bytes[at + i]);
      std::snprintf(cell, sizeof cell, " %02X", b);
      out += cell;
      shown += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    }
    out += "  |" + shown + "|\r\n";
  }
  return out;
}

std::string TextJobAsText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = !bytes.empty() && bytes[0] == kLandscapeByte ? 1 : 0;
  for (; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 1 && b <= 3) {
      // A code takes the next byte as its parameter, unless that is a zero byte.
      if (i + 1 < bytes.size() && bytes[i + 1] != '\0') ++i;
      continue;
    }
    if (b == 0) continue;
    const char box = BoxAsAscii(b);
    out += box ? box : static_cast<char>(b);
  }
  return out;
}

}  // namespace korv
