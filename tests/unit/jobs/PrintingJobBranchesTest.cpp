#include "jobs/PrintingJobBranches.h"

#include <gtest/gtest.h>

#include <set>

#include "app/PrinterObjectAdapters.h"
#include "fakes/IconvCodePages.h"
#include "jobs/JobErrors.h"
#include "printing/EPrinter.h"
#include "unit/jobs/BranchFakes.h"

namespace korv {
namespace {

struct Branches : ::testing::Test, testing::BranchFakes {
  Branches() {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
    spooler.printers = {"Office Laser"};
  }
  std::unique_ptr<JobFile> Job(const std::string& bytes) {
    files.AddFile(kSpool, "JOB1", bytes);
    return files.OpenJob("JOB1");
  }
  PrintingJobBranches Make(unsigned osMajor) {
    return PrintingJobBranches(state, files, profile, printer, metrics, spooler, osMajor);
  }
};

TEST_F(Branches, TextJobGoesThroughThePrinterDriverAsADocument) {
  auto job = Job("HELLO WORLD\r\n");
  EXPECT_EQ(Make(5).PrintTextJob(*job), JobOutcome::Printed);
  EXPECT_EQ(system.log.documents, std::vector<std::string>{"Korvelane"});
  ASSERT_FALSE(system.log.texts.empty());
  EXPECT_EQ(system.log.texts.front().text, "H");
  EXPECT_TRUE(spooler.written.empty());

  // A job that fails before its document starts has printed no pages, whatever the last had.
  EXPECT_EQ(printer.PageCount(), 1);
  store.Store("C:\\KORVELAN\\VOZAZAD.INI", "Vozazad", "UseDefault", "N");
  store.Store("C:\\KORVELAN\\VOZAZAD.INI", "Vozazad", "Printer", "Printer Gone Away");
  auto next = Job("SECOND JOB\r\n");
  EXPECT_THROW(Make(5).PrintTextJob(*next), EPrinter);
  EXPECT_EQ(printer.PageCount(), 0);
}

// With CodePage the bytes become Unicode letters and the table's own box pieces; without it
// (or with a value naming no table) they stay bytes in the ANSI code page.
TEST_F(Branches, TextJobsReadTheCodePageKey) {
  const struct {
    const char* value;  // nullptr: no key
    std::u16string letters;
    std::set<std::int32_t> pieceCells;
  } rows[] = {
      {nullptr, u"", {}},
      {"1250", u"", {}},
      {"852", u"Dvo\u0159\u00E1k\u00C1", {7, 8, 9}},
      {"437", u"Dvo\u00B2\u00E1k", {7, 8, 9, 11}},
  };
  fakes::IconvCodePages codePages;
  for (const auto& row : rows) {
    system.log = {};
    if (row.value) store.Store(kIni, "Vozazad", "CodePage", row.value);
    auto job = Job("Dvo\xFD\xA0k \xC9\xCD\xBB \xB5\r\n");
    auto branches = Make(5);
    branches.SetCodePages(codePages);
    EXPECT_EQ(branches.PrintTextJob(*job), JobOutcome::Printed);
    std::u16string letters;
    for (const auto& c : system.log.wideTexts) letters += c.ch;
    EXPECT_EQ(letters, row.letters) << (row.value ? row.value : "none");
    if (row.letters.empty()) {
      EXPECT_FALSE(system.log.textCalls.empty());
      EXPECT_TRUE(system.log.fills.empty());
      continue;
    }
    EXPECT_TRUE(system.log.textCalls.empty());
    const std::int32_t cell = system.log.wideCalls.at(0).advances.at(0);
    std::set<std::int32_t> pieceCells;
    for (const auto& fill : system.log.fills) pieceCells.insert(fill.rect.left / cell);
    EXPECT_EQ(pieceCells, row.pieceCells) << row.value;
  }
}

TEST_F(Branches, RawJobFromWindows5OnGoesToTheSpoolerUntouched) {
  const std::string bytes("\x1b@raw\0bytes\x0c", 12);
  auto job = Job(bytes);
  EXPECT_EQ(Make(5).PrintRawJob(*job, false), JobOutcome::Printed);
  EXPECT_EQ(spooler.written, bytes);
  EXPECT_EQ(store.Stored("C:\\KORVELAN\\VOZAZAD.INI", "Vozazad", "Printer"), "Office Laser");
  EXPECT_TRUE(system.log.documents.empty());
}

TEST_F(Branches, RawJobBeforeWindows5IsAPageLessPassThroughDocument) {
  auto job = Job("RAWBYTES");
  EXPECT_EQ(Make(4).PrintRawJob(*job, false), JobOutcome::Printed);
  ASSERT_EQ(system.log.escapes.size(), 1u);
  EXPECT_EQ(system.log.escapes[0].input, std::string("\x08\x00RAWBYTES", 10));
  EXPECT_EQ(system.log.Count("StartPage"), 0);
  EXPECT_TRUE(spooler.written.empty());
}

TEST_F(Branches, ARefusedPassThroughDocumentNamesThePrinter) {
  system.log.failing = {"EndDoc"};
  auto job = Job("RAWBYTES");
  auto branches = Make(4);
  try {
    branches.PrintRawJob(*job, false);
    FAIL() << "no error";
  } catch (const EPrinter& e) {
    EXPECT_STREQ(e.what(), "Cannot print on Office Laser: Printing failed (EndDoc failed)");
  }
}

TEST_F(Branches, RawJobOnAMissingPrinterFailsSoTheLoopKeepsTheFile) {
  store.Store("C:\\KORVELAN\\VOZAZAD.INI", "Vozazad", "Printer", "Printer Gone Away");
  auto job = Job("RAWBYTES");
  auto branches = Make(5);
  EXPECT_THROW(branches.PrintRawJob(*job, false), RawPrintError);
}

TEST(CanvasFontOnTPrinter, ChosenFontBecomesThePrinterFontAndReadsBack) {
  fakes::FakePrintSystem system;
  system.level4 = {{"Office Laser", ""}};
  system.defaults = {{"Office Laser", ""}};
  TPrinter printer(system);
  CanvasFontOnTPrinter font(printer);

  // 12 points as the font dialog gives them: tenths of a point, 720 to the inch.
  const TPrinterFont chosen{"Lucida Console", 238, FontPitch::Fixed, -120, 0, 720, true};
  font.SetFont(chosen);
  EXPECT_EQ(font.Font(), chosen.AtResolution(96));  // the canvas's resolution
  EXPECT_EQ(printer.DocumentCanvas().Font().Size(), 12);

  font.CreatePrinterFont(PrinterFontRequest{"Courier New"});
  EXPECT_EQ(font.Font().Name, "Courier New");
  EXPECT_EQ(font.Font().Size(), 10);
  EXPECT_FALSE(font.Font().Bold);
}

}  // namespace
}  // namespace korv
