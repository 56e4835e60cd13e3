// Jobs: how they are opened, handed to a branch, deleted, held back and kept on failure.
#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

TEST_F(PrintLoopTest, AJobIsPrintedFromItsFirstByteThenClosedAndDeleted) {
  Spool("JOB", "\x01hello, printer");
  bool sawPrinting = false;
  text.during = [&] {
    sawPrinting = state.flags.printing && view.status == "Status - printing" && !view.printerFont &&
                  !view.selectPrinter && files.openJobs == 1;
  };
  loop.Poll();
  EXPECT_TRUE(sawPrinting);
  EXPECT_EQ(text.printed, std::vector<std::string>{"\x01hello, printer"});
  EXPECT_FALSE(InSpool("JOB"));
  EXPECT_EQ(files.openJobs, 0);
  EXPECT_FALSE(state.flags.printing);
  EXPECT_EQ(view.status, "Status - not printing");
  EXPECT_EQ(files.log.back(), "delete opened JOB");  // through the file as it was opened
}

TEST_F(PrintLoopTest, AJobWaitsWhileItsWriterHoldsItAndHoldsBackTheFilesBehindIt) {
  auto& first = Spool("FIRST", "first job");
  first.locked = true;
  Spool("SECOND", "second job");
  Spool("DISABLE", "x");
  EXPECT_EQ(Polls(4), 4);
  EXPECT_TRUE(text.printed.empty());
  EXPECT_EQ(files.Names(kSpoolDir).size(), 3u);
  EXPECT_FALSE(state.flags.stopRequested);
  EXPECT_EQ(view.status, "Status - not printing");

  first.locked = false;
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(text.printed, (std::vector<std::string>{"first job", "second job"}));
  EXPECT_TRUE(state.flags.stopRequested);
}

TEST_F(PrintLoopTest, AJobHeldByASettingsDialogIsPrintedOnceAfterItCloses) {
  state.flags.settingsOpen = true;
  Spool("JOB", "font dialog open");
  EXPECT_EQ(Polls(2), 2);
  EXPECT_TRUE(InSpool("JOB"));
  EXPECT_EQ(files.openJobs, 0);
  state.flags.settingsOpen = false;
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(text.printed, std::vector<std::string>{"font dialog open"});
  EXPECT_FALSE(InSpool("JOB"));
}

TEST_F(PrintLoopTest, AStopDuringAJobLeavesItsFileInPlace) {
  Spool("JOB", "cut short by a stop");
  text.outcome = JobOutcome::Stopped;
  text.during = [&] { state.flags.stopRequested = true; };
  EXPECT_EQ(loop.Poll(), PrintLoop::Pass::Leave);
  EXPECT_TRUE(InSpool("JOB"));
  EXPECT_EQ(files.openJobs, 0);
  EXPECT_EQ(view.status, "Status - printing");  // no end-of-poll update after a stop
}

TEST_F(PrintLoopTest, AFailingJobStaysAndTheLoopPollsOn) {
  Spool("BROKEN", "cannot print this");
  Spool("NEXT", "prints fine");
  text.failWith = "Printer is not ready";
  text.during = [&] { files.SetCurrentDirectory("C:\\"); };  // a branch may leave elsewhere

  EXPECT_EQ(loop.Poll(), PrintLoop::Pass::Took);
  EXPECT_TRUE(InSpool("BROKEN"));
  EXPECT_EQ(files.openJobs, 0);
  EXPECT_EQ(view.status, "Status - error: Printer is not ready");
  EXPECT_EQ(files.CurrentDirectory(), kSpoolDir);
  EXPECT_FALSE(state.flags.printing);
  EXPECT_TRUE(view.printerFont);

  // The broken job is set aside for a while, so the job behind it goes ahead.
  text.failWith.clear();
  text.during = nullptr;
  loop.Poll();
  EXPECT_EQ(text.printed.back(), "prints fine");
  EXPECT_FALSE(InSpool("NEXT"));
  EXPECT_EQ(view.status, "Status - not printing");
  EXPECT_EQ(Polls(40), 40);
  EXPECT_EQ(text.printed.size(), 2u);
  EXPECT_TRUE(InSpool("BROKEN"));

  // After its wait it is tried again, and this time it prints.
  EXPECT_EQ(Polls(20), 20);
  EXPECT_EQ(text.printed.size(), 3u);
  EXPECT_FALSE(InSpool("BROKEN"));
}

TEST_F(PrintLoopTest, ARawJobThatFailsIsKeptToo) {
  state.flags.rawMode = true;
  Spool("RAW", "raw bytes here");
  raw.failWith = "The printer name is invalid.";
  loop.Poll();
  EXPECT_EQ(raw.printed.size(), 1u);
  EXPECT_TRUE(InSpool("RAW"));
  EXPECT_EQ(view.status, "Status - error: The printer name is invalid.");
}

TEST_F(PrintLoopTest, AJobThatKeepsFailingWaitsLongerEachTime) {
  Spool("BROKEN", "cannot print this");
  text.failWith = "Printer is not ready";
  std::vector<int> triedAtPoll;
  text.during = [&] { triedAtPoll.push_back(waiter.sleeps); };  // one pause per poll
  EXPECT_EQ(Polls(400), 400);
  // At once, then after 5, 10 and 20 seconds of polls.
  EXPECT_EQ(triedAtPoll, (std::vector<int>{0, 50, 150, 350}));
  EXPECT_TRUE(InSpool("BROKEN"));
}

TEST_F(PrintLoopTest, ANewJobUnderAFailedJobsNameStartsAfresh) {
  Spool("JOB", "cannot print this");
  text.failWith = "Printer is not ready";
  loop.Poll();
  EXPECT_EQ(text.printed.size(), 1u);
  // The user removes the broken job; an idle poll sees that it is gone.
  ASSERT_TRUE(files.DeleteFile(std::string(kSpoolDir) + "\\JOB"));
  loop.Poll();
  text.failWith.clear();
  Spool("job", "a new job");
  loop.Poll();
  EXPECT_EQ(text.printed.back(), "a new job");
  EXPECT_FALSE(InSpool("job"));
}

TEST_F(PrintLoopTest, NothingIsTakenWhileTheSpoolDirectoryCannotBeEntered) {
  files.AddFile("C:\\KORVELAN", "OUTSIDE", "not a spool file");
  files.AddFile("C:\\KORVELAN", "DISABLE", "x");
  Spool("JOB", "spool job");
  files.SetCurrentDirectory("C:\\KORVELAN");
  files.unenterable.insert(kSpoolDir);

  EXPECT_EQ(Polls(3), 3);
  EXPECT_TRUE(text.printed.empty());
  EXPECT_FALSE(state.flags.stopRequested);
  EXPECT_TRUE(files.Exists("C:\\KORVELAN", "OUTSIDE"));
  EXPECT_TRUE(files.Exists("C:\\KORVELAN", "DISABLE"));
  EXPECT_EQ(view.status, "Status - error: Cannot change to directory C:\\KORVELAN\\\\WINPRINT");

  files.unenterable.clear();
  loop.Poll();
  EXPECT_EQ(text.printed, std::vector<std::string>{"spool job"});
  EXPECT_EQ(view.status, "Status - not printing");
  EXPECT_TRUE(files.Exists("C:\\KORVELAN", "OUTSIDE"));
}

TEST_F(PrintLoopTest, APrintedJobIsDeletedInTheSpoolDirectoryEvenWhenItCannotBeReentered) {
  files.AddFile("C:\\KORVELAN", "JOB", "same name, elsewhere");
  Spool("JOB", "printed job");
  text.during = [&] {
    files.SetCurrentDirectory("C:\\KORVELAN");
    files.unenterable.insert(kSpoolDir);
  };
  loop.Poll();
  EXPECT_EQ(text.printed.size(), 1u);
  EXPECT_FALSE(InSpool("JOB"));
  EXPECT_TRUE(files.Exists("C:\\KORVELAN", "JOB"));
}

}  // namespace
}  // namespace korv::testing
