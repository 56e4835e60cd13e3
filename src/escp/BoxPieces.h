#pragma once
// Box-drawing and block characters drawn as rectangles in their character cell, so that
// lines join the pieces of the neighbouring cells whatever the printer font holds.
#include <cstdint>
#include <optional>
#include <vector>

#include "printing/DeviceContext.h"

namespace korv {

struct BoxPiece {
  enum class Arm : std::uint8_t { None, Single, Double };
  Arm left{}, right{}, up{}, down{};
  enum class Block : std::uint8_t {
    None,
    Full,
    Upper,
    Lower,
    Left,
    Right,
    Light,
    Medium,
    Dark
  } block{};
  friend bool operator==(const BoxPiece&, const BoxPiece&) = default;
};

// The piece a character draws: U+2500-U+257F lines (heavy and dashed lines drawn as single
// ones, diagonals none), U+2580-U+259F blocks (halves, full and shades; the eighths and
// quadrants none). Any other character is no piece.
std::optional<BoxPiece> BoxPieceOf(char16_t ch);

// One filled rectangle of a piece.
struct BoxFill {
  Rect rect;
  ColorRef colour = kBlack;
  friend bool operator==(const BoxFill&, const BoxFill&) = default;
};

// The rectangles that draw `piece` in `cell` with lines `penWidth` wide. Lines run on the
// cell's centre lines (double lines a line width and a gap either side of them) and reach
// the cell's edges, so the same piece shapes in neighbouring cells of one size meet.
std::vector<BoxFill> BoxPieceFills(const BoxPiece& piece, const Rect& cell, std::int32_t penWidth);

// Draws the piece in `cell` so neighbouring cells' pieces join; pen width in device pixels.
// Throws EPrinter when the platform refuses a brush or a fill.
void DrawBoxPiece(DeviceContext& dc, const BoxPiece& piece, const Rect& cell,
                  std::int32_t penWidth);

}  // namespace korv
