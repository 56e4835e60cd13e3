#pragma once
// Incremental search of the list selection dialog: typed characters build an upper-cased
// prefix that is matched against each row's key, starting at its first printable
// character.
#include <optional>
#include <string>

#include "dialogs/ListItems.h"

namespace korv {

// The row's key for a prefix of `length` characters: from the text's first character in
// "!" to "~", at most `length` characters, a to z upper-cased. None when the text holds
// no such character.
std::optional<std::string> RowKey(const std::string& text, std::size_t length);

class IncrementalSearch {
 public:
  // Adds the typed character and searches; returns the row to make current, or -1 when
  // nothing matched (the prefix is then emptied and the current row stays).
  int CharToItem(char typed, int currentRow, const ListItems& items);

  const std::string& SearchPrefix() const { return prefix_; }
  void Clear() { prefix_.clear(); }

 private:
  int Find(int first, int current, const ListItems& items) const;
  bool Matches(int row, const ListItems& items) const;

  std::string prefix_;  // carries over between key strokes while searches succeed
};

}  // namespace korv
