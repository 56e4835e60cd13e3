#pragma once
// The printer object's list and selection: selecting by index is refused while a document
// is open, and reading the index with none selected picks the default printer.
#include <stdexcept>
#include <string>
#include <vector>

#include "app/PrinterSelection.h"

namespace korv::fakes {

class FakePrinterSelection : public PrinterSelection {
 public:
  std::vector<std::string> PrinterList() override { return printers; }
  int SelectedIndex() override {
    ++indexReads;
    if (selected == -1) {
      if (defaultIndex < 0 || static_cast<std::size_t>(defaultIndex) >= printers.size())
        throw std::runtime_error("There is no default printer currently selected");
      selected = defaultIndex;
    }
    return selected;
  }
  void SetSelectedIndex(int index) override {
    if (documentOpen) throw std::runtime_error("Printing in progress");
    if (index < -1 || index >= static_cast<int>(printers.size()))
      throw std::runtime_error("Printer index out of range");
    selected = index;
    writes.push_back(index);
  }

  std::vector<std::string> printers;
  int defaultIndex = 0;  // the Windows default printer; -1 for none
  int selected = -1;
  bool documentOpen = false;
  int indexReads = 0;
  std::vector<int> writes;  // every index written
};

}  // namespace korv::fakes
