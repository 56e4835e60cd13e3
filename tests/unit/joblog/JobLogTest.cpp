#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeJobLog.h"
#include "joblog/JobLogLines.h"
#include "joblog/JobLogWriter.h"

namespace korv {
namespace {

using fakes::FakeJobFacts;
using fakes::FakeLogClock;
using fakes::FakeLogFile;

TEST(JobLogLines, EachEventReadsAsOneLine) {
  const LogTime time{2026, 1, 2, 3, 4, 5, 6};
  JobLine text{"JOB1", 1234, false, "Korv \"Capture\"", 2, 345, "printed", "", false};
  JobLine raw{"R\\1", 99,   true, "KorvCapture2", 7, 12, "failed: Printer selected is not valid",
              "",     false};
  JobLine routedReprint{"INV1", 5, true, "Receipts", 0, 3, "printed", "inv*", true};
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {StartText("1.2.3", "KorvCapture1", false),
       "start version=1.2.3 printer=\"KorvCapture1\" mode=text"},
      {StartText("1.2.3", "", true), "start version=1.2.3 printer=\"\" mode=raw"},
      {JobText(text),
       "job file=\"JOB1\" bytes=1234 kind=text printer=\"Korv \\\"Capture\\\"\" pages=2 ms=345 "
       "result=\"printed\""},
      {JobText(raw),  // raw jobs have no pages
       "job file=\"R\\\\1\" bytes=99 kind=raw printer=\"KorvCapture2\" ms=12 "
       "result=\"failed: Printer selected is not valid\""},
      {JobText(routedReprint),
       "reprint file=\"INV1\" bytes=5 kind=raw printer=\"Receipts\" route=\"inv*\" ms=3 "
       "result=\"printed\""},
      {ControlText("DISABLE"), "control file=\"DISABLE\""},
      {ErrorText("line one\r\nline two"), "error text=\"line one\\x0D\\x0Aline two\""},
      {StopText(), "stop"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
  EXPECT_EQ(LogLine(time, "stop"), "2026-01-02T03:04:05.006 stop\r\n");
}

struct JobLogWriterTest : ::testing::Test {
  FakeLogFile file;
  FakeLogClock clock;
  FakeJobFacts facts;
};

TEST_F(JobLogWriterTest, WritesTheEventsOfARunInOrder) {
  {
    JobLogWriter log(file, clock, facts, "1.0.0");
    log.Started(false);
    facts.facts = {"KorvCapture2", 3, ""};
    log.JobStarted("JOB1", 4000, false);
    clock.steady = 250;
    log.JobEnded("printed");
    log.ControlObeyed("RAWPRINT");
    log.Error("Printer selected is not valid");
    log.Stopped();
  }  // the destructor writes what is left
  EXPECT_EQ(file.current,
            "2026-12-08T06:05:04.032 start version=1.0.0 printer=\"KorvCapture1\" mode=text\r\n"
            "2026-12-08T06:05:04.032 job file=\"JOB1\" bytes=4000 kind=text "
            "printer=\"KorvCapture2\" pages=3 ms=250 result=\"printed\"\r\n"
            "2026-12-08T06:05:04.032 control file=\"RAWPRINT\"\r\n"
            "2026-12-08T06:05:04.032 error text=\"Printer selected is not valid\"\r\n"
            "2026-12-08T06:05:04.032 stop\r\n");
  EXPECT_EQ(facts.askedRaw, (std::vector<bool>{false, false}));
}

TEST_F(JobLogWriterTest, LogSwitchedOffWritesNothing) {
  facts.enabled = false;
  JobLogWriter log(file, clock, facts, "1.0.0");
  log.Started(false);
  log.JobStarted("JOB1", 10, true);
  log.JobEnded("printed");
  log.Error("x");
  log.Flush();
  EXPECT_EQ(file.appends, 0);
  EXPECT_TRUE(facts.askedRaw.empty());
}

TEST_F(JobLogWriterTest, ARepeatedErrorIsLoggedOnceUntilSomethingElseHappens) {
  JobLogWriter log(file, clock, facts, "1.0.0");
  log.Started(false);
  for (int i = 0; i < 5; ++i) log.Error("Cannot change to directory C:\\K\\\\WINPRINT");
  log.ControlObeyed("SETFOCUS");
  log.Error("Cannot change to directory C:\\K\\\\WINPRINT");
  log.Flush();
  const std::string& text = file.current;
  std::size_t errors = 0;
  for (auto at = text.find("error "); at != std::string::npos; at = text.find("error ", at + 1))
    ++errors;
  EXPECT_EQ(errors, 2U);
}

TEST_F(JobLogWriterTest, RotatesBefore1MbKeepingOnePreviousFile) {
  file.current = std::string(JobLogWriter::kRotateAt - 100, 'x');
  JobLogWriter log(file, clock, facts, "1.0.0");
  log.Started(false);  // about 80 bytes: still fits
  log.Flush();
  EXPECT_EQ(file.rotations, 0);
  log.ControlObeyed("WINPRINT");  // would pass 1 MB
  log.Flush();
  EXPECT_EQ(file.rotations, 1);
  const std::string start =
      "2026-12-08T06:05:04.032 start version=1.0.0 printer=\"KorvCapture1\" mode=text\r\n";
  EXPECT_EQ(file.previous, std::string(JobLogWriter::kRotateAt - 100, 'x') + start);
  EXPECT_LE(file.previous.size(), static_cast<std::size_t>(JobLogWriter::kRotateAt));
  EXPECT_EQ(file.current, "2026-12-08T06:05:04.032 control file=\"WINPRINT\"\r\n");
  // The size is counted, not asked for every line.
  EXPECT_EQ(file.sizeQueries, 1);
}

TEST_F(JobLogWriterTest, AFileThatCannotBeWrittenLosesLinesAndComesBack) {
  JobLogWriter log(file, clock, facts, "1.0.0");
  file.failing = true;
  log.Started(false);
  log.JobStarted("JOB1", 10, true);
  log.JobEnded("printed");
  log.Flush();
  EXPECT_GE(file.appends, 1);
  EXPECT_EQ(file.current, "");
  file.failing = false;
  log.Stopped();
  log.Flush();
  EXPECT_EQ(file.current, "2026-12-08T06:05:04.032 stop\r\n");
}

}  // namespace
}  // namespace korv
