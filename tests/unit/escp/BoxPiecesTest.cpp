#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "escp/BoxPieces.h"
#include "fakes/FakeDeviceContext.h"
#include "printing/EPrinter.h"

namespace korv {
namespace {

using Arm = BoxPiece::Arm;
using Block = BoxPiece::Block;
constexpr Arm N = Arm::None, S = Arm::Single, D = Arm::Double;

TEST(BoxPieceOf, GivesTheArmsAndBlocksOfLineAndBlockCharacters) {
  const struct {
    char16_t ch;
    std::optional<BoxPiece> piece;
  } rows[] = {
      {u'\u2500', BoxPiece{S, S, N, N}},
      {u'\u2502', BoxPiece{N, N, S, S}},
      {u'\u250C', BoxPiece{N, S, N, S}},
      {u'\u2518', BoxPiece{S, N, S, N}},
      {u'\u253C', BoxPiece{S, S, S, S}},
      {u'\u2501', BoxPiece{S, S, N, N}},  // heavy
      {u'\u2554', BoxPiece{N, D, N, D}},
      {u'\u2552', BoxPiece{N, D, N, S}},
      {u'\u2562', BoxPiece{S, N, D, D}},
      {u'\u256B', BoxPiece{S, S, D, D}},
      {u'\u2567', BoxPiece{D, D, S, N}},
      {u'\u2574', BoxPiece{S, N, N, N}},
      {u'\u256D', BoxPiece{N, S, N, S}},
      {u'\u2571', std::nullopt},
      {u'\u2580', BoxPiece{N, N, N, N, Block::Upper}},
      {u'\u2588', BoxPiece{N, N, N, N, Block::Full}},
      {u'\u2590', BoxPiece{N, N, N, N, Block::Right}},
      {u'\u2592', BoxPiece{N, N, N, N, Block::Medium}},
      {u'\u2596', std::nullopt},
      {u'\u25A0', std::nullopt},
      {u'A', std::nullopt},
      {u'\u00C1', std::nullopt},
  };
  for (const auto& row : rows)
    EXPECT_EQ(BoxPieceOf(row.ch), row.piece) << std::hex << static_cast<unsigned>(row.ch);
}

// The piece in a 9 x 9 cell with lines one pixel wide, drawn as rows of '#'.
std::vector<std::string> Picture(char16_t ch) {
  std::vector<std::string> rows(9, std::string(9, '.'));
  for (const BoxFill& fill : BoxPieceFills(*BoxPieceOf(ch), {0, 0, 9, 9}, 1))
    for (int y = fill.rect.top; y < fill.rect.bottom; ++y)
      for (int x = fill.rect.left; x < fill.rect.right; ++x)
        rows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)) = '#';
  return rows;
}

// Lines reach the cell's edges on its centre lines, double lines one line and one gap
// either side, so that pieces in neighbouring cells meet.
TEST(BoxPieceFills, LinesJoinAtTheCentreLinesAndReachTheEdges) {
  const struct {
    char16_t ch;
    std::vector<std::string> picture;
  } rows[] = {
      {u'\u250C',
       {".........", ".........", ".........", ".........", "....#####", "....#....", "....#....",
        "....#....", "....#...."}},
      {u'\u2554',
       {".........", ".........", ".........", "...######", "...#.....", "...#.####", "...#.#...",
        "...#.#...", "...#.#..."}},
      {u'\u256C',
       {"...#.#...", "...#.#...", "...#.#...", "####.####", ".........", "####.####", "...#.#...",
        "...#.#...", "...#.#..."}},
      {u'\u2564',
       {".........", ".........", ".........", "#########", ".........", "#########", "....#....",
        "....#....", "....#...."}},
      {u'\u256B',
       {"...#.#...", "...#.#...", "...#.#...", "...#.#...", "#########", "...#.#...", "...#.#...",
        "...#.#...", "...#.#..."}},
      {u'\u2555',
       {".........", ".........", ".........", "#####....", "....#....", "#####....", "....#....",
        "....#....", "....#...."}},
      {u'\u2562',
       {"...#.#...", "...#.#...", "...#.#...", "...#.#...", "####.#...", "...#.#...", "...#.#...",
        "...#.#...", "...#.#..."}},
      {u'\u2584',
       {".........", ".........", ".........", ".........", "#########", "#########", "#########",
        "#########", "#########"}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Picture(row.ch), row.picture) << std::hex << static_cast<unsigned>(row.ch);
}

TEST(DrawBoxPiece, FillsTheRectanglesWithBlackOrTheShadesGrey) {
  fakes::FakeDeviceLog log;
  fakes::FakeDeviceContext dc(log, {}, "printer");
  const Rect cell{100, 200, 160, 300};
  DrawBoxPiece(dc, *BoxPieceOf(u'\u2566'), cell, 6);
  const std::vector<BoxFill> fills = BoxPieceFills(*BoxPieceOf(u'\u2566'), cell, 6);
  ASSERT_EQ(log.fills.size(), fills.size());
  for (std::size_t i = 0; i < fills.size(); ++i) {
    EXPECT_EQ(log.fills[i].rect, fills[i].rect);
    EXPECT_EQ(log.fills[i].colour, kBlack);
  }
  EXPECT_EQ(log.brushesCreated, 1);  // one brush for all of a piece's lines

  log.fills.clear();
  DrawBoxPiece(dc, *BoxPieceOf(u'\u2591'), cell, 6);
  ASSERT_EQ(log.fills.size(), 1u);
  EXPECT_EQ(log.fills[0].rect, cell);
  EXPECT_EQ(log.fills[0].colour, 0xBFBFBFu);

  log.failing = {"FillRect"};
  EXPECT_THROW(DrawBoxPiece(dc, *BoxPieceOf(u'\u2500'), cell, 6), EPrinter);
}

}  // namespace
}  // namespace korv
