#include "settings/Profile.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/FakeProfileStore.h"

namespace korv {
namespace {

using fakes::FakeProfileStore;

const char* const kFile = "C:\\KORV\\VOZAZAD.INI";

class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() { profile.Configure(kFile, "Vozazad"); }

  std::string SectionOf(std::size_t access) const { return store.accesses.at(access).section; }

  FakeProfileStore store;
  Profile profile{store};
};

TEST_F(ProfileTest, GlobalFlagGovernsExactlyOneAccess) {
  profile.WithGlobalSection([&] {
    profile.ProfileRead("ViewFontSize", "12");
    profile.ProfileRead("ViewFontSize", "12");
  });
  profile.ProfileRead("Printer", "");
  ASSERT_EQ(store.accesses.size(), 3u);
  EXPECT_EQ(SectionOf(0), "Global");
  EXPECT_EQ(SectionOf(1), "Vozazad");
  EXPECT_EQ(SectionOf(2), "Vozazad");
  EXPECT_EQ(store.accesses[0].file, kFile);
}

TEST_F(ProfileTest, WriteConsumesTheFlagToo) {
  profile.WithGlobalSection([&] { profile.ProfileWrite("ViewFontSize", "10"); });
  profile.ProfileWrite("Font", "Courier New");
  EXPECT_EQ(store.Stored(kFile, "Global", "ViewFontSize"), "10");
  EXPECT_EQ(store.Stored(kFile, "Vozazad", "Font"), "Courier New");
  EXPECT_EQ(store.Stored(kFile, "Vozazad", "ViewFontSize"), "<none>");
}

TEST_F(ProfileTest, FlagNeverOutlivesItsScope) {
  profile.WithGlobalSection([] {});  // the access never came
  EXPECT_THROW(profile.WithGlobalSection([] { throw std::runtime_error("dialog failed"); }),
               std::runtime_error);
  profile.ProfileRead("Printer", "");
  profile.ProfileWrite("Printer", "P");
  ASSERT_EQ(store.accesses.size(), 2u);
  EXPECT_EQ(SectionOf(0), "Vozazad");
  EXPECT_EQ(SectionOf(1), "Vozazad");
}

TEST(Profile, EmptySectionNameMeansOther) {
  FakeProfileStore store;
  Profile profile(store);
  profile.Configure(kFile, "");
  profile.ProfileWrite("Printer", "P");
  profile.WithGlobalSection([&] { profile.ProfileRead("ViewFontSize", "12"); });
  ASSERT_EQ(store.accesses.size(), 2u);
  EXPECT_EQ(store.accesses[0].section, "Other");
  EXPECT_EQ(store.accesses[1].section, "Global");
}

TEST_F(ProfileTest, ViewFontSizeFromGlobal) {
  EXPECT_EQ(profile.ReadViewFontSize(), 12);  // missing: the default
  const struct {
    const char* stored;
    std::uint16_t size;
  } cases[] = {{"10", 10}, {"1 4", 14},   {" 14 ", 14},   {"abc", 0},
               {"", 0},    {"-2", 65534}, {"70000", 4464}};
  for (const auto& c : cases) {
    store.Store(kFile, "Global", "ViewFontSize", c.stored);
    EXPECT_EQ(profile.ReadViewFontSize(), c.size) << '"' << c.stored << '"';
  }
  for (const auto& access : store.accesses) {
    EXPECT_EQ(access.section, "Global");
    EXPECT_EQ(access.key, "ViewFontSize");
  }
  profile.ProfileRead("Font", "Courier New");
  EXPECT_EQ(store.accesses.back().section, "Vozazad");
}

}  // namespace
}  // namespace korv
