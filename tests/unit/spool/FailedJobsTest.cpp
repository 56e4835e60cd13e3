// The waits of jobs that failed.
#include <gtest/gtest.h>

#include "spool/FailedJobs.h"

namespace korv {
namespace {

TEST(FailedJobsTest, WaitsDoubleUpToTenMinutes) {
  FailedJobs jobs;
  EXPECT_EQ(jobs.NextTry(), std::nullopt);
  std::uint64_t now = 0;
  int failure = 0;
  for (const unsigned seconds : {5u, 10u, 20u, 40u, 80u, 160u, 320u, 600u, 600u, 600u}) {
    const std::uint64_t wait = seconds * 1000ull;
    jobs.NoteFailure("JOB", now, JobMode::Text);
    ++failure;
    EXPECT_TRUE(jobs.IsWaiting("JOB", now + wait - 1)) << failure;
    EXPECT_FALSE(jobs.IsWaiting("JOB", now + wait)) << failure;
    EXPECT_EQ(jobs.NextTry(), now + wait) << failure;
    now += wait;
  }
}

TEST(FailedJobsTest, NamesCountWithoutRegardToCase) {
  FailedJobs jobs;
  jobs.NoteFailure("Job.Txt", 0, JobMode::Raw);
  EXPECT_TRUE(jobs.IsWaiting("JOB.TXT", 1));
  jobs.KeepOnly({"job.txt"});
  EXPECT_TRUE(jobs.IsWaiting("job.txt", 1));
  jobs.KeepOnly({"OTHER"});
  EXPECT_TRUE(jobs.Empty());
  jobs.NoteFailure("A", 0, JobMode::Text);
  jobs.Forget("a");
  EXPECT_FALSE(jobs.IsWaiting("A", 1));
}

TEST(FailedJobsTest, NextTryIsTheEarliestOfAllWaits) {
  FailedJobs jobs;
  jobs.NoteFailure("LATE", 3000, JobMode::Text);
  jobs.NoteFailure("EARLY", 1000, JobMode::Text);
  jobs.NoteFailure("LATE", 4000, JobMode::Text);  // second failure: a longer wait
  EXPECT_EQ(jobs.NextTry(), 1000 + 5000);
  jobs.Forget("early");
  EXPECT_EQ(jobs.NextTry(), 4000 + 10000);
}

TEST(FailedJobsTest, AKeptJobKeepsTheModeOfItsFirstFailure) {
  FailedJobs jobs;
  EXPECT_EQ(jobs.KeptMode("JOB"), std::nullopt);
  jobs.NoteFailure("JOB", 0, JobMode::RawPage);
  jobs.NoteFailure("job", 60, JobMode::Text);  // a later try must not change it
  EXPECT_EQ(jobs.KeptMode("Job"), JobMode::RawPage);
  jobs.Forget("JOB");
  EXPECT_EQ(jobs.KeptMode("JOB"), std::nullopt);
  jobs.NoteFailure("JOB", 100, JobMode::Text);
  EXPECT_EQ(jobs.KeptMode("JOB"), JobMode::Text);
}

}  // namespace
}  // namespace korv
