#include "app/PrinterChoiceDisplay.h"

#include "base/ServiceConstants.h"
#include "spool/PrinterChoice.h"

namespace korv {

PrinterChoiceDisplay DisplayOf(const StoredChoice& choice, PrinterFound found) {
  PrinterChoiceDisplay display;
  display.useDefaultTicked = choice.useDefault == kYes;
  display.selectPrinterEnabled = choice.useDefault == kNo;
  const std::string named = "Printer: " + choice.printer + (choice.raw ? " (Raw printing)" : "");
  if (found == PrinterFound::Yes) {
    display.printerLabel =
        choice.outputFolder.empty() ? named : named + " -> " + choice.outputFolder;
    display.textButtonsEnabled = !choice.raw;
  } else if (found == PrinterFound::No && choice.useDefault == kNo &&
             choice.printer.size() >= kShortestPrinterName) {
    // Jobs wait for a chosen printer that is not installed (they never go to another
    // printer); the label says why.
    display.printerLabel = named + " - not found";
  }
  return display;
}

}  // namespace korv
