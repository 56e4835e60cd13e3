#include "app/SavedPrinterChoice.h"

#include <cstddef>
#include <string>
#include <vector>

#include "base/ServiceConstants.h"
#include "routing/Routing.h"

namespace korv {

void SavedPrinterChoice::LoadPrinterChoice() {
  std::lock_guard guard(lock_);
  Load();
}

void SavedPrinterChoice::SetDefaultPrinter() {
  std::lock_guard guard(lock_);
  ApplyDefaultToggle();
}

void SavedPrinterChoice::Load() {
  std::string chosen = profile_.ProfileRead(kPrinterKey, kNoPrinter);
  chosenPrinter_.Set(chosen);
  const std::string useDefault = profile_.ProfileRead(kUseDefaultKey, kYes);

  view_.EnableSelectPrinter(useDefault == kNo);

  // The box's click handler runs only for a real change; it then finds the box agreeing
  // with the stored value, so nothing is stored and nothing loops.
  const bool tick = useDefault == kYes;
  if (view_.UseDefaultTicked() != tick) {
    view_.SetUseDefaultTicked(tick);
    ApplyDefaultToggle();
  }

  std::vector<std::string> printers = printer_.PrinterList();
  if (chosen.size() < kShortestPrinterName || useDefault == kYes) {
    if (!printers.empty()) {
      const int current = printer_.SelectedIndex();
      printers = printer_.PrinterList();  // selecting the default may have built the list
      if (current >= 0 && static_cast<std::size_t>(current) < printers.size()) {
        chosen = printers[static_cast<std::size_t>(current)];
        chosenPrinter_.Set(chosen);
        profile_.ProfileWrite(kPrinterKey, chosen);
      }
    }
  }

  bool found = false;
  for (std::size_t i = 0; i < printers.size() && !found; ++i) {
    if (printers[i] != chosen) continue;
    found = true;
    printer_.SetSelectedIndex(static_cast<int>(i));
    const bool raw = flags_.RawMode.load();
    if (raw) {
      view_.SetPrinterLabel(PrinterLabel(chosen, true));
      view_.EnableSelectPrinter(true);
      if (view_.UseDefaultTicked()) {
        view_.SetUseDefaultTicked(false);
        ApplyDefaultToggle();
      }
      profile_.ProfileWrite(kUseDefaultKey, kNo);
    } else {
      view_.SetPrinterLabel(PrinterLabel(chosen, false));
    }
    view_.EnablePrinterFont(!raw);
    view_.EnableTestPage(!raw);
  }
  // A chosen printer that is not installed is named as such: jobs wait for it (they never
  // go to another printer), and the label says why.
  if (!found && useDefault == "N" && chosen.size() >= kShortestPrinterName)
    view_.SetPrinterLabel("Printer: " + chosen + (flags_.RawMode ? " (Raw printing)" : "") +
                          " - not found");
}

std::string SavedPrinterChoice::PrinterLabel(const std::string& printer, bool raw) {
  std::string label = "Printer: " + printer;
  if (raw) label += " (Raw printing)";
  label += RoutingLabel(ReadRouting(profile_));
  const std::string folder = output_ ? output_->FolderFor(printer) : "";
  if (!folder.empty()) label += " -> " + folder;
  return label;
}

void SavedPrinterChoice::ApplyDefaultToggle() {
  const std::string stored = profile_.ProfileRead(kUseDefaultKey, kYes);
  const bool ticked = view_.UseDefaultTicked();
  if (ticked && stored == kNo) {
    profile_.ProfileWrite(kUseDefaultKey, kYes);
    Load();
    view_.EnableSelectPrinter(false);
  } else if (!ticked && stored == kYes) {
    profile_.ProfileWrite(kUseDefaultKey, kNo);
    view_.EnableSelectPrinter(true);
  }
}

}  // namespace korv
