// What the print loop tells the job log: its start, each job with its end, each control file
// obeyed, errors and its stop.
#include "fakes/FakeJobLog.h"
#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

TEST_F(PrintLoopTest, TheJobLogHearsEveryEventOfARun) {
  fakes::FakeJobLog log;
  loop.SetJobLog(log);
  Spool("JOB1", "a text job");
  Spool("RAWPRINT", "x");
  Spool("BROKEN", "raw, but cannot print");
  Spool("SMALL", "1234");  // under 8 bytes: deleted unprinted, no job
  Spool("DISABLE", "x");
  raw.during = [&] { raw.failWith = "Printer selected is not valid"; };

  loop.Run();
  EXPECT_EQ(log.events, (std::vector<std::string>{
                            "start text",
                            "job JOB1 10 text",
                            "end printed",
                            "control RAWPRINT",
                            "job BROKEN 21 raw",
                            "end failed: Printer selected is not valid",
                            "error Printer selected is not valid",
                            "control DISABLE",
                            "stop",
                        }));
}

}  // namespace
}  // namespace korv::testing
