// A job kept after a failure prints in the mode it was first taken in, whatever mode
// control files came while it waited; jobs taken afterwards follow the new mode.
#include <gtest/gtest.h>

#include <functional>

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

// A kept job's mode survives a restart through the state file, unless the file is damaged
// or missing, or the job is not the one that was kept.
class KeptModeRestartTest : public PrintLoopTest {};

TEST_F(KeptModeRestartTest, ARestartPrintsAKeptJobInItsModeUnlessTheStateIsLost) {
  struct Case {
    const char* what;
    std::function<void(fakes::FakeFileSystem&)> whileDown;
    const char* printed;   // the bytes printed after the restart
    const char* printsAs;  // "raw" or "text"
  };
  const auto stateFile = [](fakes::FakeFileSystem& f) -> std::string& {
    return f.FindOpened(f.OpenSpoolFile(KeptModes::kStateFile).identity.index)->data;
  };
  const Case cases[] = {
      {"intact", [](fakes::FakeFileSystem&) {}, "\x1b@raw job", "raw"},
      {"cut short", [&](fakes::FakeFileSystem& f) { stateFile(f).resize(30); }, "\x1b@raw job",
       "text"},
      {"garbled", [&](fakes::FakeFileSystem& f) { stateFile(f)[0] = 'X'; }, "\x1b@raw job", "text"},
      {"missing",
       [](fakes::FakeFileSystem& f) { f.DeleteFile(std::string(kSpoolDir) + "\\KEPTMODE.TMP"); },
       "\x1b@raw job", "text"},
      {"gone, a new job under its name",
       [](fakes::FakeFileSystem& f) {
         f.DeleteFile(std::string(kSpoolDir) + "\\KEPT");
         f.AddFile(kSpoolDir, "KEPT", "a new text job");
       },
       "a new text job", "text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes::FakeFileSystem disk;
    disk.AddDirectory(kSpoolDir);
    disk.SetCurrentDirectory(kSpoolDir);
    {
      ServiceState before;
      before.spoolDirectory = kSpoolDir;
      fakes::FakeRawJobBranch failing;
      failing.failWith = "Cannot print on KorvReject1: refused";
      PrintLoop first{before, Ports(disk, profile, text, failing)};
      disk.AddFile(kSpoolDir, "RAWPRINT", "x");
      first.Poll();
      disk.AddFile(kSpoolDir, "KEPT", "\x1b@raw job");
      first.Poll();
      ASSERT_TRUE(disk.Exists(kSpoolDir, "KEPT"));
      ASSERT_TRUE(disk.Exists(kSpoolDir, KeptModes::kStateFile));
    }
    c.whileDown(disk);
    ServiceState after;  // started afresh: text mode
    after.spoolDirectory = kSpoolDir;
    fakes::FakeTextJobBranch texts;
    fakes::FakeRawJobBranch raws;
    PrintLoop restarted{after, Ports(disk, profile, texts, raws)};
    restarted.ThreadStart();
    for (int i = 0; i < 3; ++i) restarted.Poll();
    const std::vector<std::string>& got =
        std::string(c.printsAs) == "raw" ? raws.printed : texts.printed;
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], c.printed);
    EXPECT_EQ(texts.printed.size() + raws.printed.size(), 1u);
    // Printed or gone, nothing is remembered: the state file is not left behind.
    EXPECT_EQ(disk.Names(kSpoolDir), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace korv::testing
