#include "dialogs/Placement.h"

namespace korv {

namespace {

// `thirds` is how many thirds of the screen lie before the dialog's cell.
std::int32_t Place(std::int32_t size, std::int32_t screen, std::int32_t thirds) {
  const std::int32_t third = screen / 3;
  std::int32_t edge = third / 2 + thirds * third - size / 2;
  if (screen < size + edge) edge = screen - size;
  if (edge < 0) edge = 0;
  return edge;
}

}  // namespace

std::int32_t PlaceLeft(std::int32_t width, std::uint8_t position, std::int32_t screenWidth) {
  std::int32_t thirds = 0;
  switch (position) {
    case 1:
    case 4:
    case 7:
      thirds = 2;
      break;
    case 3:
    case 6:
    case 9:
      thirds = 1;
      break;
    default:
      break;
  }
  return Place(width, screenWidth, thirds);
}

std::int32_t PlaceTop(std::int32_t height, std::uint8_t position, std::int32_t screenHeight) {
  std::int32_t thirds = 0;
  switch (position) {
    case 4:
    case 5:
    case 6:
      thirds = 1;
      break;
    case 7:
    case 8:
    case 9:
      thirds = 2;
      break;
    default:
      break;
  }
  return Place(height, screenHeight, thirds);
}

}  // namespace korv
