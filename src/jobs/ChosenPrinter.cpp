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
