#include "dialogs/Placement.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(Placement, WorkedExampleOnAScreen1024Wide) {
  EXPECT_EQ(PlaceLeft(300, 6, 1024), 361);  // T 341, base 170: 170 + 341 - 150
  EXPECT_EQ(PlaceLeft(300, 1, 1024), 702);  // 170 + 682 - 150
  EXPECT_EQ(PlaceLeft(300, 2, 1024), 20);   // 170 - 150
}

TEST(Placement, ColumnsAndRowsOfTheKeypad) {
  const int lefts[10] = {20, 702, 20, 361, 702, 20, 361, 702, 20, 361};
  const int tops[10] = {28, 28, 28, 28, 284, 284, 284, 540, 540, 540};
  for (std::uint8_t code = 0; code <= 9; ++code) {
    EXPECT_EQ(PlaceLeft(300, code, 1024), lefts[code]) << int(code);
    EXPECT_EQ(PlaceTop(200, code, 768), tops[code]) << int(code);  // T 256, base 128
  }
  EXPECT_EQ(PlaceLeft(300, 10, 1024), 20);  // codes above 9 fall back to the first cell
  EXPECT_EQ(PlaceTop(200, 255, 768), 28);
}

TEST(Placement, KeptOnTheScreen) {
  EXPECT_EQ(PlaceLeft(1100, 6, 1024), 0);   // wider than the screen
  EXPECT_EQ(PlaceTop(800, 9, 768), 0);      // taller than the screen
  EXPECT_EQ(PlaceLeft(600, 1, 1024), 424);  // 170 + 682 - 300 = 552 would run past the edge
  EXPECT_EQ(PlaceTop(500, 7, 768), 268);    // 128 + 512 - 250 = 390 would too
  EXPECT_EQ(PlaceLeft(500, 2, 1024), 0);    // 170 - 250 is negative
  EXPECT_EQ(PlaceLeft(1024, 6, 1024), 0);   // exactly the screen
}

}  // namespace
}  // namespace korv
