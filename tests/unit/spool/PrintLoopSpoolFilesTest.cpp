// Spool files that resist: links to elsewhere, files that will not open, read-only and
// undeletable files, files still being written, and a new job under a handled job's name.
#include <algorithm>

#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

const std::string kSetAside = "C:\\KORVELAN\\WINPRINT\\SETASIDE";

bool Logged(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST_F(PrintLoopTest, ALinkToAFileElsewhereIsNeverReadDeletedOrMovedAndHoldsNothingUp) {
  Spool("A_LINK", "the target's bytes").outside = true;
  Spool("JOB", "after the link");
  Spool("RAWPRINT", "x").outside = true;  // a control name does not make a link obeyed
  EXPECT_EQ(Polls(5), 5);
  EXPECT_EQ(text.printed, std::vector<std::string>{"after the link"});
  EXPECT_FALSE(state.flags.rawMode);
  EXPECT_EQ(files.Names(kSpoolDir), (std::vector<std::string>{"A_LINK", "RAWPRINT"}));
  for (const std::string& entry : files.log) {
    EXPECT_NE(entry, "read A_LINK");
    EXPECT_EQ(entry.find("delete A_LINK"), std::string::npos);
    EXPECT_EQ(entry.find("move A_LINK"), std::string::npos);
    EXPECT_EQ(entry.find("attrib A_LINK"), std::string::npos);
  }
  // Tried once each, then refused for the rest of the run.
  EXPECT_EQ(std::count(files.log.begin(), files.log.end(), "open A_LINK"), 1);
  EXPECT_EQ(view.status,
            "Status - error: not taken: RAWPRINT: it is a link to a file outside WINPRINT");
}

TEST_F(PrintLoopTest, AFileThatWillNotOpenIsPassedOverThenSetAsideAfterFiveMinutes) {
  auto& held = Spool("HELD", "held by another program");
  held.locked = true;
  Spool("NEXT", "the next job");
  files.AddFile(kSetAside, "HELD", "an earlier one");

  EXPECT_EQ(Polls(19), 19);  // not yet 2 s: it still holds the queue
  EXPECT_TRUE(text.printed.empty());
  EXPECT_EQ(Polls(2), 2);  // the third try, 2 s after the first: now passed over
  EXPECT_EQ(view.status,
            "Status - error: cannot open HELD (the files after it go ahead): The file is in use.");
  EXPECT_EQ(Polls(1), 1);
  EXPECT_EQ(text.printed, std::vector<std::string>{"the next job"});
  // Printing cleared the error; the file passed over is still named.
  EXPECT_EQ(view.status, "Status - error: cannot open HELD: The file is in use.");

  // Retried every 2 s, not every poll.
  const auto tries = [&] { return std::count(files.log.begin(), files.log.end(), "open HELD"); };
  const auto before = tries();
  EXPECT_EQ(Polls(100), 100);
  EXPECT_GE(tries() - before, 4);
  EXPECT_LE(tries() - before, 6);

  // After 5 minutes it goes into the set-aside folder, its name made unique there.
  EXPECT_EQ(Polls(3000), 3000);
  EXPECT_FALSE(InSpool("HELD"));
  EXPECT_EQ(files.Names(kSetAside), (std::vector<std::string>{"HELD", "HELD (2)"}));
  EXPECT_EQ(files.Contents(kSetAside, "HELD (2)"), "held by another program");
  EXPECT_EQ(view.status,
            "Status - error: HELD could not be opened for 5 minutes and was moved to "
            "WINPRINT\\SETASIDE\\HELD (2): The file is in use.");
}

TEST_F(PrintLoopTest, AHeldFileThatIsFreedInTimeIsPrintedOnce) {
  auto& held = Spool("HELD", "written at last");
  held.locked = true;
  Spool("NEXT", "the next job");
  EXPECT_EQ(Polls(30), 30);
  held.locked = false;
  EXPECT_EQ(Polls(25), 25);
  EXPECT_EQ(text.printed, (std::vector<std::string>{"the next job", "written at last"}));
  EXPECT_TRUE(files.Names(kSpoolDir).empty());
  EXPECT_EQ(view.status, "Status - not printing");
}

TEST_F(PrintLoopTest, ReadOnlyFilesAreHandledOnceThenMadeWritableAndDeleted) {
  Spool("RAWPRINT", "x", kAttrReadOnly);
  Spool("JOB", "read-only job", kAttrReadOnly);
  Spool("SMALL", "tiny", kAttrReadOnly);
  EXPECT_EQ(Polls(5), 5);
  EXPECT_EQ(choice.calls, 1);
  EXPECT_EQ(raw.printed, std::vector<std::string>{"read-only job"});
  EXPECT_TRUE(files.Names(kSpoolDir).empty());
  EXPECT_TRUE(Logged(files.log, "attrib opened JOB"));
  EXPECT_EQ(view.status, "Status - not printing");
}

TEST_F(PrintLoopTest, AHandledFileThatCannotBeRemovedIsNeverHandledAgainAndSaysSo) {
  auto& control = Spool("RAWPRINT", "x", kAttrReadOnly);
  control.undeletable = control.immovable = true;
  auto& job = Spool("JOB", "printed once");
  job.undeletable = job.immovable = true;
  Spool("LAST", "behind them");
  EXPECT_EQ(Polls(2), 2);
  EXPECT_EQ(view.status,
            "Status - error: JOB could not be deleted or moved; it is not taken again");
  EXPECT_EQ(Polls(10), 10);
  EXPECT_EQ(choice.calls, 1);
  EXPECT_EQ(raw.printed, (std::vector<std::string>{"printed once", "behind them"}));
  EXPECT_TRUE(InSpool("RAWPRINT"));
  EXPECT_TRUE(InSpool("JOB"));
}

TEST_F(PrintLoopTest, AFileStillBeingWrittenIsTakenOnlyWhenItMatchesTheListing) {
  auto& growing = Spool("GROWING", "first half");
  int opens = 0;
  files.beforeOpen = [&](const std::string&) {
    if (++opens <= 3) growing.data += " more";  // between the listing and the open
  };
  EXPECT_EQ(Polls(3), 3);
  EXPECT_TRUE(text.printed.empty());
  EXPECT_EQ(Polls(1), 1);
  EXPECT_EQ(text.printed, std::vector<std::string>{"first half more more more"});
  EXPECT_FALSE(InSpool("GROWING"));
}

TEST_F(PrintLoopTest, ANewJobUnderAHandledJobsNameWithTheSameSizeAndTimeIsPrinted) {
  // While the job prints, someone else replaces it: same name, size and time stamp.
  auto& job = Spool("SAME", "12345678");
  job.lastWriteTime = 5;
  text.during = [&] {
    text.during = nullptr;
    files.Rename(kSpoolDir, "SAME", "MOVED");
    Spool("SAME", "87654321").lastWriteTime = 5;
  };
  EXPECT_EQ(Polls(1), 1);
  EXPECT_TRUE(InSpool("SAME"));  // not ours to delete: the printed one went
  EXPECT_FALSE(InSpool("MOVED"));
  EXPECT_EQ(Polls(1), 1);
  EXPECT_EQ(text.printed, (std::vector<std::string>{"12345678", "87654321"}));
  EXPECT_FALSE(InSpool("SAME"));
}

TEST_F(PrintLoopTest, AHandledFileThatCannotBeRemovedGoesOnceItsRemovalWorks) {
  auto& job = Spool("JOB", "printed once");
  job.undeletable = job.immovable = true;
  EXPECT_EQ(Polls(2), 2);
  job.undeletable = false;
  Polls(40);  // under the five seconds between retries
  EXPECT_TRUE(InSpool("JOB"));
  Polls(20);
  EXPECT_FALSE(InSpool("JOB"));
  EXPECT_EQ(text.printed, std::vector<std::string>{"printed once"});
}

TEST_F(PrintLoopTest, AKeptJobIsForgottenOnceAnotherFileTakesItsName) {
  auto& job = Spool("SAME", "12345678");
  job.lastWriteTime = 5;
  job.undeletable = job.immovable = true;
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(text.printed.size(), 1u);
  job.undeletable = job.immovable = false;
  job.index = 1000;  // another file now, of the same size and time
  job.data = "87654321";
  EXPECT_EQ(Polls(1), 1);
  EXPECT_EQ(text.printed, (std::vector<std::string>{"12345678", "87654321"}));
  EXPECT_FALSE(InSpool("SAME"));
}

}  // namespace
}  // namespace korv::testing
