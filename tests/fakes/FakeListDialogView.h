#pragma once
// The list selection window in memory: rows, the OK button's state and whether it closed.
#include "dialogs/ListDialogView.h"

namespace korv::fakes {

class FakeListDialogView : public ListDialogView {
 public:
  int CurrentRow() override { return current; }
  void SetCurrentRow(int row) override { current = row; }
  int TopRow() override { return top; }
  void SetTopRow(int row) override { top = row; }
  void EnableOk(bool enabled) override { okEnabled = enabled; }
  void Close() override { ++closes; }

  int current = -1, top = 0;
  bool okEnabled = true;
  int closes = 0;
};

}  // namespace korv::fakes
