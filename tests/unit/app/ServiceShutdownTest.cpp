// Ending the service: the print thread is asked to stop and given a bounded time.
#include "app/ServiceShutdown.h"
#include "fakes/FakeWorkerThread.h"
#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

TEST(ServiceShutdownTest, AsksTheThreadToStopBeforeItWaitsABoundedTime) {
  ServiceFlags flags;
  fakes::FakeWorkerThread thread;
  bool stopAskedBeforeWait = false;
  thread.whileWaiting = [&] { stopAskedBeforeWait = flags.stopRequested; };
  EXPECT_TRUE(StopPrintThread(flags, thread));
  EXPECT_TRUE(stopAskedBeforeWait);
  EXPECT_EQ(thread.waits, std::vector<unsigned>{5000});

  thread.ends = false;  // still busy: the caller must not destroy what it uses
  EXPECT_FALSE(StopPrintThread(flags, thread));
}

TEST_F(PrintLoopTest, ATextJobRunningWhenTheServiceEndsIsAbortedAndKept) {
  fakes::FakeWorkerThread thread;
  ASSERT_TRUE(thread.Start([&] { loop.Run(); }));
  Spool("JOB", "a long text job");
  Spool("NEXT", "never started");
  bool threadEnded = false;
  text.during = [&] {
    // The window thread's message loop ends while the job prints.
    threadEnded = StopPrintThread(state.flags, thread);
    // The text branch aborts its document when it sees the stop.
    if (state.flags.stopRequested) text.outcome = JobOutcome::Stopped;
  };
  thread.body();
  EXPECT_TRUE(threadEnded);
  EXPECT_TRUE(InSpool("JOB"));
  EXPECT_TRUE(InSpool("NEXT"));
  EXPECT_EQ(text.printed.size(), 1u);
  EXPECT_EQ(files.openJobs, 0);
  EXPECT_EQ(shell.quits, 1);
}

}  // namespace
}  // namespace korv::testing
