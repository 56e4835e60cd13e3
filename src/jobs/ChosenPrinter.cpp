#include "jobs/ChosenPrinter.h"

#include <string>

#include "base/ServiceConstants.h"
#include "jobs/PrintFailureText.h"
#include "printing/EPrinter.h"
#include "printing/PrinterNamed.h"
#include "spool/PrinterChoice.h"

namespace korv {

void RequireChosenPrinter(Profile& profile, TPrinter& printer) {
  if (profile.ProfileRead(kUseDefaultKey, kYes) != kNo) return;
  const std::string chosen = profile.ProfileRead(kPrinterKey, kNoPrinter);
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
  const int index = IndexOfPrinter(printer.PrinterTexts(), chosen);
  if (index < 0) throw EPrinter(CannotPrintOn(chosen, "the printer is not installed"));
  // Selecting anew would drop the printer's context for nothing.
  if (printer.SelectedIndex() != index) printer.SetSelectedIndex(index);
}

}  // namespace korv
