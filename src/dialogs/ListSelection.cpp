#include "dialogs/ListSelection.h"

namespace korv {

ListSelection::ListSelection(const std::vector<std::string>& items, std::uint16_t count,
                             std::uint16_t initial)
    : items_(items, count) {
  if (initial <= items_.Count()) chosenIndex_ = initial;
}

void ListSelection::Show(ListDialogView& view) {
  view.SetTopRow(0);
  if (chosenIndex_ > 0) {
    view.SetCurrentRow(chosenIndex_ - 1);
    view.SetTopRow(chosenIndex_ - 1);
    view.EnableOk(true);
  } else {
    view.SetCurrentRow(-1);
    view.EnableOk(false);
  }
}

void ListSelection::Accept(ListDialogView& view) {
  accepted_ = true;
  view.Close();
  chosenIndex_ = view.CurrentRow() + 1;
}

void ListSelection::Cancel(ListDialogView& view) {
  view.Close();
  chosenIndex_ = 0;
}

void ListSelection::Closed() {
  if (!accepted_) chosenIndex_ = 0;
}

void ListSelection::KeyCommand(ListDialogView& view, ListCommand command) {
  if (command == ListCommand::F9) Accept(view);
}

void ListSelection::CurrentRowChanged(ListDialogView& view) {
  view.EnableOk(true);
}

int ListSelection::CharToItem(ListDialogView& view, char typed) {
  const int current = view.CurrentRow();
  const int row = search_.CharToItem(typed, current, items_);
  if (row >= 0 && row != current) {
    view.SetCurrentRow(row);
    CurrentRowChanged(view);
  }
  return row;
}

void ListSelection::KeepCurrentRowInView(ListDialogView& view, int listHeight, int rowHeight) {
  if (rowHeight < 1) return;
  const int top = view.TopRow();
  const int d = view.CurrentRow() - top;
  if (d > listHeight / rowHeight - 2) view.SetTopRow(top + d - 3);
}

std::int16_t ListSelection::Finish() {
  search_.Clear();
  return static_cast<std::int16_t>(chosenIndex_);
}

}  // namespace korv
