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
    jobs.NoteFailure("JOB", poll);
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
  jobs.NoteFailure("Job.Txt", 0);
  EXPECT_TRUE(jobs.IsWaiting("JOB.TXT", 1));
  jobs.KeepOnly({"job.txt"});
  EXPECT_TRUE(jobs.IsWaiting("job.txt", 1));
  jobs.KeepOnly({"OTHER"});
  EXPECT_TRUE(jobs.Empty());
  jobs.NoteFailure("A", 0);
  jobs.Forget("a");
  EXPECT_FALSE(jobs.IsWaiting("A", 1));
}

TEST(FailedJobsTest, NextTryIsTheEarliestOfAllWaits) {
  FailedJobs jobs;
  jobs.NoteFailure("LATE", 3000);
  jobs.NoteFailure("EARLY", 1000);
  jobs.NoteFailure("LATE", 4000);  // second failure: a longer wait
  EXPECT_EQ(jobs.NextTry(), 1000 + FailedJobs::kFirstDelay);
  jobs.Forget("early");
  EXPECT_EQ(jobs.NextTry(), 4000 + 2 * FailedJobs::kFirstDelay);
}

}  // namespace
}  // namespace korv
