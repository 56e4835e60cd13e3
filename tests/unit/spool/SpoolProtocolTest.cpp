// The spool directory's naming rules.
#include <gtest/gtest.h>

#include "spool/SpoolProtocol.h"

namespace korv {
namespace {

TEST(SpoolProtocolTest, UpperCasesOnlyTheLettersAToZ) {
  EXPECT_EQ(UpperCaseAscii("disable"), "DISABLE");
  EXPECT_EQ(UpperCaseAscii("r\xe4wprint{}"), "R\xe4WPRINT{}");
}

TEST(SpoolProtocolTest, ControlNamesAreWholeNamesInAnyCase) {
  EXPECT_EQ(ControlCommand("DISABLE"), SpoolCommand::Disable);
  EXPECT_EQ(ControlCommand("RawPrint"), SpoolCommand::RawPrint);
  EXPECT_EQ(ControlCommand("rawpage"), SpoolCommand::RawPage);
  EXPECT_EQ(ControlCommand("WinPrint"), SpoolCommand::WinPrint);
  EXPECT_EQ(ControlCommand("setfocus"), SpoolCommand::SetFocus);
  EXPECT_EQ(ControlCommand("DISABLE.TXT"), SpoolCommand::Job);
  EXPECT_EQ(ControlCommand("DISABLE "), SpoolCommand::Job);
  EXPECT_EQ(ControlCommand("RAWPRINT.JOB"), SpoolCommand::Job);
}

TEST(SpoolProtocolTest, TakesFilesWithBytesAndNoTmpInTheName) {
  EXPECT_TRUE(IsTakeable("JOB", 1));
  EXPECT_FALSE(IsTakeable("JOB", 0));
  EXPECT_FALSE(IsTakeable("JOB", -5));  // a listed size of 2 GiB or more
  EXPECT_FALSE(IsTakeable("job.tmp", 100));
  EXPECT_FALSE(IsTakeable("xTmPx", 100));
  EXPECT_TRUE(IsTakeable("TM.P", 100));
}

}  // namespace
}  // namespace korv
