#include "printing/TPrinterFont.h"

#include <limits>

namespace korv {

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  std::int64_t half = divisor / 2;
  std::int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  if (result > std::numeric_limits<std::int32_t>::max() ||
      result < std::numeric_limits<std::int32_t>::min())
    return -1;
  return static_cast<std::int32_t>(result);
}

TPrinterFont TPrinterFont::AtResolution(std::int32_t pixelsPerInch) const {
  TPrinterFont font = *this;
  font.Height = MulDiv(Height, pixelsPerInch, PixelsPerInch);
  font.Width = MulDiv(Width, pixelsPerInch, PixelsPerInch);
  font.PixelsPerInch = pixelsPerInch;
  return font;
}

LogFont TPrinterFont::ToLogFont() const {
  LogFont font;
  font.height = Height;
  font.width = Width;
  font.weight = Bold ? kWeightBold : kWeightNormal;
  font.italic = Italic;
  font.underline = Underline;
  font.strikeOut = StrikeOut;
  font.charSet = Charset;
  font.pitchAndFamily = static_cast<std::uint8_t>(Pitch);
  font.faceName = Name.substr(0, kFaceNameMax);
  return font;
}

}  // namespace korv
