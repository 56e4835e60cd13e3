// Text jobs from the job file to the printer: orientation, control codes, chunks, pages,
// and how a job ends when the service stops or something fails.
#include "jobs/TextJob.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/MemoryJobFile.h"
#include "jobs/JobErrors.h"
#include "printing/EPrinter.h"

namespace korv {
namespace {

using fakes::FakeFileSystem;
using fakes::FakePrintSystem;

const std::string kSpool = "C:\\KORVELAN\\WINPRINT";

using ScriptedJob = fakes::MemoryJobFile;

class TextJob : public ::testing::Test {
 protected:
  TextJob() {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
    files.AddDirectory("C:\\KORVELAN");
    files.AddDirectory(kSpool);
    files.SetCurrentDirectory(kSpool);
    flags.printing = true;
  }

  JobOutcome Print(const std::string& data) {
    files.AddFile(kSpool, "JOB" + std::to_string(++jobs), data);
    auto job = files.OpenJob("JOB" + std::to_string(jobs));
    return PrintTextJob(*job, context);
  }

  std::string Printed() const {
    std::string text;
    for (const auto& t : system.log.texts) text += t.text;
    return text;
  }

  // Applications of the metrics: each reads the horizontal resolution once.
  int Applications() const {
    return system.log.capsQueries.count(DeviceCap::LogPixelsX)
               ? system.log.capsQueries.at(DeviceCap::LogPixelsX)
               : 0;
  }

  int FitsStarted() const {
    return static_cast<int>(
        std::count_if(system.log.measures.begin(), system.log.measures.end(), [](auto& m) {
          return m.fontHeight == 6 && m.text.find_first_not_of('M') == std::string::npos;
        }));
  }

  std::string ErrorText(const std::function<void()>& action) {
    try {
      action();
    } catch (const std::exception& error) {
      return error.what();
    }
    return "(nothing thrown)";
  }

  FakePrintSystem system;
  TPrinter printer{system};
  FakeFileSystem files;
  ServiceFlags flags;
  TextMetrics metrics;
  TextJobContext context{flags, files, kSpool, printer, metrics};
  int jobs = 0;
};

// At 10 characters and 6 lines per inch on the fake: cells 30 wide, lines 50 apart.
TEST_F(TextJob, PrintsTheTextOnTheGridInOneDocument) {
  EXPECT_EQ(Print("Hi you\r\nAB\xDA\xC4"), JobOutcome::Printed);
  ASSERT_EQ(system.log.texts.size(), 7u);
  EXPECT_EQ(system.log.texts[2].text, "y");
  EXPECT_EQ(system.log.texts[2].at, (Point{90, 0}));
  EXPECT_EQ(system.log.texts[5].text, "A");
  EXPECT_EQ(system.log.texts[5].at, (Point{0, 50}));
  EXPECT_EQ(system.log.texts[5].font.height, 51);
  EXPECT_EQ(system.log.lines.size(), 3u);  // the corner's two strokes and the line
  EXPECT_EQ(system.log.documents, std::vector<std::string>{"Korvelane"});
  EXPECT_THAT(system.log.calls, ::testing::ElementsAre("SetAbortProc", "StartDocA", "StartPage",
                                                       "EndPage", "EndDoc"));
  EXPECT_FALSE(printer.DocumentOpen());
  EXPECT_EQ(files.CurrentDirectory(), kSpool);
}

TEST_F(TextJob, TheFirstByteChoosesTheOrientation) {
  Print("\x04LANDSCAPE");
  EXPECT_EQ(Printed(), "LANDSCAPE");
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Landscape);
  ASSERT_TRUE(system.contexts.back().settings.has_value());
  EXPECT_EQ((*system.contexts.back().settings)[44], 2);

  system.log.texts.clear();
  Print("PORTRAIT");
  EXPECT_EQ(Printed(), "PORTRAIT");
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Portrait);
}

TEST_F(TextJob, ControlCodesSetLimitedMetrics) {
  struct Case {
    char code, parameter;
    int cpi, lpi;
    bool bold;
  };
  const Case cases[] = {
      {1, '0', 10, 6, false}, {1, '2', 12, 6, false},    {1, '7', 17, 6, false},
      {1, ':', 20, 6, false}, {1, '/', 9, 6, false},     {1, ';', 20, 6, false},
      {1, ' ', 9, 6, false},  {1, '\xFF', 20, 6, false}, {2, '6', 10, 6, false},
      {2, '8', 10, 8, false}, {2, '0', 10, 1, false},    {2, '<', 10, 12, false},
      {3, '4', 10, 6, false}, {3, '5', 10, 6, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.code) + c.parameter);
    Print(std::string("AB") + c.code + c.parameter + "CDEFG");
    EXPECT_EQ(metrics.appliedCpi, c.cpi);
    EXPECT_EQ(metrics.appliedLpi, c.lpi);
    EXPECT_EQ(metrics.appliedBold, c.bold);
  }
  EXPECT_EQ(Printed().find_first_not_of("ABCDEFG"), std::string::npos);
}

TEST_F(TextJob, ARowOfCodesIsFittedOnceAfterItsLastCode) {
  Print(
      "AB\x01"
      "2\x02"
      "8CDEFG");
  EXPECT_EQ(Applications(), 2);  // the reset, then 12 and 8 together
  EXPECT_EQ(FitsStarted(), 2);
  // Fitted 43 high for 12 per inch; the lines of 8 per inch are closer than its letters.
  EXPECT_EQ(system.log.texts.back().font.height, 37);
  EXPECT_EQ(system.log.texts.back().font.width, 25);
  EXPECT_EQ(system.log.texts.back().at, (Point{160, 0}));  // "G": 2 cells of 30, 4 of 25
  EXPECT_EQ(printer.LineHeight(), 37);
}

TEST_F(TextJob, ACodeRepeatingTheCurrentValueCausesNoFitting) {
  Print(
      "AB\x01"
      "0\x02"
      "6\x03"
      "0CDEFG");
  EXPECT_EQ(Applications(), 1);
}

TEST_F(TextJob, ACodeEndingAChunkTakesTheFirstByteOfTheNext) {
  Print(std::string(124, 'a') + "\r\n\x01" + "2XY");
  EXPECT_EQ(metrics.appliedCpi, 12);
  EXPECT_EQ(Printed(), std::string(80, 'a') + "XY");  // 80 cells fit a line
  EXPECT_EQ(system.log.texts.back().font.height, 43);
}

TEST_F(TextJob, ACodeFollowedByAZeroTakesTheFirstByteOfTheNextChunk) {
  std::string first = std::string("AB\x01") + '\0' + "zz";
  first.resize(127, 'z');
  Print(first + "5EF");
  EXPECT_EQ(Printed(), "ABEF");
  EXPECT_EQ(metrics.appliedCpi, 15);
}

TEST_F(TextJob, ACodeAsTheLastByteIsDropped) {
  EXPECT_EQ(Print("ABCDEFGH\x03"), JobOutcome::Printed);
  EXPECT_EQ(Printed(), "ABCDEFGH");
  EXPECT_FALSE(metrics.appliedBold);
  EXPECT_EQ(Applications(), 1);
}

TEST_F(TextJob, AZeroByteDropsTheRestOfItsChunk) {
  std::string first = std::string("AB") + '\0' + "CD";
  first.resize(127, 'z');
  Print(first + "EF");
  EXPECT_EQ(Printed(), "ABEF");
}

TEST_F(TextJob, FormFeedsStartPagesOnlyBeforeMoreText) {
  Print("PAGE ONE\f\fPAGE TWO\f");
  EXPECT_EQ(system.log.Count("StartPage"), 2);
  EXPECT_EQ(system.log.Count("EndPage"), 2);
  EXPECT_EQ(system.log.texts.back().page, 2);
}

TEST_F(TextJob, TextAfterANewPageReappliesTheUnchangedMetrics) {
  Print("ONE\fTWO\fTHREE");
  // The piece after the second form feed follows a started page.
  EXPECT_EQ(Applications(), 2);
  EXPECT_EQ(FitsStarted(), 1);
  for (const auto& text : system.log.texts) EXPECT_EQ(text.font.height, 51);
  EXPECT_EQ(system.log.texts.back().page, 3);
}

TEST_F(TextJob, AStopBeforeTheTextAbortsTheDocument) {
  flags.stopRequested = true;
  EXPECT_EQ(Print("ABCDEFGH"), JobOutcome::Stopped);
  EXPECT_TRUE(system.log.texts.empty());
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);
  EXPECT_EQ(system.log.Count("EndDoc"), 0);
  EXPECT_FALSE(printer.DocumentOpen());
}

TEST_F(TextJob, AStopDuringTheJobAbortsTheDocument) {
  ScriptedJob job(std::string(127, 'a') + "bbb");
  job.beforeRead = [&](int read) {
    if (read == 3) flags.stopRequested = true;  // 1: the first byte, 2: the first chunk
  };
  EXPECT_EQ(PrintTextJob(job, context), JobOutcome::Stopped);
  EXPECT_EQ(Printed().find('b'), std::string::npos);
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);
  EXPECT_EQ(system.log.Count("EndDoc"), 0);
  EXPECT_FALSE(printer.DocumentOpen());

  flags.stopRequested = false;  // the next job prints normally
  ScriptedJob next("ABCDEFGH");
  EXPECT_EQ(PrintTextJob(next, context), JobOutcome::Printed);
}

TEST_F(TextJob, InputFailuresLeaveTheJobWithTheDocumentThrownAway) {
  files.AddFile(kSpool, "BROKEN", "ABCDEFGHIJ").failRead = true;
  auto broken = files.OpenJob("BROKEN");
  EXPECT_THROW(PrintTextJob(*broken, context), JobReadError);
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);
  EXPECT_FALSE(printer.DocumentOpen());

  files.unenterable.insert(FakeFileSystem::Key(kSpool));
  EXPECT_THROW(Print("ABCDEFGH"), JobReadError);
  EXPECT_EQ(system.log.Count("AbortDoc"), 2);
  EXPECT_EQ(system.log.Count("EndDoc"), 0);
  EXPECT_FALSE(printer.DocumentOpen());
}

TEST_F(TextJob, PrinterFailuresLeaveTheJob) {
  system.log.failing = {"StartDocA"};
  EXPECT_EQ(ErrorText([&] { Print("ABCDEFGH"); }), "Printing failed");
  EXPECT_FALSE(printer.DocumentOpen());

  system.log.failing = {"EndDoc"};
  EXPECT_EQ(ErrorText([&] { Print("ABCDEFGH"); }), "Printing failed");
  EXPECT_FALSE(printer.DocumentOpen());

  system.log.failing.clear();
  system.noSettings.insert("Office Laser");
  printer.SelectPrinter("Office Laser", "", "");
  const int documents = system.log.Count("StartDocA");
  EXPECT_EQ(ErrorText([&] { Print("ABCDEFGH"); }), "Operation not supported on selected printer");
  EXPECT_EQ(system.log.Count("StartDocA"), documents);
}

}  // namespace
}  // namespace korv

namespace korv {
namespace {

// The window thread changes the printer choice and reads the list while jobs print: it
// is refused while a document is open and never tears a document apart.
TEST(TextJobThreads, ThePrinterChoiceWaitsForTheOpenDocument) {
  FakePrintSystem system;
  system.level4 = {{"Office Laser", ""}, {"Back Office", ""}};
  system.defaults = {{"Office Laser", ""}};
  TPrinter printer(system);
  FakeFileSystem files;
  files.AddDirectory(kSpool);
  ServiceFlags flags;
  flags.printing = true;
  TextMetrics metrics;
  TextJobContext context{flags, files, kSpool, printer, metrics};
  printer.SelectedIndex();

  std::atomic<bool> done{false};
  std::thread window([&] {
    for (int i = 0; !done; ++i) {
      try {
        printer.SetSelectedIndex(i % 2);
      } catch (const EPrinter& error) {
        EXPECT_STREQ(error.what(), "Printing in progress");
      }
      EXPECT_EQ(printer.PrinterTexts().size(), 2u);
      (void)printer.DocumentCanvas().Font();
    }
  });
  for (int job = 0; job < 50; ++job) {
    ScriptedJob data("LINE ONE\r\nLINE TWO\f\xDA\xC4\xBF");
    EXPECT_EQ(PrintTextJob(data, context), JobOutcome::Printed);
  }
  done = true;
  window.join();

  // Every document is whole: a start, two pages, an end.
  EXPECT_EQ(system.log.Count("StartDocA"), 50);
  EXPECT_EQ(system.log.Count("StartPage"), 100);
  EXPECT_EQ(system.log.Count("EndDoc"), 50);
}

}  // namespace
}  // namespace korv
