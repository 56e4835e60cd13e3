#pragma once
// The font dialog of "Printer &Font": the platform's ChooseFontA over the fixed-pitch
// fonts of the Windows default printer, whichever printer is chosen for printing.
#include "win32/Win32Api.h"

#include <functional>
#include <optional>
#include <string>

#include "app/ServiceWindowPorts.h"

namespace korv {

class ChooseFontDialog : public FontDialog {
 public:
  // `owner` gives the window the dialog belongs to; `defaultPrinterName` names the
  // printer whose fonts are listed.
  ChooseFontDialog(std::function<HWND()> owner, std::function<std::string()> defaultPrinterName)
      : owner_(std::move(owner)), defaultPrinterName_(std::move(defaultPrinterName)) {}

  // Throws when there is no default printer or its device context cannot be made, and
  // when the dialog itself fails (not when the user cancels).
  std::optional<TPrinterFont> Execute(const TPrinterFont& current) override;

 private:
  std::function<HWND()> owner_;
  std::function<std::string()> defaultPrinterName_;
};

}  // namespace korv
