#pragma once
// The "Recent jobs" window's logic: its rows, newest first or as a header click sorts
// them, and what its buttons do. Window thread only; the history may change under it
// (the print thread adds and trims), so the buttons name entries by key, not by row.
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/ListSelector.h"
#include "dialogs/TextViewer.h"
#include "history/JobHistory.h"
#include "history/RecentJobTexts.h"

namespace korv {

class ERecentJobs : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RecentJobsPorts {
  JobHistory& history;
  ReprintQueue& reprints;
  ListSelector& lists;
  TextViewer& viewer;
  std::function<std::vector<std::string>()> printerNames;  // the installed printers
  std::function<bool(const std::string&)> confirm;         // the confirmation box: "OK"
};

class RecentJobs {
 public:
  // What "&View" reads of a job at most: a longer one is shown cut, with a line saying so.
  static constexpr std::size_t kViewLimit = 1 << 20;

  explicit RecentJobs(const RecentJobsPorts& ports) : p_(ports) {}

  // Reads the history again; true when the rows are others than before (keys or order).
  bool Refresh();
  const std::vector<HistoryEntry>& Rows() const { return rows_; }
  RowOrder Order() const { return order_; }
  // A click on a column's header.
  void SortBy(RecentJobsColumn column);

  // The buttons, given the selected rows (indexes into Rows()).
  // "Print &Again": each to the printer it went to.
  void PrintAgain(const std::vector<int>& rows);
  // "Print &To...": to one printer picked from the installed ones; false when none was.
  bool PrintTo(const std::vector<int>& rows);
  // "&View": the first selected job as text, a raw one as a hex dump.
  void View(const std::vector<int>& rows);
  // "&Delete": asks, then removes the entries and their files. False when the user said
  // no; throws ERecentJobs when an entry could not be removed.
  bool Delete(const std::vector<int>& rows);

 private:
  // Copies: the rows may be read again while a dialog of the button is open.
  std::vector<HistoryEntry> Selected(const std::vector<int>& rows) const;
  void Arrange();

  RecentJobsPorts p_;
  std::vector<HistoryEntry> rows_;
  RowOrder order_;
};

}  // namespace korv
