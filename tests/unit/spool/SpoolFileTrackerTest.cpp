// Files that will not be taken: when they are passed over, retried and set aside.
#include "spool/SpoolFileTracker.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

using Listing = SpoolFileTracker::Listing;

TEST(SpoolFileTracker, PassesAFileOverAfterThreeTriesOverTwoSecondsAndRetriesIt) {
  SpoolFileTracker tracker;
  const Listing listing{100, 7};
  // Three quick failures: not yet two seconds, still held for.
  EXPECT_FALSE(tracker.NoteFailure("job", listing, "in use", 0));
  EXPECT_FALSE(tracker.NoteFailure("JOB", listing, "in use", 100));
  EXPECT_FALSE(tracker.NoteFailure("job", listing, "in use", 200));
  EXPECT_FALSE(tracker.PassOver("job", 300));
  EXPECT_TRUE(tracker.Problem().empty());
  // Two seconds after the first failure: passed over, said once.
  EXPECT_TRUE(tracker.NoteFailure("job", listing, "in use", 2000));
  EXPECT_TRUE(tracker.PassOver("Job", 2100));
  EXPECT_EQ(tracker.Problem(), "cannot open job: in use");
  EXPECT_TRUE(tracker.PassOver("job", 3999));
  EXPECT_FALSE(tracker.PassOver("job", 4000));  // its next try is due
  EXPECT_FALSE(tracker.NoteFailure("job", listing, "in use", 4000));
  EXPECT_TRUE(tracker.PassOver("job", 4100));
  EXPECT_FALSE(tracker.PassOver("other", 4100));

  tracker.Forget("JOB");
  EXPECT_FALSE(tracker.PassOver("job", 4100));
  EXPECT_TRUE(tracker.Problem().empty());
}

TEST(SpoolFileTracker, SetsAsideOnlyAFileUnchangedForFiveMinutes) {
  SpoolFileTracker tracker;
  const std::uint64_t kMinute = 60 * 1000;
  for (std::uint64_t t = 0; t <= 4 * kMinute; t += 2000)
    tracker.NoteFailure("SLOW", Listing{t, t}, "still being written", t);  // it grows
  EXPECT_FALSE(tracker.SetAsideDue("SLOW", 5 * kMinute + 1));
  tracker.NoteFailure("SLOW", Listing{1, 1}, "in use", 5 * kMinute);
  EXPECT_FALSE(tracker.SetAsideDue("SLOW", 9 * kMinute));  // changed at minute 5
  tracker.NoteFailure("SLOW", Listing{1, 1}, "in use", 10 * kMinute);
  EXPECT_TRUE(tracker.SetAsideDue("SLOW", 10 * kMinute));
  EXPECT_FALSE(tracker.SetAsideDue("OTHER", 10 * kMinute));
}

TEST(SpoolFileTracker, RefusesOnceAndForgetsWhatIsNoLongerListed) {
  SpoolFileTracker tracker;
  const Listing link{10, 5};
  EXPECT_TRUE(tracker.Refuse("A_LINK", link, "it is a link to a file outside WINPRINT"));
  EXPECT_FALSE(tracker.Refuse("a_link", link, "again"));
  EXPECT_TRUE(tracker.Refused("A_LINK", link));
  EXPECT_EQ(tracker.Problem(), "not taken: A_LINK: it is a link to a file outside WINPRINT");
  for (std::uint64_t i = 0; i < 3; ++i) tracker.NoteFailure("HELD", Listing{}, "in use", i * 1000);

  tracker.KeepOnly({"HELD"});
  EXPECT_FALSE(tracker.Refused("A_LINK", link));
  EXPECT_TRUE(tracker.PassOver("HELD", 2500));
  tracker.KeepOnly({});
  EXPECT_FALSE(tracker.PassOver("HELD", 2500));

  // A file listed otherwise under a refused name (the link replaced) is looked at afresh.
  tracker.Refuse("DISABLE", link, "it is a link to a file outside WINPRINT");
  EXPECT_FALSE(tracker.Refused("DISABLE", Listing{1, 6}));
  EXPECT_FALSE(tracker.Refused("DISABLE", link));
  EXPECT_TRUE(tracker.Problem().empty());
}

}  // namespace
}  // namespace korv
