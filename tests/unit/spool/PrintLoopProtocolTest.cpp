// Which files a poll takes and what the control files do.
#include <algorithm>

#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

bool Logged(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST_F(PrintLoopTest, EmptyDisableIsNeverTaken) {
  Spool("DISABLE", "");
  EXPECT_EQ(Polls(5), 5);
  EXPECT_TRUE(InSpool("DISABLE"));
  EXPECT_FALSE(state.flags.stopRequested);
  EXPECT_FALSE(Logged(files.log, "delete DISABLE"));
}

TEST_F(PrintLoopTest, LowerCaseDisableStopsTheServiceAndIsDeleted) {
  Spool("disable", "x");
  view.status = "before";
  EXPECT_EQ(loop.Poll(), PrintLoop::Pass::Leave);
  EXPECT_FALSE(InSpool("disable"));
  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(view.status, "before");  // the end-of-poll update does not run
  EXPECT_TRUE(text.printed.empty());
  EXPECT_FALSE(Logged(files.log, "read disable"));  // a control file's content is never read
}

TEST_F(PrintLoopTest, ControlNamesMatchOnlyAsAWholeName) {
  const std::string job(20, 'J');
  Spool("DISABLE.TXT", job);
  Spool("XRAWPRINT", "12345678");
  EXPECT_EQ(Polls(2), 2);
  EXPECT_FALSE(state.flags.stopRequested);
  EXPECT_FALSE(state.flags.rawMode);
  EXPECT_EQ(text.printed, (std::vector<std::string>{job, "12345678"}));
  EXPECT_TRUE(files.Names(kSpoolDir).empty());
}

TEST_F(PrintLoopTest, JobsUnderEightBytesAreDeletedUnprinted) {
  Spool("FIVE", "12345");
  Spool("SEVEN", "1234567");
  Spool("EIGHT", "12345678");
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(text.printed, std::vector<std::string>{"12345678"});
  EXPECT_TRUE(files.Names(kSpoolDir).empty());
  // Only the printed job showed the printing status.
  EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "status=Status - printing"), 1);
}

TEST_F(PrintLoopTest, NamesHoldingTmpAreNeverTouched) {
  Spool("JOB.TMP", std::string(20, 'a'));
  Spool("tmpjob", "1");
  Spool("XTMPX", "1234567890");
  Spool("DISABLE.tmp", "x");
  Spool("REAL", "12345678");
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(text.printed, std::vector<std::string>{"12345678"});
  EXPECT_EQ(files.Names(kSpoolDir),
            (std::vector<std::string>{"JOB.TMP", "tmpjob", "XTMPX", "DISABLE.tmp"}));
  for (const std::string& entry : files.log) EXPECT_EQ(entry.find("TMP"), std::string::npos);
  EXPECT_FALSE(state.flags.stopRequested);
}

TEST_F(PrintLoopTest, HiddenSystemAndLinkedFilesAreNeverTouched) {
  Spool("HIDDEN", std::string(20, 'h'), kAttrArchive | kAttrHidden);
  Spool("SYSTEM", std::string(20, 's'), kAttrArchive | kAttrSystem);
  Spool("LINK", std::string(20, 'l'), kAttrArchive | kAttrReparsePoint);
  Spool("DISABLE", "x", kAttrArchive | kAttrReparsePoint);
  EXPECT_EQ(Polls(4), 4);
  EXPECT_TRUE(text.printed.empty());
  EXPECT_FALSE(state.flags.stopRequested);
  EXPECT_EQ(files.Names(kSpoolDir).size(), 4u);
  for (const std::string& entry : files.log) EXPECT_EQ(entry.rfind("delete", 0), std::string::npos);
  EXPECT_FALSE(Logged(files.log, "open HIDDEN"));
  EXPECT_FALSE(Logged(files.log, "open LINK"));
}

TEST_F(PrintLoopTest, ModeFilesSwitchModesAndReapplyThePrinterChoice) {
  std::vector<std::string> modes;
  choice.onLoad = [&] {
    modes.push_back(std::string(state.flags.rawMode ? "raw" : "text") +
                    (state.flags.pageFeedMode ? "+feed" : ""));
  };
  Spool("RAWPAGE", "x");
  Spool("WINPRINT", "x");
  Spool("JOB1", "text job");
  Spool("rawprint", "x");
  Spool("JOB2", "raw job!");

  EXPECT_EQ(Polls(5), 5);
  // WINPRINT leaves the page-feed flag as it was; it only counts in raw mode.
  EXPECT_EQ(modes, (std::vector<std::string>{"raw+feed", "text+feed", "raw"}));
  EXPECT_EQ(text.printed, std::vector<std::string>{"text job"});
  EXPECT_EQ(raw.printed, std::vector<std::string>{"raw job!"});
  EXPECT_TRUE(state.flags.rawMode);
  EXPECT_FALSE(state.flags.pageFeedMode);
  EXPECT_TRUE(files.Names(kSpoolDir).empty());
}

TEST_F(PrintLoopTest, SetFocusActivatesTheHostWindowWithThePause) {
  Spool("SETFOCUS", "x");
  loop.Poll();
  EXPECT_EQ(host.log, std::vector<std::string>{"activate pause"});
  EXPECT_FALSE(InSpool("SETFOCUS"));
  EXPECT_EQ(choice.calls, 0);
}

TEST_F(PrintLoopTest, OneFileIsTakenPerPollInListingOrder) {
  Spool("B", "first in the listing");
  Spool("A", "second in the listing");
  loop.Poll();
  EXPECT_EQ(text.printed, std::vector<std::string>{"first in the listing"});
  EXPECT_TRUE(InSpool("A"));
  loop.Poll();
  EXPECT_EQ(text.printed.size(), 2u);
  EXPECT_TRUE(files.Names(kSpoolDir).empty());
}

TEST_F(PrintLoopTest, ControlFilesAreObeyedWhileASettingsDialogHoldsTheJobs) {
  state.flags.settingsOpen = true;
  Spool("JOB", "waiting job");
  Spool("RAWPRINT", "x");
  EXPECT_EQ(Polls(3), 3);
  EXPECT_TRUE(InSpool("JOB"));  // taken each poll and closed again
  EXPECT_EQ(files.openJobs, 0);
  EXPECT_TRUE(text.printed.empty());
  EXPECT_TRUE(raw.printed.empty());
  // The job is first in the listing, so the control file waits behind it.
  EXPECT_TRUE(InSpool("RAWPRINT"));

  state.flags.settingsOpen = false;
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(text.printed, std::vector<std::string>{"waiting job"});
  EXPECT_FALSE(InSpool("RAWPRINT"));
  EXPECT_TRUE(state.flags.rawMode);
}

TEST_F(PrintLoopTest, AControlFileAheadOfAHeldJobIsObeyed) {
  state.flags.settingsOpen = true;
  Spool("RAWPRINT", "x");
  Spool("JOB", "waiting job");
  EXPECT_EQ(Polls(3), 3);
  EXPECT_TRUE(state.flags.rawMode);
  EXPECT_EQ(choice.calls, 1);
  EXPECT_FALSE(InSpool("RAWPRINT"));
  EXPECT_TRUE(InSpool("JOB"));
  EXPECT_TRUE(raw.printed.empty());
}

TEST_F(PrintLoopTest, AControlFileThatCannotBeDeletedIsSetAsideAndActsOnce) {
  Spool("WINPRINT", "x").undeletable = true;
  EXPECT_EQ(Polls(3), 3);
  EXPECT_EQ(choice.calls, 1);
  EXPECT_EQ(files.Names(std::string(kSpoolDir) + "\\SETASIDE"),
            std::vector<std::string>{"WINPRINT"});
  EXPECT_EQ(view.status,
            "Status - error: WINPRINT could not be deleted; moved to "
            "WINPRINT\\SETASIDE\\WINPRINT");
}

}  // namespace
}  // namespace korv::testing

namespace korv::testing {
namespace {

TEST_F(PrintLoopTest, APrintedJobThatCannotBeDeletedIsNotPrintedAgain) {
  auto& stuck = Spool("STUCK", "12345678");
  stuck.undeletable = true;  // e.g. the host program still holds it open
  stuck.immovable = true;
  Spool("NEXT", "abcdefgh");
  EXPECT_EQ(Polls(4), 4);
  EXPECT_EQ(text.printed, (std::vector<std::string>{"12345678", "abcdefgh"}));
  EXPECT_TRUE(InSpool("STUCK"));

  stuck.undeletable = false;  // its deletion is tried again every 5 s
  EXPECT_EQ(Polls(10), 10);
  EXPECT_TRUE(InSpool("STUCK"));
  EXPECT_EQ(Polls(40), 40);
  EXPECT_FALSE(InSpool("STUCK"));
  EXPECT_EQ(text.printed.size(), 2u);
}

TEST_F(PrintLoopTest, ANewJobUnderTheNameOfAStuckOneIsPrinted) {
  auto& stuck = Spool("STUCK", "12345678");
  stuck.undeletable = true;
  stuck.immovable = true;
  EXPECT_EQ(Polls(2), 2);
  stuck.data = "a new, longer job";
  EXPECT_EQ(Polls(1), 1);
  EXPECT_EQ(text.printed, (std::vector<std::string>{"12345678", "a new, longer job"}));
}

}  // namespace
}  // namespace korv::testing
