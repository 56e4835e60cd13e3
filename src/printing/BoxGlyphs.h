#pragma once
// The host character set's box-drawing characters, drawn as lines and blocks in a
// character cell so that frames join up whatever the printer font holds.
#include <array>
#include <cstdint>

#include "printing/DeviceContext.h"

namespace korv {

bool IsBoxGlyph(std::uint8_t code);

// The line width for box glyphs: 0.7 of a point at `pixelsPerInch`, rounded to the
// nearest pixel with halves to the even neighbour, at least 1.
std::int32_t GlyphPenWidth(std::int32_t pixelsPerInch);

struct GlyphStroke {
  std::array<Point, 3> points{};
  int count = 0;  // a move to the first point, then lines to the rest
};

struct GlyphShape {
  std::array<GlyphStroke, 2> strokes{};
  int strokeCount = 0;
  bool filled = false;
  Rect fill{};  // filled in black
};

// The shape of `code` in the cell at (x, y), `w` wide and `h` high, with lines `pen` wide.
// An unknown code gives an empty shape.
GlyphShape BoxGlyphShape(std::uint8_t code, std::int32_t x, std::int32_t y, std::int32_t w,
                         std::int32_t h, std::int32_t pen);

}  // namespace korv
