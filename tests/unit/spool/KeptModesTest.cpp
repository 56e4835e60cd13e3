// The kept modes' state file: every name comes back as written, and a damaged file is
// never half believed.
#include "spool/KeptModes.h"

#include <gtest/gtest.h>

#include "spool/SpoolProtocol.h"

namespace korv {
namespace {

TEST(KeptModes, TheStateFileKeepsEveryNameAndRefusesDamage) {
  std::map<std::string, KeptModes::Kept> jobs;
  for (const char* name : {"JOB 1", "100%", "new\nline",
                           "\xD0\x97\xD0\x90\xD0\x9A\xD0\x90\xD0\x97 \xE2\x84\x96"
                           "7"})
    jobs[UpperCaseAscii(name)] = KeptModes::Kept{name, {12, 34}, JobMode::RawPage};
  jobs["TEXT"] = KeptModes::Kept{"text", {1, 2}, JobMode::Text};
  const std::string text = KeptModes::Format(jobs);
  std::map<std::string, KeptModes::Kept> back;
  ASSERT_TRUE(KeptModes::Parse(text, back));
  ASSERT_EQ(back.size(), jobs.size());
  for (const auto& [key, job] : jobs) {
    const KeptModes::Kept& read = back.at(key);
    EXPECT_EQ(read.name, job.name);
    EXPECT_EQ(read.mode, job.mode);
    EXPECT_EQ(read.listing, job.listing);
  }

  const std::string header = "korvprint kept modes 1\n";
  for (const std::string& damaged :
       {std::string(), header, header + "raw 1 2 JOB\n", header + "raw 1 2 JOB\nend\nmore\n",
        header + "loud 1 2 JOB\nend\n", header + "raw x 2 JOB\nend\n",
        header + "raw 1 2 JOB extra\nend\n", header + "raw 1 2 BAD%G1\nend\n",
        header + "raw 1 2 CUT%4\nend\n", std::string("korvprint kept modes 2\nend\n")}) {
    std::map<std::string, KeptModes::Kept> none;
    EXPECT_FALSE(KeptModes::Parse(damaged, none)) << damaged;
    EXPECT_TRUE(none.empty()) << damaged;
  }
}

}  // namespace
}  // namespace korv
