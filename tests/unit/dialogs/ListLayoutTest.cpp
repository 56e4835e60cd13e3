#include "dialogs/ListLayout.h"

#include <gtest/gtest.h>

#include "fakes/FakeTextMeasure.h"

namespace korv {
namespace {

class ListLayoutTest : public ::testing::Test {
 protected:
  ListLayout Layout(const std::vector<std::string>& items) {
    return LayoutListDialog(input, ListItems(items, items.size()), measure);
  }
  ListLayoutInput input{"Select printer", 16, 1024, 768, 25, 6};
  fakes::FakeTextMeasure measure;
};

TEST_F(ListLayoutTest, FewShortItemsKeepTheMinimumWidth) {
  const ListLayout l = Layout({"LaserJet 4", "Epson FX"});
  EXPECT_EQ(l.listWidth, 210);  // 200 + 10
  EXPECT_FALSE(l.bothScrollBars);
  EXPECT_EQ(l.listHeight, 2 * 16 + 4);
  EXPECT_EQ(l.clientHeight, 36 + 26 + 15);
  EXPECT_EQ(l.windowHeight, 77 + 25);
  EXPECT_EQ(l.windowWidth, 218);
  EXPECT_EQ(l.left, 170 + 341 - 109);  // centred: code 6
  EXPECT_EQ(l.top, 128 + 256 - 51);
  EXPECT_EQ(l.okLeft, 8);
  EXPECT_EQ(l.cancelLeft, 218 - 70 - 30);
  EXPECT_EQ(l.buttonTop, 102 - 26 - 35);
}

TEST_F(ListLayoutTest, WidestTextOrCaptionSetsTheWidth) {
  EXPECT_EQ(Layout({std::string(40, 'w'), "x"}).listWidth, 40 * 7 + 30 + 10);
  input.caption = "Select " + std::string(43, 'n');  // 50 characters
  EXPECT_EQ(Layout({"x"}).listWidth, 50 * 7 + 30 + 10);
}

TEST_F(ListLayoutTest, TextsAreMeasuredCutTo255Characters) {
  measure.charWidth = 2;
  EXPECT_EQ(Layout({std::string(400, 'a')}).listWidth, 255 * 2 + 30 + 10);
}

TEST_F(ListLayoutTest, TooWideForTheScreenScrollsBothWaysAndIsOneRowTaller) {
  input.screenWidth = 640;
  const ListLayout l = Layout({std::string(90, 'w'), "b", "c"});  // 660 + 10 > 640 - 10
  EXPECT_EQ(l.listWidth, 630);
  EXPECT_EQ(l.textWidth, 660);  // what the sideways scroll bar covers
  EXPECT_TRUE(l.bothScrollBars);
  EXPECT_EQ(l.listHeight, 3 * 16 + 4 + 16);
  EXPECT_EQ(l.windowWidth, 638);
  EXPECT_EQ(l.left, 0);  // 638 wide on a 640 screen: pinned to the left edge
}

TEST_F(ListLayoutTest, ScreenWidthLimitIsTheListWidthPlusTen) {
  const std::vector<std::string> items{std::string(89, 'w')};  // 623 + 30: list 663 wide
  input.screenWidth = 673;
  ListLayout l = Layout(items);
  EXPECT_EQ(l.listWidth, 663);
  EXPECT_FALSE(l.bothScrollBars);
  input.screenWidth = 672;
  l = Layout(items);
  EXPECT_EQ(l.listWidth, 662);
  EXPECT_TRUE(l.bothScrollBars);
}

TEST_F(ListLayoutTest, TooManyRowsShowWhatFitsAndScroll) {
  std::vector<std::string> many(100, "Printer");
  const ListLayout l = Layout(many);
  EXPECT_EQ(l.listHeight, ((768 - 130) / 16) * 16 + 4);  // 39 rows
  input.rowHeight = 20;
  EXPECT_EQ(Layout(many).listHeight, 31 * 20 + 4);
}

TEST_F(ListLayoutTest, EmptyListIsFourPixelsHigh) {
  const ListLayout l = Layout({});
  EXPECT_EQ(l.listHeight, 4);
  EXPECT_EQ(l.listWidth, 210);
  EXPECT_EQ(l.clientHeight, 4 + 26 + 15);
}

TEST_F(ListLayoutTest, OnlyTheCountedItemsAreMeasured) {
  const std::vector<std::string> items{"a", std::string(60, 'w')};
  EXPECT_EQ(LayoutListDialog(input, ListItems(items, 1), measure).listWidth, 210);
  EXPECT_EQ(LayoutListDialog(input, ListItems(items, 9), measure).listHeight, 2 * 16 + 4);
}

}  // namespace
}  // namespace korv
