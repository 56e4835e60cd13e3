// The ESC/P interpreter drawn on the recording device: where each command puts the next
// character and in which font, commands stepped over whole, wrapping, pages, bit images.
#include "escp/EscpInterpreter.h"

#include <gtest/gtest.h>

#include "escp/CodeTable.h"
#include "escp/EscpPainter.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/IconvCodePages.h"

namespace korv {
namespace {

using fakes::FakeDeviceLog;

// 360 pixels an inch: a pica cell is 36 pixels, a 1/6 inch line 60.
class EscpDrawing : public ::testing::Test {
 protected:
  EscpDrawing() {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
    system.caps = {{DeviceCap::HorzRes, 2970},       {DeviceCap::VertRes, 4200},
                   {DeviceCap::LogPixelsX, 360},     {DeviceCap::LogPixelsY, 360},
                   {DeviceCap::PhysicalWidth, 2976}, {DeviceCap::PhysicalHeight, 4209}};
    fakes::IconvCodePages codePages;
    settings.table = MakeCodeTable(CodePageId::Cp437, codePages);
  }

  // Prints `job` as one document, fed in pieces of `piece` bytes.
  void Print(std::string_view job, std::size_t piece = 4096) {
    printer.StartDocument();
    EscpPainter painter(printer, "Courier New", fit);
    EscpInterpreter interpreter(painter, settings);
    for (std::size_t at = 0; at < job.size(); at += piece) {
      const std::string_view part = job.substr(at, piece);
      interpreter.Feed({reinterpret_cast<const std::uint8_t*>(part.data()), part.size()});
    }
    interpreter.Finish();
    painter.Finish();
    printer.EndDocument();
    unsupported = interpreter.Unsupported();
    outside = painter.Outside();
  }

  // The last character `ch` drawn.
  const FakeDeviceLog::WideChar& Last(char16_t ch) const {
    for (auto it = log().wideTexts.rbegin(); it != log().wideTexts.rend(); ++it)
      if (it->ch == ch) return *it;
    static const FakeDeviceLog::WideChar none{-1, {-1, -1}, 0, {}};
    return none;
  }
  const FakeDeviceLog& log() const { return system.log; }

  fakes::FakePrintSystem system;
  TPrinter printer{system};
  EscpSettings settings;
  bool fit = false;
  std::map<std::string, int> unsupported;
  bool outside = false;
};

struct PlaceCase {
  const char* what;
  std::string job;  // ends with the X looked for
  int x, y;
  int pins = 24;
};

TEST_F(EscpDrawing, EachMotionCommandPlacesTheNextCharacter) {
  using namespace std::string_literals;
  const PlaceCase cases[] = {
      {"start", "X", 0, 0},
      {"line feed returns the carriage", "AB\nX", 0, 60},
      {"carriage return", "AB\rX", 0, 0},
      {"backspace", "AB\bX", 36, 0},
      {"tab: every eight columns", "\tX", 288, 0},
      {"ESC D stops",
       "\x1b"
       "D\x05\x0a\x00\t\tX"s,
       360, 0},
      {"ESC D ends at a stop not above the last",
       "\x1b"
       "D\x05\x03\t\tX",
       180, 0},
      {"ESC $ in 1/60", "\x1b$\x3c\x00X"s, 360, 0},
      {"ESC \\ back in 1/180", "AB\x1b\\\xfe\xffX", 68, 0},
      {"ESC ( U then ESC $", "\x1b(U\x01\x00\x0a\x1b$\x68\x01X"s, 360, 0},
      {"ESC 0",
       "\x1b"
       "0\nX",
       0, 45},
      {"ESC 3 in 1/180",
       "\x1b"
       "3\x24\nX",
       0, 72},
      {"ESC 3 in 1/216 on 9 pins",
       "\x1b"
       "3\x48\nX",
       0, 120, 9},
      {"ESC A in 1/60",
       "\x1b"
       "A\x0c\nX",
       0, 72},
      {"ESC + in 1/360", "\x1b+\x5a\nX", 0, 90},
      {"ESC J keeps the column", "AB\x1bJ\xb4X", 72, 360},
      {"ESC ( V from the top margin", "\x1b(V\x02\x00\xd0\x02X"s, 0, 720},
      {"ESC ( c then a form feed", "A\x1b(c\x04\x00\x68\x01\x00\x0f\fX"s, 0, 360},
      {"ESC B and VT",
       "\x1b"
       "B\x03\x00\x0bX"s,
       0, 180},
      {"ESC l margin", "\x1bl\x0a\nX", 360, 60},
      {"ESC M cells", "\x1bMAX", 30, 0},
      {"ESC g cells", "\x1bgAX", 24, 0},
      {"condensed cells",
       "\x0f"
       "AX",
       21, 0},
      {"double width cells", "\x1bW1AX", 72, 0},
      {"SO ends with the line",
       "\x0e"
       "A\nAX",
       36, 60},
      {"ESC SP adds to each cell",
       "\x1b \x12"
       "AX",
       72, 0},
      {"ESC c sets the cell",
       "\x1b"
       "c\x18\x00"
       "AX"s,
       24, 0},
      {"ESC f skips spaces",
       "\x1b"
       "f\x00\x05X"s,
       180, 0},
      {"subscript sits lower", "\x1bS1X", 0, 20},
      {"right margin wraps",
       "\x1bQ\x02"
       "ABX",
       0, 60},
  };
  for (const PlaceCase& c : cases) {
    system.log = {};
    settings.pins = c.pins;
    Print(c.job);
    const auto& placed = Last(u'X');
    EXPECT_EQ(placed.at, (Point{c.x, c.y})) << c.what;
    EXPECT_TRUE(unsupported.empty()) << c.what;
  }
}

struct StyleCase {
  const char* what;
  std::string job;
  std::int32_t height, width, weight;
  bool italic = false, underline = false;
};

TEST_F(EscpDrawing, EachStyleCommandShapesTheFont) {
  using namespace std::string_literals;
  const StyleCase cases[] = {
      {"pica", "X", -60, 36, kWeightNormal},
      {"bold",
       "\x1b"
       "EX",
       -60, 36, kWeightBold},
      {"bold off",
       "\x1b"
       "E\x1b"
       "FX",
       -60, 36, kWeightNormal},
      {"double strike", "\x1bGX", -60, 36, kWeightBold},
      {"italic",
       "\x1b"
       "4X",
       -60, 36, kWeightNormal, true},
      {"underline", "\x1b-1X", -60, 36, kWeightNormal, false, true},
      {"master select: elite, bold, underline", "\x1b!\x89X", -50, 30, kWeightBold, false, true},
      {"double width", "\x1bW\x01X", -60, 72, kWeightNormal},
      {"double height", "\x1bw1X", -120, 36, kWeightNormal},
      {"15 cpi", "\x1bgX", -40, 24, kWeightNormal},
      {"condensed pica", "\x1b\x0fX", -60, 21, kWeightNormal},
      {"condensed ends at DC2", "\x0f\x12X", -60, 36, kWeightNormal},
      {"superscript", "\x1bS0X", -40, 36, kWeightNormal},
      {"reset",
       "\x1b"
       "E\x1bW1\x1b@X",
       -60, 36, kWeightNormal},
      {"italic table", "\x1bt\x00\xd8"s, -60, 36, kWeightNormal, true},
  };
  for (const StyleCase& c : cases) {
    system.log = {};
    Print(c.job);
    const auto& font = Last(u'X').font;
    EXPECT_EQ(font.height, c.height) << c.what;
    EXPECT_EQ(font.width, c.width) << c.what;
    EXPECT_EQ(font.weight, c.weight) << c.what;
    EXPECT_EQ(font.italic, c.italic) << c.what;
    EXPECT_EQ(font.underline, c.underline) << c.what;
  }
}

TEST_F(EscpDrawing, BytesBecomeTheTablesCharactersAndBoxPiecesAreDrawn) {
  using namespace std::string_literals;
  fakes::IconvCodePages codePages;
  settings.codePages = &codePages;
  // The German set's [, 437's 0x80, two line pieces, then 852 assigned to table 1: 0xB5.
  Print("\x1bR\x02[\x1bR\x00\x80\xc4\xc4\x1b(t\x03\x00\x01\x0a\x00\x1bt\x01\xb5"s);
  std::u16string drawn;
  for (const auto& placed : log().wideTexts) drawn += placed.ch;
  EXPECT_EQ(drawn, u"\u00C4\u00C7\u00C1");
  // The two line pieces as one rule across their two cells.
  ASSERT_EQ(log().fills.size(), 1u);
  EXPECT_EQ(log().fills[0].rect.left, 72);
  EXPECT_EQ(log().fills[0].rect.right, 144);
  EXPECT_TRUE(unsupported.empty());
}

struct SwallowCase {
  const char* what;
  std::string command;
  const char* name;  // as the job log names it; "" for commands accepted quietly
  int pins = 24;
};

TEST_F(EscpDrawing, CommandsNotCarriedOutSwallowTheirParametersAndAreNamed) {
  using namespace std::string_literals;
  const std::string letters(10000, 'A');
  const SwallowCase cases[] = {
      {"ESC ( with a long length", "\x1b(G\x10\x27"s + letters, "ESC ( G"},
      {"ESC ( short", "\x1b(-\x03\x00\x01\x01\x01"s, "ESC ( -"},
      {"ESC & on 24 pins",
       "\x1b&\x00"
       "AB"
       "\x00\x03\x00"
       "AAAAAAAAA"
       "\x00\x03\x00"
       "AAAAAAAAA"s,
       "ESC &"},
      {"ESC & on 9 pins",
       "\x1b&\x00"
       "AA"
       "\x8b"
       "AAAAAAAAAAA"s,
       "ESC &", 9},
      {"ESC X", "\x1bX\x01\x02\x03", "ESC X"},
      {"ESC [", "\x1b[AAAAAAA", "ESC ["},
      {"ESC b up to a NUL",
       "\x1b"
       "b\x00"
       "AA\x00"s,
       "ESC b"},
      {"ESC ^ columns",
       "\x1b^\x00\x02\x00"
       "AAAA"s,
       "ESC ^"},
      {"ESC . packed",
       "\x1b.\x01\x0a\x0a\x02\x10\x00\x01"
       "AA"
       "\xff"
       "A"s,
       "ESC ."},
      {"ESC * of no known mode",
       "\x1b*\x63\x02\x00"
       "AAAAAAAAAAAA"s,
       "ESC *"},
      {"not a command", "\x1b\x01", "ESC 0x01"},
      {"quality and typeface", "\x1bx\x01\x1bk\x01", ""},
      {"ESC C NUL",
       "\x1b"
       "C\x00\x0b"s,
       ""},
  };
  for (const SwallowCase& c : cases) {
    system.log = {};
    settings.pins = c.pins;
    Print(c.command + "X");
    ASSERT_EQ(log().wideTexts.size(), 1u) << c.what;
    EXPECT_EQ(log().wideTexts[0].at, (Point{0, 0})) << c.what;
    if (*c.name)
      EXPECT_EQ(unsupported, (std::map<std::string, int>{{c.name, 1}})) << c.what;
    else
      EXPECT_TRUE(unsupported.empty()) << c.what;
  }
}

TEST_F(EscpDrawing, TextWrapsAtTheRightMargin) {
  Print(std::string(81, 'A'));
  ASSERT_EQ(log().wideTexts.size(), 81u);
  EXPECT_EQ(log().wideTexts[79].at, (Point{79 * 36, 0}));
  EXPECT_EQ(log().wideTexts[80].at, (Point{0, 60}));
  EXPECT_EQ(log().wideCalls.size(), 2u);  // one run a line
}

struct PageCase {
  const char* what;
  std::string job;
  int pages;  // sheets printed
  int y;      // of the last X
};

TEST_F(EscpDrawing, PagesBreakAtThePageLengthAndAtFormFeeds) {
  using namespace std::string_literals;
  const PageCase cases[] = {
      {"66 lines fit", std::string(65, '\n') + "X", 1, 65 * 60},
      {"the 67th is on the next sheet", "A" + std::string(66, '\n') + "X", 2, 0},
      {"ESC C in lines",
       "\x1b"
       "C\x0a"
       "A" +
           std::string(10, '\n') + "X",
       2, 0},
      {"ESC C in inches",
       "\x1b"
       "C\x00\x02"
       "A"s +
           std::string(12, '\n') + "X",
       2, 0},
      {"ESC N skips the bottom",
       "\x1bN\x06"
       "A" +
           std::string(60, '\n') + "X",
       2, 0},
      {"form feed", "A\fX", 2, 0},
      {"no blank sheets", "\f\fA\f\fX\f", 2, 0},
  };
  for (const PageCase& c : cases) {
    system.log = {};
    Print(c.job);
    EXPECT_EQ(log().Count("EndPage"), c.pages) << c.what;
    EXPECT_EQ(Last(u'X').page, c.pages) << c.what;
    EXPECT_EQ(Last(u'X').at.y, c.y) << c.what;
  }
}

TEST_F(EscpDrawing, ABandOfBitImagesIsOneImageAtTheDeviceResolution) {
  using namespace std::string_literals;
  // 24-dot 180 dpi: 10 columns, the first all ink, then ESC K 8-dot 60 dpi: 2 columns.
  std::string band = "\x1b*\x27\x0a\x00"s + "\xff\xff\xff" + std::string(27, '\0');
  band += "\x1bK\x02\x00\x80\x01"s;
  Print("A\r" + band + "\n" + band, 7);
  ASSERT_EQ(log().images.size(), 2u);
  const auto& image = log().images[0];
  EXPECT_EQ(image.width, 10 * 2 + 2 * 6);
  EXPECT_EQ(image.height, 48);
  EXPECT_EQ(image.destination, (Rect{0, 0, 32, 48}));
  EXPECT_TRUE(image.Ink(0, 0) && image.Ink(1, 47));
  EXPECT_FALSE(image.Ink(2, 0));
  EXPECT_TRUE(image.Ink(20, 0) && image.Ink(25, 5));  // ESC K's top dot: 6 x 6 pixels
  EXPECT_FALSE(image.Ink(20, 6));
  EXPECT_TRUE(image.Ink(26, 42));  // its bottom dot
  EXPECT_EQ(log().images[1].destination.top, 60);
  EXPECT_EQ(Last(u'A').at, (Point{0, 0}));
}

TEST_F(EscpDrawing, PositionsAreFromTheSheetsEdgeOrFittedToThePrintableArea) {
  using namespace std::string_literals;
  system.caps[DeviceCap::PhysicalOffsetX] = 36;
  system.caps[DeviceCap::PhysicalOffsetY] = 60;
  Print("\n\x1b$\x0c\x00X"s);
  EXPECT_EQ(Last(u'X').at, (Point{72 - 36, 0}));
  EXPECT_FALSE(outside);
  system.log = {};
  Print("X");
  EXPECT_TRUE(outside);  // above and left of what the device prints

  system.log = {};
  fit = true;  // the sheet, 2976 wide, into 2970: everything shrinks a little
  Print("\x1b$\xc2\x01X");
  EXPECT_EQ(Last(u'X').at.x, 2694);
  EXPECT_FALSE(outside);
}

}  // namespace
}  // namespace korv
