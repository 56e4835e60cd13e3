#pragma once
// What the ESC/P interpreter draws, in its own units: 1/2160 inch, measured from the top
// left edge of the sheet, as the print head's positions are. The page turns them into
// device pixels.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korv {

// A multiple of every step the printer language uses (1/60 ... 1/360, 1/72, 1/216, 1/240).
inline constexpr std::int32_t kEscpUnitsPerInch = 2160;

struct EscpStyle {
  std::int32_t em = 360;     // the font's size: 12 points at 10 characters an inch
  std::int32_t width = 216;  // a character's own width; 0 for the font's own (proportional)
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const EscpStyle&, const EscpStyle&) = default;
};

// Characters of one style on one line, the first at (x, y), each the next's distance
// after the one before. `lineHeight` is the line's spacing, the height of box pieces.
struct EscpTextRun {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t lineHeight = 0;
  EscpStyle style;
  std::u16string text;
  std::vector<std::int32_t> advances;
};

// A bit image: `columns` columns of `dots` dots, each column a whole number of bytes,
// top dot in the highest bit of its first byte.
struct EscpImage {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t columns = 0;
  std::int32_t dots = 8;  // 8, 24 or 48
  std::int32_t columnWidth = 0;
  std::int32_t dotHeight = 0;
  std::span<const std::uint8_t> data;  // columns * dots / 8 bytes
};

class EscpPage {
 public:
  virtual ~EscpPage() = default;
  virtual void Text(const EscpTextRun& run) = 0;
  virtual void Image(const EscpImage& image) = 0;
  // The page so far is done; what follows goes on the next sheet.
  virtual void NextPage() = 0;
  // A character's own width in the style's font (proportional spacing).
  virtual std::int32_t Advance(char16_t ch, const EscpStyle& style) = 0;
};

}  // namespace korv
