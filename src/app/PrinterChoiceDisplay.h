#pragma once
// What the window shows of the printer choice, derived from the stored choice alone: the
// window keeps no state of its own about it, so it cannot disagree with the profile.
#include <optional>
#include <string>

namespace korv {

// The choice as the profile stores it once the printer object has settled it.
struct StoredChoice {
  std::string useDefault;    // UseDefault as stored: "Y", "N" or anything else (neither)
  std::string printer;       // the printer the choice settled on
  bool raw = false;          // rawMode
  std::string outputFolder;  // where the printer writes when it prints to files, else empty
  std::string routing;       // the label's word on routing (RoutingLabel), else empty
};

// Whether the chosen printer is in the printer list; Unknown while it was not looked for.
enum class PrinterFound { Yes, No, Unknown };

struct PrinterChoiceDisplay {
  bool useDefaultTicked = false;      // "Use Windows default printer"
  bool selectPrinterEnabled = false;  // "Select &Printer"
  // Nothing: the control stays as it is.
  std::optional<std::string> printerLabel;
  std::optional<bool> textButtonsEnabled;  // "Printer &Font" and "Print &Test Page"
};

PrinterChoiceDisplay DisplayOf(const StoredChoice& choice, PrinterFound found);

}  // namespace korv
