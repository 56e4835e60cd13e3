#pragma once
// The printer object as the printer choice sees it: the installed printers' entry texts
// and which of them is current. Errors of the printer object pass through unchanged.
#include <string>
#include <vector>

namespace korv {

class PrinterSelection {
 public:
  virtual ~PrinterSelection() = default;
  // Entry texts of the printer list, in list order (built on first use).
  virtual std::vector<std::string> PrinterList() = 0;
  // The current printer's index. While none is selected (-1) this selects the Windows
  // default printer first, and throws when there is none.
  virtual int SelectedIndex() = 0;
  // Makes entry `index` current; throws "Printing in progress" while a document is open.
  virtual void SetSelectedIndex(int index) = 0;
};

}  // namespace korv
