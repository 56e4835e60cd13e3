#pragma once
// What the service window's handlers need of the platform and of the other units, beside
// the application shell and the host window activation. All of it runs on the window thread.
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

// The confirmation message box: "OK" and "Cancel", question icon, centred on the screen.
class ConfirmBox {
 public:
  virtual ~ConfirmBox() = default;
  // True for "OK"; "Cancel", Esc and closing the box give false.
  virtual bool Confirm(const std::string& text) = 0;
};

// The service window itself.
class ServiceWindow {
 public:
  virtual ~ServiceWindow() = default;
  virtual void Show() = 0;
};

}  // namespace korv
