#include "settings/Paths.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(DirectoryPart, KeepsTheDriveRootsBackslashOnly) {
  EXPECT_EQ(DirectoryPart("C:\\APP\\VOZAZAD.EXE"), "C:\\APP");
  EXPECT_EQ(DirectoryPart("C:\\VOZAZAD.EXE"), "C:\\");
  EXPECT_EQ(DirectoryPart("C:VOZAZAD.EXE"), "C:");
  EXPECT_EQ(DirectoryPart("\\VOZAZAD.EXE"), "\\");
  EXPECT_EQ(DirectoryPart("\\\\SERVER\\SHARE\\VOZAZAD.EXE"), "\\\\SERVER\\SHARE");
  EXPECT_EQ(DirectoryPart("C:\\APP\\"), "C:\\APP");
}

TEST(DirectoryPart, DelimitersAreBackslashColonAndNul) {
  EXPECT_EQ(DirectoryPart(""), "");
  EXPECT_EQ(DirectoryPart("VOZAZAD.EXE"), "");
  EXPECT_EQ(DirectoryPart("C:/APP/X.EXE"), "C:");
  EXPECT_EQ(DirectoryPart(std::string("AB\0CD", 5)), std::string("AB\0", 3));
}

TEST(WithBackslash, AppendsWhereDue) {
  EXPECT_EQ(WithBackslash("C:\\APP"), "C:\\APP\\");
  EXPECT_EQ(WithBackslash("C:\\APP\\"), "C:\\APP\\");
  EXPECT_EQ(WithBackslash("C:"), "C:\\");
  EXPECT_EQ(WithBackslash("AB"), "AB");
  EXPECT_EQ(WithBackslash("C"), "C");
  EXPECT_EQ(WithBackslash("\\"), "\\");
  EXPECT_EQ(WithBackslash(""), "");
}

TEST(NormalizeDirectory, MakesADirectoryWithBackslash) {
  EXPECT_EQ(NormalizeDirectory("C"), "C:\\");
  EXPECT_EQ(NormalizeDirectory("C:\\"), "C:\\");
  EXPECT_EQ(NormalizeDirectory("C:\\APP"), "C:\\APP\\");
  EXPECT_EQ(NormalizeDirectory("\\"), "\\");
  EXPECT_EQ(NormalizeDirectory(""), "");
}

TEST(NormalizeDirectory, HomeDirectoryOfTheProgram) {
  EXPECT_EQ(NormalizeDirectory(DirectoryPart("C:\\APP\\VOZAZAD.EXE")), "C:\\APP\\");
  EXPECT_EQ(NormalizeDirectory(DirectoryPart("C:\\VOZAZAD.EXE")), "C:\\");
}

}  // namespace
}  // namespace korv
