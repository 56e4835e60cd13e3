#pragma once
// Creating the printer font that text jobs are drawn in.
#include <cstdint>
#include <string>

namespace korv {

struct PrinterFontRequest {
  std::string faceName;
  std::uint8_t charSet = 1;  // DEFAULT_CHARSET
  int pointSize = 10;        // default pitch; the text renderer adjusts height and weight
};

class PrinterFontSetup {
 public:
  virtual ~PrinterFontSetup() = default;
  // Creates the font and makes it the font of the printer object's document canvas.
  virtual void CreatePrinterFont(const PrinterFontRequest& request) = 0;
};

}  // namespace korv
