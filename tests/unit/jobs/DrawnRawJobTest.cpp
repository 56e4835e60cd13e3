// Raw jobs drawn through the printer driver: which printers draw them, and what the job
// log is told.
#include <gtest/gtest.h>

#include "fakes/FakeJobLog.h"
#include "fakes/IconvCodePages.h"
#include "jobs/FileOutputFolder.h"
#include "jobs/PrintingJobBranches.h"
#include "unit/jobs/BranchFakes.h"

namespace korv {
namespace {

struct DrawnRawJobs : ::testing::Test, testing::BranchFakes {
  DrawnRawJobs() {
    system.level4 = {{"Office Laser", ""}, {"PDF", ""}};
    system.defaults = {{"Office Laser", ""}};
    system.ports["PDF"] = {"PORTPROMPT:", "Microsoft Print To PDF"};
    system.ports["Office Laser"] = {"LPT1:", "HP LaserJet"};
    spooler.printers = {"Office Laser", "PDF"};
    store.Store(kIni, "Vozazad", "Printer", "Office Laser");
  }
  // Prints `bytes` as a raw job; true when it was drawn, false when passed through.
  bool Drawn(const std::string& bytes, bool pageFeed = false) {
    system.log = {};
    spooler.written.clear();
    files.AddFile(kSpool, "JOB1", bytes);
    auto job = files.OpenJob("JOB1");
    PrintingJobBranches branches(state, files, profile, printer, metrics, spooler, 5);
    branches.SetFileOutput(output);
    branches.SetJobLog(log);
    branches.SetCodePages(codePages);
    EXPECT_EQ(branches.PrintRawJob(*job, pageFeed), JobOutcome::Printed);
    EXPECT_NE(spooler.written.empty(), system.log.documents.empty());
    return !system.log.documents.empty();
  }

  fakes::IconvCodePages codePages;
  fakes::FakeLogClock clock;
  FileOutputFolder output{state, system, files, profile, clock};
  fakes::FakeJobLog log;
};

TEST_F(DrawnRawJobs, TheSectionTheKeyOrAWriterDecides) {
  const struct {
    const char* key;      // RawJobs in [Vozazad]; nullptr: none
    const char* section;  // the printer's line in [RawJobs]; nullptr: none
    const char* printer;
    bool drawn;
  } rows[] = {
      {nullptr, nullptr, "Office Laser", false},
      {"ESCP", nullptr, "Office Laser", true},
      {"escp", "Pass", "Office Laser", false},
      {"Pass", "ESCP", "Office Laser", true},
      {"Other", nullptr, "Office Laser", false},
      {nullptr, nullptr, "PDF", true},
      {nullptr, "Pass", "PDF", true},
  };
  for (const auto& row : rows) {
    store = {};
    store.Store(kIni, "Vozazad", "Printer", row.printer);
    if (row.key) store.Store(kIni, "Vozazad", "RawJobs", row.key);
    if (row.section) store.Store(kIni, "RawJobs", row.printer, row.section);
    EXPECT_EQ(Drawn("AB"), row.drawn) << (row.key ? row.key : "-") << " " << row.printer;
  }
  EXPECT_NE(system.log.outputs.back(), "");  // the PDF writer's document went into a file
}

TEST_F(DrawnRawJobs, DrawnJobsReadTheProfileAndTellTheLogWhatTheyCouldNotDo) {
  using namespace std::string_literals;
  store.Store(kIni, "Vozazad", "RawJobs", "ESCP");
  store.Store(kIni, "Vozazad", "CodePage", "852");
  store.Store(kIni, "Vozazad", "Font", "Lucida Console");
  store.Store(kIni, "Vozazad", "EscpPins", "9");
  const TPrinterFont textFont = printer.DocumentCanvas().Font();
  ASSERT_TRUE(
      Drawn("\x1b-1\x1b"
            "4\x1b"
            "3\x48\xb5\n\x1bk\x01\x1b(G\x01\x00\x01\x1b(G\x01\x00\x01X\x0c"s,
            true));
  ASSERT_EQ(system.log.wideTexts.size(), 2u);
  EXPECT_EQ(system.log.wideTexts[0].ch, u'\u00C1');  // 852's 0xB5
  EXPECT_EQ(system.log.wideTexts[0].font.faceName, "Lucida Console");
  // The page feed's CR LF first, then 72/216 inch at 300 pixels an inch.
  EXPECT_EQ(system.log.wideTexts[1].at.y, 50 + 100);
  EXPECT_EQ(system.log.Count("EndPage"), 1);  // the final form feed makes no blank sheet
  const TPrinterFont after = printer.DocumentCanvas().Font();  // text jobs keep theirs
  EXPECT_EQ(after.Name, textFont.Name);
  EXPECT_EQ(after.Size(), textFont.Size());
  EXPECT_FALSE(after.Italic || after.Underline);
  EXPECT_EQ(log.events,
            std::vector<std::string>{"note ESC/P commands not carried out: ESC ( G (2)"});
}

}  // namespace
}  // namespace korv
