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

  auto guard = printer.Lock();
  const int index = IndexOfPrinter(printer.PrinterTexts(), chosen);
  if (index < 0) throw EPrinter(CannotPrintOn(chosen, "the printer is not installed"));
  // Selecting anew would drop the printer's context for nothing.
  if (printer.SelectedIndex() != index) printer.SetSelectedIndex(index);
}

}  // namespace korv
