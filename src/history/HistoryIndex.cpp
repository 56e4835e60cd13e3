#include "history/HistoryIndex.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korv {

namespace {

constexpr std::size_t kFieldCount = 9;
constexpr std::string_view kModes[] = {"text", "raw", "rawpage"};

// Tabs and line ends would split a field or a line: they never reach the index.
std::string Field(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return out;
}

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t at = 0;;) {
    const std::size_t tab = line.find('\t', at);
    fields.push_back(line.substr(at, tab - at));
    if (tab == std::string_view::npos) return fields;
    at = tab + 1;
  }
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::optional<HistoryEntry> ParseLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::vector<std::string_view> f = Split(line);
  if (f.size() != kFieldCount || f[0].empty()) return std::nullopt;
  HistoryEntry e;
  e.key = f[0];
  e.localTime = f[2];
  e.jobName = f[3];
  e.printer = f[6];
  e.result = f[8];
  bool modeKnown = false;
  for (std::size_t m = 0; m < std::size(kModes); ++m)
    if (f[5] == kModes[m]) {
      e.mode = static_cast<JobMode>(m);
      modeKnown = true;
    }
  if (!modeKnown || !ReadNumber(f[1], e.unixTime) || !ReadNumber(f[4], e.bytes) ||
      !ReadNumber(f[7], e.pages))
    return std::nullopt;
  return e;
}

}  // namespace

const char* ModeName(JobMode mode) {
  return kModes[static_cast<std::size_t>(mode)].data();
}

std::string IndexText(const std::vector<HistoryEntry>& entries) {
  std::string text;
  for (const HistoryEntry& e : entries)
    text += Field(e.key) + '\t' + std::to_string(e.unixTime) + '\t' + Field(e.localTime) + '\t' +
            Field(e.jobName) + '\t' + std::to_string(e.bytes) + '\t' + ModeName(e.mode) + '\t' +
            Field(e.printer) + '\t' + std::to_string(e.pages) + '\t' + Field(e.result) + "\r\n";
  return text;
}

std::vector<HistoryEntry> ParseIndex(const std::string& text) {
  std::vector<HistoryEntry> entries;
  std::string_view rest(text);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    if (auto entry = ParseLine(rest.substr(0, end))) entries.push_back(*entry);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return entries;
}

}  // namespace korv
