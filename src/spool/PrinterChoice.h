#pragma once
// Turns the saved printer settings into the printer object's current printer and the
// window's printer label and buttons. Called by start-up and on every mode change.
#include <cstddef>

namespace korv {

// A stored printer name shorter than this is taken for a leftover, not a printer choice.
inline constexpr std::size_t kShortestPrinterName = 10;

class PrinterChoice {
 public:
  virtual ~PrinterChoice() = default;
  virtual void LoadPrinterChoice() = 0;
};

}  // namespace korv
