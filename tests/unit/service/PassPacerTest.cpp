// When the next pass runs, and when the profile is read again.
#include <gtest/gtest.h>

#include "service/PassPacer.h"

namespace korv {
namespace {

TEST(PassPacerTest, NextPassAt) {
  struct Case {
    const char* what;
    bool took;
    std::uint64_t listedAt, now;
    std::optional<std::uint64_t> retry;
    std::uint64_t due;
  };
  const Case cases[] = {
      {"a file was taken: at once", true, 0, 40, std::nullopt, 40},
      {"taken, even with a retry far off", true, 0, 40, 9000, 40},
      {"nothing: the safety poll", false, 0, 40, std::nullopt, 1000},
      {"nothing: the safety poll runs from the listing", false, 500, 700, std::nullopt, 1500},
      {"a retry before the safety poll", false, 0, 40, 300, 300},
      {"a retry after it", false, 0, 40, 4000, 1000},
      {"a retry already due", false, 0, 40, 10, 40},
      {"the safety poll overdue", false, 0, 2500, std::nullopt, 2500},
  };
  for (const Case& c : cases) {
    PassPacer pacer;
    pacer.Listed(c.listedAt);
    EXPECT_EQ(pacer.NextPassAt(c.took, c.now, c.retry), c.due) << c.what;
  }
}

TEST(PassPacerTest, TheProfileIsReadOncePerSafetyPollOrWhenItMayHaveChanged) {
  PassPacer pacer;
  EXPECT_TRUE(pacer.ProfileReadDue(100));
  EXPECT_FALSE(pacer.ProfileReadDue(100));
  EXPECT_FALSE(pacer.ProfileReadDue(1099));
  EXPECT_TRUE(pacer.ProfileReadDue(1100));
  EXPECT_FALSE(pacer.ProfileReadDue(1200));
  pacer.ProfileMayHaveChanged();
  EXPECT_TRUE(pacer.ProfileReadDue(1200));
  EXPECT_FALSE(pacer.ProfileReadDue(2199));
}

}  // namespace
}  // namespace korv
