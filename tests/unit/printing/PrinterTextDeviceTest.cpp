// The text device: the cell grid, lines and pages, clipping, and the box glyphs.
#include "printing/PrinterTextDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/FakePrintSystem.h"
#include "printing/BoxGlyphs.h"

namespace korv {
namespace {

using fakes::FakeDeviceLog;
using fakes::FakePrintSystem;

struct Placed {
  int page;
  int x, y;
  std::string text;
  friend bool operator==(const Placed&, const Placed&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Placed& p) {
    return out << "{page " << p.page << ", " << p.x << "," << p.y << " '" << p.text << "'}";
  }
};

class TextDevice : public ::testing::Test {
 protected:
  // A font 50 pixels high has cells 30 wide on the fake device.
  explicit TextDevice(int pixelsPerInch = 300, int height = 50) {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
    system.caps[DeviceCap::LogPixelsX] = pixelsPerInch;
    system.caps[DeviceCap::LogPixelsY] = pixelsPerInch;
    TPrinterFont font;
    font.PixelsPerInch = pixelsPerInch;
    font.Height = height;
    printer.DocumentCanvas().SetFont(font);
  }

  std::vector<Placed> Texts() const {
    std::vector<Placed> placed;
    for (const auto& t : system.log.texts) placed.push_back({t.page, t.at.x, t.at.y, t.text});
    return placed;
  }

  // The drawing calls as made: where each starts, its text, and its advances.
  struct Call {
    int x, y;
    std::string text;
    std::vector<std::int32_t> advances;
    friend bool operator==(const Call&, const Call&) = default;
  };
  std::vector<Call> Calls() const {
    std::vector<Call> calls;
    for (const auto& c : system.log.textCalls)
      calls.push_back({c.at.x, c.at.y, c.text, c.advances});
    return calls;
  }
  static std::vector<std::int32_t> Cells(std::size_t n, std::int32_t w = 30) {
    return std::vector<std::int32_t>(n, w);
  }

  FakePrintSystem system;
  TPrinter printer{system};
  PrinterTextDevice device{printer};
};

// Neighbouring characters of a line go out in one call; whatever else is drawn, or any
// change of place, font or page, starts the next.
TEST_F(TextDevice, DrawsEachRunOfALineInOneCallWithTheCellAdvances) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Call> calls;
  };
  const std::vector<Case> cases = {
      {"text, a glyph, text",
       "AB\xB3"
       "CD",
       {{0, 0, "AB", Cells(2)}, {90, 0, "CD", Cells(2)}}},
      {"spaces inside travel, outside not", "  A B  C\tD  ", {{60, 0, "A B  C\tD", Cells(8)}}},
      {"a carriage return", "ABC\rX", {{0, 0, "ABC", Cells(3)}, {0, 0, "X", Cells(1)}}},
      {"a line feed", "AB\nCD", {{0, 0, "AB", Cells(2)}, {0, 50, "CD", Cells(2)}}},
      {"a form feed", "AB\fCD", {{0, 0, "AB", Cells(2)}, {0, 0, "CD", Cells(2)}}},
  };
  device.Open();
  for (const Case& c : cases) {
    device.Write("\f");  // each case on a page of its own, from the top left
    system.log.textCalls.clear();
    device.Write(c.bytes);
    EXPECT_EQ(Calls(), c.calls) << c.name;
  }
  device.Close();
}

TEST_F(TextDevice, ARunIsCutAtTheRightLimitAndEachWriteIsDrawnBeforeItReturns) {
  system.caps[DeviceCap::HorzRes] = 100;
  device.Open();
  device.Write("AB");
  EXPECT_EQ(Calls(), (std::vector<Call>{{0, 0, "AB", Cells(2)}}));
  device.Write("CDE\nF GHI");  // C fits up to 90; on the next line 3 cells fit
  EXPECT_EQ(Calls(),
            (std::vector<Call>{
                {0, 0, "AB", Cells(2)}, {60, 0, "C", Cells(1)}, {0, 50, "F G", Cells(3)}}));
  device.Close();
}

TEST_F(TextDevice, AFontChangeBetweenWritesEndsTheRun) {
  device.Open();
  device.Write("AB");
  printer.DocumentCanvas().SetFontHeight(25);  // a pitch change: cells 15 wide
  device.Write("CD");
  printer.DocumentCanvas().SetFontBold(true);
  device.Write("EF");
  EXPECT_EQ(Calls(),
            (std::vector<Call>{
                {0, 0, "AB", Cells(2)}, {60, 0, "CD", Cells(2, 15)}, {90, 0, "EF", Cells(2, 15)}}));
  ASSERT_EQ(system.log.textCalls.size(), 3u);
  EXPECT_FALSE(system.log.textCalls[1].font.weight == kWeightBold);
  EXPECT_TRUE(system.log.textCalls[2].font.weight == kWeightBold);
  device.Close();
}

TEST_F(TextDevice, PlacesEveryCharacterInItsCellAndLeavesSpacesBlank) {
  device.Open();
  device.Write("AB  C\tD");
  using P = Placed;
  EXPECT_THAT(Texts(), ::testing::ElementsAre(P{1, 0, 0, "A"}, P{1, 30, 0, "B"}, P{1, 120, 0, "C"},
                                              P{1, 150, 0, "\t"}, P{1, 180, 0, "D"}));
  EXPECT_EQ(device.CursorX(), 210);
  device.Write('\r');
  device.Write("E");
  EXPECT_EQ(Texts().back(), (P{1, 0, 0, "E"}));
  device.Close();
  EXPECT_THAT(system.log.calls, ::testing::ElementsAre("SetAbortProc", "StartDocA", "StartPage",
                                                       "EndPage", "EndDoc"));
}

TEST_F(TextDevice, LinesAdvanceByTheTallestRunOrTheFontOrTheLineHeight) {
  device.Open();
  device.Write("A\n");
  EXPECT_EQ(device.CursorY(), 50);  // the measured run
  device.Write("\n");
  EXPECT_EQ(device.CursorY(), 100);  // no text: the font height
  device.Write("\xC4\n");
  EXPECT_EQ(device.CursorY(), 150);  // glyphs claim no extent
  EXPECT_FALSE(printer.PageStarted());

  printer.SetLineHeight(42);
  device.Write("B\n\n");
  EXPECT_EQ(device.CursorY(), 234);
  EXPECT_EQ(device.CursorX(), 0);
  device.Close();
}

TEST_F(TextDevice, OverflowStartsANewPageAtTheTop) {
  system.caps[DeviceCap::VertRes] = 120;
  device.Open();
  device.Write("A\n");  // 50: one more line of 50 still fits
  EXPECT_EQ(system.log.page, 1);
  device.Write("B\n");  // 100 > 120 - 50
  EXPECT_EQ(system.log.page, 2);
  EXPECT_EQ(device.CursorY(), 0);
  EXPECT_TRUE(printer.PageStarted());
  device.Write("C");
  EXPECT_EQ(Texts().back(), (Placed{2, 0, 0, "C"}));
  device.Write("\n");
  EXPECT_FALSE(printer.PageStarted());
  device.Close();
}

TEST_F(TextDevice, FormFeedsMakeOnePageOnlyWhenSomethingFollows) {
  device.Open();
  device.Write("AB");
  device.Write("\f\f");
  EXPECT_TRUE(device.PendingFormFeed());
  EXPECT_EQ(system.log.page, 1);
  device.Write("C");  // at the top left, whatever the cursor was
  EXPECT_EQ(Texts().back(), (Placed{2, 0, 0, "C"}));
  EXPECT_EQ(system.log.page, 2);
  EXPECT_FALSE(device.PendingFormFeed());

  device.Write("\f");
  device.Close();  // a form feed at the end adds no blank page
  EXPECT_EQ(system.log.Count("StartPage"), 2);
  EXPECT_EQ(system.log.Count("EndPage"), 2);
}

TEST_F(TextDevice, AFormFeedThenAnOverflowingLineFeedGiveOneNewPage) {
  system.caps[DeviceCap::VertRes] = 60;
  device.Open();
  device.Write("A\f\n");  // the line ends on the old page and overflows
  EXPECT_EQ(system.log.page, 2);
  EXPECT_FALSE(device.PendingFormFeed());
  device.Write("B");
  EXPECT_EQ(Texts().back(), (Placed{2, 0, 0, "B"}));
  EXPECT_EQ(system.log.page, 2);
  device.Close();
}

TEST_F(TextDevice, AGlyphAfterAFormFeedIsDrawnOnTheNewPage) {
  device.Open();
  device.Write("A\f\xB3");
  ASSERT_EQ(system.log.lines.size(), 1u);
  EXPECT_EQ(system.log.lines[0].page, 2);
  EXPECT_EQ(system.log.lines[0].from, (Point{13, 0}));
  device.Close();
}

TEST_F(TextDevice, TextIsClippedAtTheRightLimit) {
  system.caps[DeviceCap::HorzRes] = 100;
  device.Open();
  device.Write("ABCDE");
  EXPECT_EQ(Texts().size(), 3u);  // 3 cells end at 90; a fourth would end at 120
  EXPECT_EQ(device.CursorX(), 90);
  device.Write("F  ");
  EXPECT_EQ(Texts().size(), 3u);
  EXPECT_EQ(device.LineExtent(), 50);  // the dropped run still claims its height
  device.Write("\xB3");                // glyphs are not clipped
  EXPECT_EQ(system.log.lines.back().from.x, 90 + 13);
  device.Write("\nG");
  EXPECT_EQ(Texts().back(), (Placed{1, 0, 50, "G"}));
  device.Close();
}

// Tight lines overlap the cells of the line above: an opaque cell would erase its bottom.
TEST_F(TextDevice, TextLeavesItsCellsBackgroundAloneOnEveryPage) {
  device.Open();
  device.Write("A\nB\fC");  // the fake's new page forgets the mode, as Windows 9x does
  system.log.failing.insert("SetBkMode");
  device.Write("\fD");  // a context that refuses still prints
  system.log.failing.clear();
  device.Write("E");  // and is asked again
  device.Close();
  std::vector<std::pair<std::string, BackgroundMode>> drawn;
  for (const auto& t : system.log.texts) drawn.emplace_back(t.text, t.background);
  const auto transparent = BackgroundMode::Transparent;
  EXPECT_THAT(drawn, ::testing::ElementsAre(
                         std::pair{"A", transparent}, std::pair{"B", transparent},
                         std::pair{"C", transparent}, std::pair{"D", BackgroundMode::Opaque},
                         std::pair{"E", transparent}));
}

TEST_F(TextDevice, AnAbandonedOpenDeviceThrowsItsDocumentAway) {
  {
    PrinterTextDevice local(printer);
    local.Open();
    local.Write("A");
  }
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);
  EXPECT_EQ(system.log.Count("EndDoc"), 0);
  EXPECT_FALSE(printer.DocumentOpen());
}

TEST(GlyphPen, IsSevenTenthsOfAPointRoundedHalfToEven) {
  EXPECT_EQ(GlyphPenWidth(600), 6);
  EXPECT_EQ(GlyphPenWidth(300), 3);
  EXPECT_EQ(GlyphPenWidth(360), 4);    // 3.5
  EXPECT_EQ(GlyphPenWidth(1080), 10);  // 10.5
  EXPECT_EQ(GlyphPenWidth(72), 1);
  EXPECT_EQ(GlyphPenWidth(0), 1);
}

struct GlyphCase {
  unsigned char code;
  std::vector<std::pair<Point, Point>> lines;
  std::vector<Rect> fills;
};

// The cell at (60, 50), 30 wide and 50 high; with pen p the centre is
// cx = 60 + (30 - p) / 2, cy = 50 + (50 - p) / 2.
std::vector<GlyphCase> GlyphCases(int p) {
  const int X = 60, Y = 50, w = 30, h = 50;
  const int cx = X + (w - p) / 2, cy = Y + (h - p) / 2;
  const Point top{cx, Y}, bottom{cx, Y + h}, left{X, cy}, right{X + w, cy}, centre{cx, cy};
  return {
      {179, {{top, bottom}}, {}},
      {180, {{top, bottom}, {left, centre}}, {}},
      {191, {{left, centre}, {centre, bottom}}, {}},
      {192, {{top, centre}, {centre, right}}, {}},
      {193, {{left, right}, {top, centre}}, {}},
      {194, {{left, right}, {centre, bottom}}, {}},
      {195, {{top, bottom}, {centre, right}}, {}},
      {196, {{left, right}}, {}},
      {197, {{top, bottom}, {left, right}}, {}},
      {217, {{left, centre}, {centre, top}}, {}},
      {218, {{bottom, centre}, {centre, right}}, {}},
      {219, {}, {{X, Y, X + w, Y + h}}},
      {223, {}, {{X, Y, X + w, Y + 25}}},
  };
}

class GlyphDevice : public TextDevice, public ::testing::WithParamInterface<int> {
 protected:
  // At 600 pixels per inch a font 50 high still has 30-pixel cells on the fake.
  GlyphDevice() : TextDevice(GetParam()) {}
};

TEST_P(GlyphDevice, DrawsEveryGlyphAsItsLinesAndBlocks) {
  const int pen = GetParam() == 600 ? 6 : 3;
  for (const GlyphCase& glyph : GlyphCases(pen)) {
    SCOPED_TRACE(static_cast<int>(glyph.code));
    device.Open();
    system.log.lines.clear();
    system.log.fills.clear();
    device.Write("\nAB");  // the cell of the third column on the second line
    device.Write(static_cast<char>(glyph.code));

    ASSERT_EQ(system.log.lines.size(), glyph.lines.size());
    for (std::size_t i = 0; i < glyph.lines.size(); ++i) {
      EXPECT_EQ(system.log.lines[i].from, glyph.lines[i].first);
      EXPECT_EQ(system.log.lines[i].to, glyph.lines[i].second);
      EXPECT_EQ(system.log.lines[i].penWidth, pen);
      EXPECT_EQ(system.log.lines[i].colour, kBlack);
    }
    ASSERT_EQ(system.log.fills.size(), glyph.fills.size());
    for (std::size_t i = 0; i < glyph.fills.size(); ++i) {
      EXPECT_EQ(system.log.fills[i].rect, glyph.fills[i]);
      EXPECT_EQ(system.log.fills[i].colour, kBlack);
    }
    EXPECT_EQ(device.CursorX(), 90);
    EXPECT_EQ(device.LineExtent(), 50);  // from the text, not the glyph
    // Pen and brush are as they were.
    EXPECT_EQ(printer.DocumentCanvas().Pen().Width, 1);
    EXPECT_EQ(printer.DocumentCanvas().Brush().Colour, kWhite);
    device.Close();
  }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, GlyphDevice, ::testing::Values(300, 600));

TEST_F(TextDevice, GlyphsUseTheLineHeightForTheirCell) {
  device.Open();
  printer.SetLineHeight(42);
  device.Write("\xB3");
  ASSERT_EQ(system.log.lines.size(), 1u);
  EXPECT_EQ(system.log.lines[0].to, (Point{13, 42}));
  device.Close();
}

}  // namespace
}  // namespace korv
