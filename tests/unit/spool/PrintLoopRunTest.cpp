// The print thread's start, its end-of-poll updates, and the ways it ends.
#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

TEST_F(PrintLoopTest, ThreadStartSetsUpTrayHostAndFontThenTextMode) {
  store.Store(kIni, "Vozazad", "Font", "Lucida Console");
  state.flags.rawMode = true;
  loop.ThreadStart();

  ASSERT_EQ(tray.applied.size(), 1u);
  EXPECT_TRUE(tray.applied[0].active);
  EXPECT_TRUE(tray.applied[0].closeToTray);
  EXPECT_FALSE(tray.applied[0].hideOnRestore);
  EXPECT_TRUE(tray.applied[0].minimizeToTray);
  EXPECT_EQ(host.log, (std::vector<std::string>{"find", "activate pause", "activate pause"}));
  ASSERT_EQ(font.created.size(), 1u);
  EXPECT_EQ(font.created[0].faceName, "Lucida Console");
  EXPECT_EQ(font.created[0].charSet, 1);
  EXPECT_EQ(font.created[0].pointSize, 10);
  EXPECT_EQ(state.fontName.Get(), "Lucida Console");
  EXPECT_EQ(view.fontLabel, "Font: Lucida Console");
  EXPECT_FALSE(state.flags.rawMode);
}

TEST_F(PrintLoopTest, ThreadStartFallsBackToCourierNew) {
  loop.ThreadStart();
  EXPECT_EQ(view.fontLabel, "Font: Courier New");
  EXPECT_EQ(font.created.at(0).faceName, "Courier New");
}

TEST_F(PrintLoopTest, AFailingStartStepIsShownAndTheLoopStillServes) {
  tray.failWith = "Error adding tray icon";
  font.failWith = "Printer selected is not valid";
  Spool("JOB", "still printed");
  loop.ThreadStart();
  EXPECT_EQ(host.log.size(), 3u);
  EXPECT_EQ(view.fontLabel, "Font: Courier New");
  loop.Poll();
  EXPECT_EQ(text.printed, std::vector<std::string>{"still printed"});
  // A job that printed clears the error from the status line.
  EXPECT_EQ(view.status, "Status - not printing");
}

TEST_F(PrintLoopTest, EndOfPollEnablesButtonsFromModeAndProfile) {
  struct Case {
    const char* useDefault;  // nullptr: key missing
    bool raw;
    bool selectPrinter, printerFont;
  };
  const Case cases[] = {
      {nullptr, false, false, true}, {"Y", false, false, true},  {"N", false, true, true},
      {"n", false, false, true},     {"N ", false, false, true}, {"", false, false, true},
      {"N", true, true, false},      {"Y", true, false, false},
  };
  for (const Case& c : cases) {
    store.values.clear();
    if (c.useDefault) SetUseDefault(c.useDefault);
    state.flags.rawMode = c.raw;
    view.selectPrinter = !c.selectPrinter;
    view.printerFont = !c.printerFont;
    waiter.now += 1000;  // the profile is read again once a second at most
    loop.Poll();
    EXPECT_EQ(view.selectPrinter, c.selectPrinter) << (c.useDefault ? c.useDefault : "<none>");
    EXPECT_EQ(view.printerFont, c.printerFont) << c.raw;
    EXPECT_EQ(view.status, "Status - not printing");
  }
}

TEST_F(PrintLoopTest, WithoutNotificationEachPollPausesOnceAndDispatchesMessages) {
  Spool("JOB1", "one file per poll");
  Spool("JOB2", "one file per poll");
  EXPECT_EQ(Polls(10), 10);
  EXPECT_EQ(waiter.now, 1000u);
  EXPECT_EQ(waiter.dispatches, 10);
  EXPECT_EQ(text.printed.size(), 2u);
}

TEST_F(PrintLoopTest, RunStartsBeforeTheFirstPollAndPostsQuitAfterDisable) {
  std::size_t hostCallsAtFirstPause = 0;
  waiter.afterSleep = [&] {
    if (waiter.sleeps == 1) hostCallsAtFirstPause = host.log.size();
    if (waiter.sleeps == 3) Spool("DISABLE", "x");
  };
  loop.Run();
  EXPECT_EQ(hostCallsAtFirstPause, 3u);
  EXPECT_EQ(waiter.sleeps, 3);  // the pass after the third pause takes it
  EXPECT_FALSE(InSpool("DISABLE"));
  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(shell.quits, 1);
}

TEST_F(PrintLoopTest, RunEndsWhenTheApplicationIsToldToTerminate) {
  waiter.afterSleep = [&] {
    if (waiter.sleeps == 5) waiter.terminate = true;
  };
  Spool("JOB", "selected before the stop");
  loop.Run();
  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(waiter.sleeps, 5);
  EXPECT_EQ(shell.quits, 1);
  EXPECT_EQ(text.printed.size(), 1u);
}

TEST_F(PrintLoopTest, AFileSelectedBeforeAStopIsStillHandledInThatPoll) {
  Spool("JOB", "selected before the stop");
  waiter.terminate = true;
  loop.Run();
  EXPECT_EQ(text.printed, std::vector<std::string>{"selected before the stop"});
  EXPECT_FALSE(InSpool("JOB"));
  EXPECT_EQ(shell.quits, 1);
}

TEST_F(PrintLoopTest, RunEndsAtOnceWhenAJobIsStopped) {
  Spool("JOB", "cut short");
  Spool("NEXT", "never reached");
  text.outcome = JobOutcome::Stopped;
  loop.Run();
  EXPECT_EQ(text.printed.size(), 1u);
  EXPECT_TRUE(InSpool("JOB"));
  EXPECT_EQ(shell.quits, 1);
}

TEST_F(PrintLoopTest, AFailingModeChangeIsShownAndTheLoopGoesOn) {
  choice.failWith = "Printing in progress";
  Spool("RAWPRINT", "x");
  Spool("JOB", "a raw job");
  loop.Poll();
  EXPECT_EQ(view.status, "Status - error: Printing in progress");
  EXPECT_FALSE(InSpool("RAWPRINT"));
  loop.Poll();
  EXPECT_EQ(raw.printed.size(), 1u);
}

}  // namespace
}  // namespace korv::testing
