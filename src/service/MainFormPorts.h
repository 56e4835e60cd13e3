#pragma once
// What the service window's handlers need of the platform and of the other units.
// All of it runs on the window thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "service/FontAttributes.h"

namespace korv {

// The list selection dialog.
class ListSelector {
 public:
  virtual ~ListSelector() = default;
  // The 1-based number of the accepted item, 0 when nothing was chosen.
  virtual std::int16_t VListSelect(std::uint16_t count, std::uint16_t initial,
                                   const std::string& noun, const std::vector<std::string>& items,
                                   std::uint8_t position) = 0;
};

// The platform's font dialog, listing the Windows default printer's fixed-pitch fonts.
class FontDialog {
 public:
  virtual ~FontDialog() = default;
  // Starts from `current`; the chosen font, or nothing when the user cancelled.
  virtual std::optional<FontAttributes> Execute(const FontAttributes& current) = 0;
};

// The printer font: the font of the printer object's document canvas.
class CanvasFont {
 public:
  virtual ~CanvasFont() = default;
  virtual FontAttributes Font() = 0;
  virtual void SetFont(const FontAttributes& font) = 0;
};

// The text metrics of text jobs.
class TextMetricsReset {
 public:
  virtual ~TextMetricsReset() = default;
  virtual void ResetTextMetrics() = 0;
};

// Sounds and confirmation boxes.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  virtual void MessageBeep(unsigned type) = 0;
  // A confirmation box with "OK" and "Cancel"; true for "OK".
  virtual bool Confirm(const std::string& text) = 0;
};

// The application around the service window.
class AppCommands {
 public:
  virtual ~AppCommands() = default;
  virtual void ShowServiceWindow() = 0;
  virtual void PostQuit(int exitCode) = 0;
  // Hides the service and brings the host program's window to the front.
  virtual void ActivateHostWindow(bool pause) = 0;
};

}  // namespace korv
