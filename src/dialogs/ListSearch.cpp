#include "dialogs/ListSearch.h"

namespace korv {

namespace {

char UpperCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool Printable(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 33 && code <= 126;
}

}  // namespace

std::optional<std::string> RowKey(const std::string& text, std::size_t length) {
  std::size_t start = 0;
  while (start < text.size() && !Printable(text[start])) ++start;
  if (start == text.size()) return std::nullopt;
  std::string key = text.substr(start, length);
  for (char& c : key) c = UpperCase(c);
  return key;
}

bool IncrementalSearch::Matches(int row, const ListItems& items) const {
  const std::optional<std::string> key = RowKey(items.Text(row), prefix_.size());
  return key && *key == prefix_;
}

// Rows `first` to the last, then from the first row up to the one before `current`.
int IncrementalSearch::Find(int first, int current, const ListItems& items) const {
  for (int row = first < 0 ? 0 : first; row < items.Count(); ++row)
    if (Matches(row, items)) return row;
  for (int row = 0; row < current && row < items.Count(); ++row)
    if (Matches(row, items)) return row;
  return -1;
}

int IncrementalSearch::CharToItem(char typed, int currentRow, const ListItems& items) {
  prefix_ += UpperCase(typed);
  int row = Find(currentRow, currentRow, items);
  if (row < 0) {
    // Restart with the new character alone, from the row after the current one.
    prefix_.assign(1, UpperCase(typed));
    row = Find(currentRow + 1, currentRow, items);
  }
  if (row < 0) prefix_.clear();
  return row;
}

}  // namespace korv
