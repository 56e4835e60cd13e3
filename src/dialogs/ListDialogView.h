#pragma once
// The list selection window as its handlers see it: the list's current and top rows,
// the "&OK" button and the window's close.
namespace korv {

class ListDialogView {
 public:
  virtual ~ListDialogView() = default;
  virtual int CurrentRow() = 0;  // -1 when no row is current
  virtual void SetCurrentRow(int row) = 0;
  virtual int TopRow() = 0;
  virtual void SetTopRow(int row) = 0;
  virtual void EnableOk(bool enabled) = 0;
  // Asks the window to close; the window runs Closed before it goes.
  virtual void Close() = 0;
};

}  // namespace korv
