// A job kept after a failure prints in the mode it was first taken in, whatever mode
// control files came while it waited; jobs taken afterwards follow the new mode.
#include <gtest/gtest.h>

#include "unit/spool/PrintLoopFixture.h"

namespace korv::testing {
namespace {

struct ModeCase {
  const char* name;
  const char* takenIn;       // control file before the job ("" for none: text at start)
  const char* switchTo;      // control file while the job waits
  const char* keptPrintsAs;  // "text", "raw" or "rawpage"
  const char* newJobPrintsAs;
};

std::string CaseName(const ::testing::TestParamInfo<ModeCase>& c) {
  return c.param.name;
}

class KeptModeTest : public PrintLoopTest, public ::testing::WithParamInterface<ModeCase> {
 protected:
  // How the last job reached a branch.
  std::string LastWay(std::size_t textBefore, std::size_t rawBefore) const {
    if (text.printed.size() > textBefore) return "text";
    if (raw.printed.size() > rawBefore) return raw.pageFeeds.back() ? "rawpage" : "raw";
    return "none";
  }
  void Obey(const std::string& control) {
    if (control.empty()) return;
    Spool(control, "x");
    loop.Poll();
    ASSERT_FALSE(InSpool(control));
  }
};

TEST_P(KeptModeTest, KeptJobPrintsInItsFirstMode) {
  const ModeCase& c = GetParam();
  Obey(c.takenIn);
  Spool("KEPT", "a job that fails first");
  text.failWith = raw.failWith = "Cannot print on Queue Rejecting: refused";
  loop.Poll();
  ASSERT_TRUE(InSpool("KEPT"));
  text.failWith.clear();
  raw.failWith.clear();

  Obey(c.switchTo);
  Spool("NEW", "a job taken after the switch");
  std::size_t textBefore = text.printed.size(), rawBefore = raw.printed.size();
  loop.Poll();  // the kept job still waits: the new one goes first
  ASSERT_FALSE(InSpool("NEW"));
  EXPECT_EQ(LastWay(textBefore, rawBefore), c.newJobPrintsAs);

  textBefore = text.printed.size();
  rawBefore = raw.printed.size();
  Polls(60);  // six seconds at ten polls a second: past the first failure's wait of five
  EXPECT_FALSE(InSpool("KEPT"));
  EXPECT_EQ(LastWay(textBefore, rawBefore), c.keptPrintsAs);
  EXPECT_EQ(text.printed.size() + raw.printed.size(), textBefore + rawBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, KeptModeTest,
    ::testing::Values(ModeCase{"TextThenRaw", "", "RAWPRINT", "text", "raw"},
                      ModeCase{"RawThenText", "RAWPRINT", "WINPRINT", "raw", "text"},
                      ModeCase{"RawPageThenRaw", "RAWPAGE", "RAWPRINT", "rawpage", "raw"},
                      ModeCase{"RawThenRawPage", "RAWPRINT", "RAWPAGE", "raw", "rawpage"},
                      ModeCase{"TextUnchanged", "", "", "text", "text"}),
    CaseName);

}  // namespace
}  // namespace korv::testing
