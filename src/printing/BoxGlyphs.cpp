#include "printing/BoxGlyphs.h"

#include <initializer_list>

namespace korv {

bool IsBoxGlyph(std::uint8_t code) {
  switch (code) {
    case 179:
    case 180:
    case 191:
    case 192:
    case 193:
    case 194:
    case 195:
    case 196:
    case 197:
    case 217:
    case 218:
    case 219:
    case 223:
      return true;
    default:
      return false;
  }
}

std::int32_t GlyphPenWidth(std::int32_t pixelsPerInch) {
  std::int64_t numerator = static_cast<std::int64_t>(pixelsPerInch) * 7;
  constexpr std::int64_t kDenominator = 720;
  std::int64_t width = numerator / kDenominator;
  std::int64_t twiceRest = (numerator % kDenominator) * 2;
  if (twiceRest > kDenominator || (twiceRest == kDenominator && width % 2 != 0)) ++width;
  return width < 1 ? 1 : static_cast<std::int32_t>(width);
}

namespace {

void AddStroke(GlyphShape& shape, std::initializer_list<Point> points) {
  GlyphStroke& stroke = shape.strokes[static_cast<std::size_t>(shape.strokeCount++)];
  for (const Point& point : points) stroke.points[static_cast<std::size_t>(stroke.count++)] = point;
}

}  // namespace

GlyphShape BoxGlyphShape(std::uint8_t code, std::int32_t x, std::int32_t y, std::int32_t w,
                         std::int32_t h, std::int32_t pen) {
  const std::int32_t cx = x + (w - pen) / 2;
  const std::int32_t cy = y + (h - pen) / 2;
  const Point top{cx, y}, bottom{cx, y + h}, left{x, cy}, right{x + w, cy}, centre{cx, cy};
  GlyphShape shape;
  switch (code) {
    case 179:  // vertical
      AddStroke(shape, {top, bottom});
      break;
    case 180:  // vertical with left arm
      AddStroke(shape, {top, bottom});
      AddStroke(shape, {left, centre});
      break;
    case 191:  // top-right corner
      AddStroke(shape, {left, centre, bottom});
      break;
    case 192:  // bottom-left corner
      AddStroke(shape, {top, centre, right});
      break;
    case 193:  // horizontal with up arm
      AddStroke(shape, {left, right});
      AddStroke(shape, {top, centre});
      break;
    case 194:  // horizontal with down arm
      AddStroke(shape, {left, right});
      AddStroke(shape, {centre, bottom});
      break;
    case 195:  // vertical with right arm
      AddStroke(shape, {top, bottom});
      AddStroke(shape, {centre, right});
      break;
    case 196:  // horizontal
      AddStroke(shape, {left, right});
      break;
    case 197:  // cross
      AddStroke(shape, {top, bottom});
      AddStroke(shape, {left, right});
      break;
    case 217:  // bottom-right corner
      AddStroke(shape, {left, centre, top});
      break;
    case 218:  // top-left corner
      AddStroke(shape, {bottom, centre, right});
      break;
    case 219:  // full block
      shape.filled = true;
      shape.fill = {x, y, x + w, y + h};
      break;
    case 223:  // upper half block
      shape.filled = true;
      shape.fill = {x, y, x + w, y + h / 2};
      break;
    default:
      break;
  }
  return shape;
}

}  // namespace korv
