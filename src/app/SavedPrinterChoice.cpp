#include "app/SavedPrinterChoice.h"

#include <cstddef>
#include <string>
#include <vector>

#include "base/ServiceConstants.h"
#include "printing/PrinterNamed.h"
#include "routing/Routing.h"

namespace korv {

void SavedPrinterChoice::LoadPrinterChoice() {
  std::lock_guard guard(lock_);
  Load();
}

void SavedPrinterChoice::UseDefaultClicked(bool ticked) {
  std::lock_guard guard(lock_);
  const std::string stored = profile_.ProfileRead(kUseDefaultKey, kYes);
  if (ticked && stored == kNo) {
    profile_.ProfileWrite(kUseDefaultKey, kYes);
    Load();  // following the default printer again settles on the current printer
    return;
  }
  if (!ticked && stored == kYes) profile_.ProfileWrite(kUseDefaultKey, kNo);
  Show(DisplayOf(ReadStored(), PrinterFound::Unknown));
}

void SavedPrinterChoice::Load() {
  StoredChoice choice = ReadStored();
  PrinterFound found = PrinterFound::Unknown;
  try {
    found = SettleOnPrinter(choice);
  } catch (...) {
    Show(DisplayOf(choice, PrinterFound::Unknown));
    throw;
  }
  Show(DisplayOf(choice, found));
}

StoredChoice SavedPrinterChoice::ReadStored() const {
  StoredChoice choice;
  choice.useDefault = profile_.ProfileRead(kUseDefaultKey, kYes);
  choice.printer = profile_.ProfileRead(kPrinterKey, kNoPrinter);
  choice.raw = flags_.rawMode.load();
  choice.routing = RoutingLabel(ReadRouting(profile_));
  return choice;
}

// Makes the chosen printer current and stores what that changes. While the default
// printer is followed, or no name long enough was chosen, the current printer becomes
// the choice; raw mode gives up following the default printer.
PrinterFound SavedPrinterChoice::SettleOnPrinter(StoredChoice& choice) {
  chosenPrinter_.Set(choice.printer);
  std::vector<std::string> printers = printer_.PrinterList();
  if (!printers.empty() &&
      (choice.printer.size() < kShortestPrinterName || choice.useDefault == kYes)) {
    const int current = printer_.SelectedIndex();
    printers = printer_.PrinterList();  // selecting the default may have built the list
    if (current >= 0 && static_cast<std::size_t>(current) < printers.size()) {
      choice.printer = printers[static_cast<std::size_t>(current)];
      chosenPrinter_.Set(choice.printer);
      profile_.ProfileWrite(kPrinterKey, choice.printer);
    }
  }
  const int index = IndexOfPrinter(printers, choice.printer);
  if (index < 0) return PrinterFound::No;
  printer_.SetSelectedIndex(index);
  if (choice.raw) {
    profile_.ProfileWrite(kUseDefaultKey, kNo);
    choice.useDefault = std::string(kNo);
  }
  if (output_) choice.outputFolder = output_->FolderFor(choice.printer);
  return PrinterFound::Yes;
}

void SavedPrinterChoice::Show(const PrinterChoiceDisplay& display) {
  view_.EnableSelectPrinter(display.selectPrinterEnabled);
  view_.SetUseDefaultTicked(display.useDefaultTicked);
  if (display.printerLabel) view_.SetPrinterLabel(*display.printerLabel);
  if (display.textButtonsEnabled) {
    view_.EnablePrinterFont(*display.textButtonsEnabled);
    view_.EnableTestPage(*display.textButtonsEnabled);
  }
}

}  // namespace korv
