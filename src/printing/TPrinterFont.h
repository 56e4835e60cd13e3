#pragma once
// The printer font as the canvas keeps it: a face with a size that is stored as a pixel
// height at a pixels-per-inch value, so it can be rescaled for another resolution.
#include <cstdint>
#include <string>

#include "printing/DeviceContext.h"

namespace korv {

enum class FontPitch : std::uint8_t { Default = 0, Fixed = 1, Variable = 2 };

// a * b / c rounded to the nearest whole number, halves away from zero; -1 when c is 0
// or the result does not fit (the platform's MulDiv).
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

struct TPrinterFont {
  std::string Name = "Courier New";
  std::uint8_t Charset = kDefaultCharset;
  FontPitch Pitch = FontPitch::Default;
  // > 0: cell height, < 0: character height, in pixels at PixelsPerInch.
  std::int32_t Height = -13;
  // The average character width in pixels at PixelsPerInch; 0 = the face's own for the height.
  std::int32_t Width = 0;
  std::int32_t PixelsPerInch = 96;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  // The size in points (character height); setting it sets Height.
  std::int32_t Size() const { return -MulDiv(Height, 72, PixelsPerInch); }
  void SetSize(std::int32_t points) { Height = -MulDiv(points, PixelsPerInch, 72); }
  // The same font measured in pixels at `pixelsPerInch`.
  TPrinterFont AtResolution(std::int32_t pixelsPerInch) const;

  LogFont ToLogFont() const;

  friend bool operator==(const TPrinterFont&, const TPrinterFont&) = default;
};

}  // namespace korv
