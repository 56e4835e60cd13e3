// Printed jobs go into the history instead of being deleted, and come back as reprints
// between spool jobs.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakeHistory.h"
#include "fakes/FakeJobLog.h"
#include "history/ReprintRequests.h"
#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

class PrintLoopHistoryTest : public PrintLoopTest {
 protected:
  static constexpr const char* kHistory = "C:\\KORVELAN\\HISTORY";
  PrintLoopHistoryTest() {
    files.AddDirectory(kHistory);
    history.Open(HistoryLimits{});
    loop.SetJobLog(log);
    loop.SetRouting(routing);
    loop.SetKeptJobs(kept);
  }
  // The job's bytes as the history keeps them, per entry, newest first.
  std::vector<std::string> Kept() {
    std::vector<std::string> out;
    for (const HistoryEntry& e : history.Entries()) out.push_back(files.Contents(kHistory, e.key));
    return out;
  }

  fakes::FakeIndexFile index;
  fakes::FakeHistoryClock clock;
  fakes::FakeJobFacts facts;
  fakes::FakeJobLog log;
  HistoryStore history{files, index, clock, kHistory};
  ReprintRequests reprints{nullptr};
  JobRouting routing{profile};
  KeptJobs kept{files, profile, history, reprints, facts};
};

TEST_F(PrintLoopHistoryTest, PrintedJobsAreMovedIntoTheHistoryWithWhatIsKnown) {
  facts.facts = {"Office Laser", 2, ""};
  Spool("INV1", "first invoice");
  loop.Poll();
  Spool("INV1", "second invoice");
  loop.Poll();
  EXPECT_FALSE(InSpool("INV1"));
  EXPECT_EQ(Kept(), (std::vector<std::string>{"second invoice", "first invoice"}));
  const HistoryEntry newest = history.Entries().front();
  EXPECT_EQ(newest.jobName, "INV1");
  EXPECT_EQ(newest.key, "INV1 (2)");
  EXPECT_EQ(newest.bytes, 14u);
  EXPECT_EQ(newest.printer, "Office Laser");
  EXPECT_EQ(newest.pages, 2);
  EXPECT_EQ(newest.mode, JobMode::Text);
  EXPECT_EQ(newest.result, "printed");
}

TEST_F(PrintLoopHistoryTest, AFailedMoveDeletesAsBeforeAndTheJobPrintsOnce) {
  Spool("INV1", "an invoice").immovable = true;
  Polls(5);
  EXPECT_NE(
      std::find(files.log.begin(), files.log.end(), "move opened INV1 C:\\KORVELAN\\HISTORY\\INV1"),
      files.log.end());
  EXPECT_FALSE(InSpool("INV1"));
  EXPECT_EQ(text.printed.size(), 1u);
  EXPECT_TRUE(history.Entries().empty());
}

// The printed file itself goes into the history, through the file as it was opened: a file
// put under its name meanwhile stays, to print as a job of its own.
TEST_F(PrintLoopHistoryTest, OnlyTheHandledSpoolFileItselfIsMoved) {
  Spool("SAME", "the printed job");
  text.during = [&] {
    text.during = nullptr;
    files.Rename(kSpoolDir, "SAME", "RENAMED");
    Spool("SAME", "a new job");
  };
  loop.Poll();
  EXPECT_EQ(Kept(), std::vector<std::string>{"the printed job"});
  EXPECT_EQ(files.Contents(kSpoolDir, "SAME"), "a new job");
  EXPECT_FALSE(InSpool("RENAMED"));
}

TEST_F(PrintLoopHistoryTest, HistoryOffDeletesJobsAndWhatWasKept) {
  Spool("INV1", "kept while on");
  loop.Poll();
  ASSERT_EQ(history.Entries().size(), 1u);
  store.Store(kIni, "Vozazad", "History", "0");
  Spool("INV2", "printed while off");
  loop.Poll();
  EXPECT_FALSE(InSpool("INV2"));
  EXPECT_TRUE(history.Entries().empty());
  EXPECT_TRUE(files.Names(kHistory).empty());
}

TEST_F(PrintLoopHistoryTest, ARawJobIsPrintedAgainRawInTextModeOnItsPrinter) {
  facts.facts = {"Receipts", 0, ""};
  Spool("RAWPRINT", "x");
  loop.Poll();
  Spool("RCPT1", "\x1b@receipt");
  loop.Poll();
  Spool("WINPRINT", "x");
  loop.Poll();
  ASSERT_FALSE(state.flags.rawMode);
  const std::string key = history.Entries().front().key;

  state.flags.settingsOpen = true;
  reprints.Add({key, ""});
  loop.Poll();
  EXPECT_EQ(raw.printed.size(), 1u);  // not while a settings dialog is open
  state.flags.settingsOpen = false;
  loop.Poll();
  ASSERT_EQ(raw.printed.size(), 2u);
  EXPECT_EQ(raw.printed[1], "\x1b@receipt");
  EXPECT_TRUE(text.printed.empty());
  EXPECT_EQ(routing.Current().printer, "Receipts");
  EXPECT_EQ(log.events.back(), "end printed");
  EXPECT_EQ(log.events[log.events.size() - 2], "reprint RCPT1 9 raw");
  EXPECT_EQ(history.Entries().front().result, "reprinted");

  reprints.Add({key, "Other Printer"});
  loop.Poll();
  EXPECT_EQ(routing.Current().printer, "Other Printer");
}

}  // namespace
}  // namespace korv::testing
