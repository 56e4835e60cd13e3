// Fitting the printer font to the pitch, and the line height.
#include "jobs/TextMetrics.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakePrintSystem.h"
#include "fakes/FakeProfileStore.h"

namespace korv {
namespace {

using fakes::FakePrintSystem;

// Font fits seen on the fake: each measures 4 x cpi letters "M" first at height 6.
int FitsStarted(const fakes::FakeDeviceLog& log) {
  return static_cast<int>(std::count_if(log.measures.begin(), log.measures.end(), [](auto& m) {
    return m.fontHeight == 6 && !m.text.empty() &&
           m.text.find_first_not_of('M') == std::string::npos;
  }));
}

class FontFit : public ::testing::Test {
 protected:
  FontFit() {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
    flags.printing = true;
  }
  void Fit(int lpi, int cpi, bool bold) { SetTextMetrics(metrics, printer, flags, lpi, cpi, bold); }
  TPrinterFont Font() { return printer.DocumentCanvas().Font(); }

  FakePrintSystem system;
  TPrinter printer{system};
  ServiceFlags flags;
  TextMetrics metrics;
};

// On the fake a font h high has letters 3h/5 wide (truncated) and h - h/8 high; four inches
// at 300 pixels per inch are 1200 pixels.
TEST_F(FontFit, FindsTheTallestFontWhoseLettersFitFourInches) {
  Fit(6, 10, false);  // 40 letters of at most 30: 3h/5 <= 30.x, so h = 51
  EXPECT_EQ(Font().Height, 51);
  EXPECT_EQ(Font().Width, 0);
  EXPECT_FALSE(Font().Bold);
  EXPECT_EQ(printer.LineHeight(), 50);

  Fit(3, 12, true);  // 48 letters of at most 25: h = 43
  EXPECT_EQ(Font().Height, 43);
  EXPECT_TRUE(Font().Bold);
  EXPECT_EQ(printer.LineHeight(), 100);

  Fit(7, 20, false);  // 80 letters of at most 15: h = 26
  EXPECT_EQ(Font().Height, 26);
  EXPECT_EQ(printer.LineHeight(), 42);
}

// Letters higher than the line: the font's cell becomes the line, its cells stay as wide.
TEST_F(FontFit, LinesCloserThanTheLettersGetAFontAsHighAsTheLine) {
  struct Case {
    int lpi, cpi;
    std::int32_t height, width, cell;
  };
  for (const Case& c : {Case{6, 10, 51, 0, 30},   // letters 45 high, lines 50: as fitted
                        Case{7, 10, 42, 30, 30},  // lines 42: 42 high, still 30 wide
                        Case{12, 10, 25, 30, 30}, Case{8, 12, 37, 25, 25},  // letters 38
                        Case{12, 17, 25, 17, 17},                           // letters 26, lines 25
                        Case{12, 20, 26, 0, 15}}) {  // letters 23 fit lines of 25
    Fit(c.lpi, c.cpi, false);
    EXPECT_EQ(Font().Height, c.height) << c.lpi << " lpi " << c.cpi << " cpi";
    EXPECT_EQ(Font().Width, c.width) << c.lpi << " lpi " << c.cpi << " cpi";
    EXPECT_EQ(printer.DocumentCanvas().FontMetrics().aveCharWidth, c.cell);
  }
}

// A face whose width follows the height alone cannot keep the cells: it keeps its fit.
TEST_F(FontFit, AFaceThatIgnoresTheWidthKeepsTheFittedFont) {
  system.log.fontsIgnoreWidth = true;
  Fit(8, 10, false);
  EXPECT_EQ(Font().Height, 51);
  EXPECT_EQ(Font().Width, 0);
}

TEST_F(FontFit, EndsAtFiveWhenTheLettersAreTooWideAtSix) {
  system.caps[DeviceCap::LogPixelsX] = 10;  // four inches: 40 pixels; 40 letters of 3
  Fit(6, 10, false);
  EXPECT_EQ(Font().Height, 5);
}

TEST_F(FontFit, ARepeatedFitMakesNoFontAndGivesTheSameHeight) {
  Fit(6, 10, false);
  const int fonts = system.log.fontsCreated;
  EXPECT_GT(fonts, 40);  // one per step from 6 up
  Fit(6, 10, false);
  EXPECT_EQ(system.log.fontsCreated, fonts);
  Fit(8, 10, false);  // a tight line spacing shapes the fitted font once
  const int measured = system.log.textMetricsCalls;
  EXPECT_EQ(Font().Height, 37);
  Fit(6, 10, false);
  Fit(8, 10, false);
  EXPECT_EQ(system.log.textMetricsCalls, measured);
  EXPECT_EQ(FitsStarted(system.log), 1);
  EXPECT_EQ(Font().Height, 37);
  EXPECT_EQ(Font().Width, 30);
  EXPECT_EQ(printer.LineHeight(), 37);

  Fit(6, 12, false);
  EXPECT_EQ(FitsStarted(system.log), 2);
  Fit(6, 10, false);  // remembered
  EXPECT_EQ(FitsStarted(system.log), 2);
  EXPECT_EQ(Font().Height, 51);
}

TEST_F(FontFit, IsRememberedPerResolutionAndFace) {
  Fit(6, 10, false);
  system.caps[DeviceCap::LogPixelsX] = 600;
  system.caps[DeviceCap::LogPixelsY] = 600;
  printer.SelectPrinter("Office Laser", "", "");  // a new context at the new resolution
  Fit(6, 10, false);
  EXPECT_EQ(Font().Height, 101);
  EXPECT_EQ(FitsStarted(system.log), 2);

  TPrinterFont other = Font();
  other.Name = "Lucida Console";
  printer.DocumentCanvas().SetFont(other);
  Fit(6, 10, false);
  EXPECT_EQ(FitsStarted(system.log), 3);
}

TEST_F(FontFit, OutsideAJobOnlyTheLimitedValuesAreRecorded) {
  flags.printing = false;
  Fit(0, 30, false);
  EXPECT_EQ(metrics.appliedLpi, 1);
  EXPECT_EQ(metrics.appliedCpi, 20);
  Fit(13, 3, true);
  EXPECT_EQ(metrics.appliedLpi, 12);
  EXPECT_EQ(metrics.appliedCpi, 9);
  EXPECT_TRUE(metrics.appliedBold);
  EXPECT_EQ(system.log.fontsCreated, 0);
  EXPECT_TRUE(system.contexts.empty());
}

TEST_F(FontFit, ResetSetsTheTitleAndTheStartingMetrics) {
  flags.printing = false;
  metrics.requestedCpi = 17;
  metrics.requestedLpi = 8;
  metrics.requestedBold = true;
  Fit(8, 17, true);
  ResetTextMetrics(metrics, printer, flags);
  EXPECT_EQ(printer.DocumentTitle(), "Korvelane");
  EXPECT_EQ(metrics.requestedCpi, 10);
  EXPECT_EQ(metrics.requestedLpi, 6);
  EXPECT_FALSE(metrics.requestedBold);
  EXPECT_EQ(metrics.appliedCpi, 10);
  EXPECT_EQ(metrics.appliedLpi, 6);
  EXPECT_FALSE(metrics.appliedBold);
}

TEST(PrinterFont, StartsFromTheProfileFaceAtTenPoints) {
  FakePrintSystem system;
  TPrinter printer(system);
  fakes::FakeProfileStore store;
  Profile profile(store);
  profile.Configure("C:\\KORVELAN\\VOZAZAD.INI", "Vozazad");

  EXPECT_EQ(CreatePrinterFont(profile, printer.DocumentCanvas()), "Courier New");
  store.Put("Vozazad", "Font", "Lucida Console", "C:\\KORVELAN\\VOZAZAD.INI");
  EXPECT_EQ(CreatePrinterFont(profile, printer.DocumentCanvas()), "Lucida Console");

  TPrinterFont font = printer.DocumentCanvas().Font();
  EXPECT_EQ(font.Name, "Lucida Console");
  EXPECT_EQ(font.Charset, 1);
  EXPECT_EQ(font.Pitch, FontPitch::Default);
  EXPECT_EQ(font.Size(), 10);
  EXPECT_FALSE(font.Bold);
}

}  // namespace
}  // namespace korv
