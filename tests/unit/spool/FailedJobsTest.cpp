// The waits of jobs that failed.
#include <gtest/gtest.h>

#include <algorithm>

#include "spool/FailedJobs.h"

namespace korv {
namespace {

TEST(FailedJobsTest, WaitsDoubleUpToTheLongestDelay) {
  FailedJobs jobs;
  EXPECT_EQ(jobs.NextTry(), std::nullopt);
  std::uint64_t poll = 0;
  std::uint64_t expected = FailedJobs::kFirstDelay;
  for (int failure = 1; failure <= 12; ++failure) {
    jobs.NoteFailure("JOB", poll, JobMode::Text);
    EXPECT_TRUE(jobs.IsWaiting("JOB", poll + expected - 1)) << failure;
    EXPECT_FALSE(jobs.IsWaiting("JOB", poll + expected)) << failure;
    EXPECT_EQ(jobs.NextTry(), poll + expected) << failure;
    poll += expected;
    expected = std::min(expected * 2, FailedJobs::kLongestDelay);
  }
  EXPECT_EQ(expected, FailedJobs::kLongestDelay);
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
  EXPECT_EQ(jobs.NextTry(), 1000 + FailedJobs::kFirstDelay);
  jobs.Forget("early");
  EXPECT_EQ(jobs.NextTry(), 4000 + 2 * FailedJobs::kFirstDelay);
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
