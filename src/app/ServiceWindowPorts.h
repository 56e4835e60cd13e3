#pragma once
// What the service window's handlers need of the platform and of the other units, beside
// the application shell and the host window activation. All of it runs on the window thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/ListSelector.h"
#include "printing/TPrinterFont.h"

namespace korv {

// The platform's font dialog, listing the Windows default printer's fixed-pitch fonts.
class FontDialog {
 public:
  virtual ~FontDialog() = default;
  // Starts from `current`; the chosen font, or nothing when the user cancelled.
  virtual std::optional<TPrinterFont> Execute(const TPrinterFont& current) = 0;
};

// The printer font: the font of the printer object's document canvas.
class CanvasFont {
 public:
  virtual ~CanvasFont() = default;
  virtual TPrinterFont Font() = 0;
  // Takes over every attribute of `font`, at the canvas's own resolution.
  virtual void SetFont(const TPrinterFont& font) = 0;
};

// The text metrics of text jobs.
class TextMetricsReset {
 public:
  virtual ~TextMetricsReset() = default;
  virtual void ResetTextMetrics() = 0;
};

// The confirmation message box: "OK" and "Cancel", question icon, centred on the screen.
class ConfirmBox {
 public:
  virtual ~ConfirmBox() = default;
  // True for "OK"; "Cancel", Esc and closing the box give false.
  virtual bool Confirm(const std::string& text) = 0;
};

}  // namespace korv
