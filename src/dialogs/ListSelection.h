#pragma once
// The list selection dialog's state and handlers, apart from the window that shows it.
// Item numbers are 1-based at the dialog's interface; rows count from 0, -1 is none.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/ListDialogView.h"
#include "dialogs/ListItems.h"
#include "dialogs/ListKeys.h"
#include "dialogs/ListSearch.h"

namespace korv {

class ListSelection {
 public:
  ListSelection(const std::vector<std::string>& items, std::uint16_t count, std::uint16_t initial);

  const ListItems& Items() const { return items_; }
  std::int32_t ChosenIndex() const { return chosenIndex_; }
  bool Accepted() const { return accepted_; }
  const std::string& SearchPrefix() const { return search_.SearchPrefix(); }

  // Makes the initial item current, scrolled to the top, and enables "&OK" exactly then.
  void Show(ListDialogView& view);

  // Handlers, as the window's events call them.
  void Accept(ListDialogView& view);  // "&OK", Enter, double click
  void Cancel(ListDialogView& view);  // "&Cancel", Escape
  void Closed();                      // any close of the window
  std::string RowText(int row) const { return items_.Text(row); }
  void KeyCommand(ListDialogView& view, ListCommand command);
  void CurrentRowChanged(ListDialogView& view);
  // Searches with the typed character; the row found becomes current. Returns it, or
  // -1 when nothing matched.
  int CharToItem(ListDialogView& view, char typed);
  void KeepCurrentRowInView(ListDialogView& view, int listHeight, int rowHeight);

  // The dialog's result once the window has closed; the search starts afresh.
  std::int16_t Finish();

 private:
  ListItems items_;
  IncrementalSearch search_;
  std::int32_t chosenIndex_ = 0;
  bool accepted_ = false;
};

}  // namespace korv
