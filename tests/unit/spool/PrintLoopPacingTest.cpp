// The loop's pace with a change notification: bursts drain at once, an idle loop sleeps
// until something changes, the safety poll catches what a notification missed.
#include "base/ChangedOnlyView.h"
#include "fakes/FakeSpoolWatch.h"
#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

using Wake = SpoolWatch::Wake;

class PrintLoopPacingTest : public PrintLoopTest {
 protected:
  PrintLoopPacingTest() {
    loop.SetSpoolWatch(watch);
    text.during = [&] { printedAt.push_back(waiter.now); };
    raw.during = text.during;
  }
  // Something happens `after` ms into the next wait, with a notification (or none: lost).
  void Then(unsigned after, std::optional<Wake> wake, std::function<void()> action = {}) {
    watch.script.push_back({after, wake, std::move(action)});
  }
  void DisableLater() {
    Then(0, Wake::Changed, [&] { Spool("DISABLE", "x"); });
  }

  fakes::FakeSpoolWatch watch{waiter};
  std::vector<unsigned long long> printedAt;
};

TEST_F(PrintLoopPacingTest, ABurstIsDrainedInListingOrderWithoutSleeping) {
  for (const char* name : {"J1", "J2", "RAWPRINT", "J3", "J4", "DISABLE"})
    Spool(name, name + std::string(" job data"));
  loop.Run();
  EXPECT_EQ(text.printed, (std::vector<std::string>{"J1 job data", "J2 job data"}));
  EXPECT_EQ(raw.printed, (std::vector<std::string>{"J3 job data", "J4 job data"}));
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{0, 0, 0, 0}));
  EXPECT_EQ(watch.armedOn, state.spoolDirectory);
  EXPECT_TRUE(watch.waits.empty());
  EXPECT_EQ(waiter.sleeps, 0);
  EXPECT_EQ(waiter.dispatches, 5);  // messages still flow between passes
}

TEST_F(PrintLoopPacingTest, ANotificationWakesTheLoopAtOnceAndIsRearmedFirst) {
  Then(300, Wake::Changed, [&] { Spool("JOB", "dropped at 300 ms"); });
  DisableLater();
  loop.Run();
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{300}));
  EXPECT_EQ(watch.rearms, 2);
  EXPECT_EQ(files.finds, 4);  // the first pass, the job, the pass after it, the DISABLE
}

TEST_F(PrintLoopPacingTest, ALostNotificationIsCaughtByTheSafetyPoll) {
  Then(200, std::nullopt, [&] { Spool("JOB", "no notification came"); });
  DisableLater();
  loop.Run();
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{1000}));  // within a second
  EXPECT_EQ(watch.waits.front(), 1000u);
}

TEST_F(PrintLoopPacingTest, WithoutNotificationTheLoopKeepsTheFixedCadence) {
  watch.canArm = false;
  for (const char* name : {"J1", "J2", "J3"}) Spool(name, name + std::string(" job data"));
  waiter.afterSleep = [&] {
    if (waiter.now == 1000) Spool("DISABLE", "x");
  };
  loop.Run();
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{0, 100, 200}));
  EXPECT_TRUE(watch.waits.empty());
  EXPECT_EQ(files.finds, 11);
}

TEST_F(PrintLoopPacingTest, AFailedWaitLooksAtOnceThenFallsBackToTheCadence) {
  Then(0, Wake::Failed, [&] { Spool("JOB", "found after a failed wait"); });
  Then(0, Wake::Failed);
  Then(0, Wake::Failed, [&] { Spool("DISABLE", "x"); });
  loop.Run();
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{0}));
  // The job's pass goes on at once; each further failure in a row pauses one cadence step.
  EXPECT_EQ(waiter.now, 200u);
}

TEST_F(PrintLoopPacingTest, ALostWatchIsSetUpAgainOrGivenUpForTheCadence) {
  watch.canRearm = false;
  Then(100, Wake::Changed, [&] { watch.canArm = false; });
  Then(0, Wake::Changed, [&] { Spool("DISABLE", "x"); });  // never reached: no watch now
  waiter.afterSleep = [&] {
    if (waiter.now == 2300) Spool("DISABLE", "x");
  };
  loop.Run();
  EXPECT_EQ(watch.arms, 2);
  EXPECT_EQ(watch.waits.size(), 1u);
  EXPECT_EQ(waiter.now, 2300u);
}

TEST_F(PrintLoopPacingTest, AJobWaitsForAnOpenDialogAndGoesWhenItCloses) {
  state.flags.settingsOpen = true;
  Spool("JOB", "held by the font dialog");
  Then(2500, Wake::Rung, [&] { state.flags.settingsOpen = false; });
  DisableLater();
  loop.Run();
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{2500}));
  // Held, it is listed once per safety poll, not spun on.
  EXPECT_EQ(files.finds, 6);
}

TEST_F(PrintLoopPacingTest, AFailedJobWaitsForItsRetryWithoutSpinning) {
  Spool("BROKEN", "printer not ready");
  text.failWith = "Printer is not ready";
  // A change at 2.5 s moves the safety polls to 3.5 s, 4.5 s, 5.5 s: the retry at 5 s
  // must not wait for the next of them.
  Then(2500, Wake::Changed, [&] { Spool("NEXT.TMP", "being written"); });
  Then(22500, Wake::Changed, [&] { Spool("DISABLE", "x"); });
  loop.Run();
  // At once, after 5 s, after 10 s more.
  EXPECT_EQ(printedAt, (std::vector<unsigned long long>{0, 5000, 15000}));
  EXPECT_LE(files.finds, 30);  // safety polls, never a spin
}

TEST_F(PrintLoopPacingTest, ATerminationSeenWhileWaitingEndsTheLoop) {
  Then(700, Wake::Messages, [&] { waiter.terminate = true; });
  loop.Run();
  EXPECT_EQ(waiter.now, 700u);
  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(shell.quits, 1);
}

TEST_F(PrintLoopPacingTest, AnIdlePassReadsNothingAgainAndRedrawsNothing) {
  ChangedOnlyView changedOnly(view);
  PrintLoop idle{state, PrintLoopPorts{files, profile, waiter, changedOnly, shell, tray, host, font,
                                       choice, text, raw}};
  idle.SetSpoolWatch(watch);
  SetUseDefault("N");
  idle.Poll();
  const std::size_t reads = store.accesses.size(), draws = view.log.size();
  EXPECT_EQ(view.status, "Status - not printing");
  EXPECT_TRUE(view.selectPrinter);

  Spool("JOB.TMP", "being written");  // a change, but nothing to take
  waiter.now += 600;
  idle.Poll();
  EXPECT_EQ(store.accesses.size(), reads);
  EXPECT_EQ(view.log.size(), draws);

  // A hand edit of the profile shows at the next safety poll.
  SetUseDefault("Y");
  waiter.now += 400;
  idle.Poll();
  EXPECT_EQ(store.accesses.size(), reads + 1);
  EXPECT_EQ(view.log, (std::vector<std::string>{"status=Status - not printing", "printerFont=on",
                                                "selectPrinter=on", "selectPrinter=off"}));
}

}  // namespace
}  // namespace korv::testing
