#include "jobs/ChosenPrinter.h"

#include <cstddef>
#include <string>
#include <vector>

#include "jobs/PrintFailureText.h"
#include "printing/EPrinter.h"
#include "spool/PrinterChoice.h"

namespace korv {

void RequireChosenPrinter(Profile& profile, TPrinter& printer) {
  if (profile.ProfileRead("UseDefault", "Y") != "N") return;
  const std::string chosen = profile.ProfileRead("Printer", "");
  if (chosen.size() < kShortestPrinterName) return;  // replaced by the current printer
  SelectRoutedPrinter(printer, chosen);
}

void RequireInstalledPrinter(TPrinter& printer, const std::string& name) {
  for (const std::string& installed : printer.PrinterTexts())
    if (installed == name) return;
  throw EPrinter(CannotPrintOn(name, "the printer is not installed"));
}

SelectionRestore::SelectionRestore(TPrinter& printer, bool active) : printer_(printer) {
  if (active && !printer_.PrinterTexts().empty()) index_ = printer_.SelectedIndex();
}

SelectionRestore::~SelectionRestore() {
  if (index_ < 0) return;
  try {
    if (printer_.SelectedIndex() != index_) printer_.SetSelectedIndex(index_);
  } catch (...) {
    // The next job selects its printer again; a failure here must not hide the job's own.
  }
}

void SelectRoutedPrinter(TPrinter& printer, const std::string& chosen) {
  auto guard = printer.Lock();
  const std::vector<std::string> printers = printer.PrinterTexts();
  for (std::size_t i = 0; i < printers.size(); ++i) {
    if (printers[i] != chosen) continue;
    if (printer.SelectedIndex() != static_cast<int>(i))
      printer.SetSelectedIndex(static_cast<int>(i));
    return;
  }
  throw EPrinter(CannotPrintOn(chosen, "the printer is not installed"));
}

}  // namespace korv
