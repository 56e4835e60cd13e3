#pragma once
// A font as the font dialog and the printer's canvas exchange it.
#include <cstdint>
#include <string>

#include "printing/TPrinterFont.h"  // FontPitch

namespace korv {

struct FontAttributes {
  std::string face;
  std::int32_t pointSize10 = 100;  // tenths of a point
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charSet = 1;  // DEFAULT_CHARSET
  FontPitch pitch = FontPitch::Default;

  friend bool operator==(const FontAttributes&, const FontAttributes&) = default;
};

}  // namespace korv
