#pragma once
// Turns the saved printer settings into the printer object's current printer and the
// window's printer label and buttons. Called by start-up and on every mode change.
namespace korv {

class PrinterChoice {
 public:
  virtual ~PrinterChoice() = default;
  virtual void LoadPrinterChoice() = 0;
};

}  // namespace korv
