#pragma once
// A dialog's position from a keypad-style code: 1 to 9 name the cells of a 3 x 3 grid
// over the screen (see the table below); any other code counts as the top-left cell.
//
//   code  1 right/top     2 left/top     3 middle/top
//         4 right/middle  5 left/middle  6 middle/middle (centred)
//         7 right/bottom  8 left/bottom  9 middle/bottom
//
// The dialog is centred on its cell, then kept on the screen; the edge is never negative.
#include <cstdint>

namespace korv {

std::int32_t PlaceLeft(std::int32_t width, std::uint8_t position, std::int32_t screenWidth);
std::int32_t PlaceTop(std::int32_t height, std::uint8_t position, std::int32_t screenHeight);

}  // namespace korv
