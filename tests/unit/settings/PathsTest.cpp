#include "settings/Paths.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace korv {
namespace {

struct PathCase {
  const char* what;
  std::function<std::string(const std::string&)> helper;
  std::string in;
  std::string out;
};

// Every helper against the paths a program file, a directory or a fragment can give.
TEST(Paths, EachHelperOnEachKindOfPath) {
  const auto dir = [](const std::string& s) { return DirectoryPart(s); };
  const auto slash = [](const std::string& s) { return WithBackslash(s); };
  const auto norm = [](const std::string& s) { return NormalizeDirectory(s); };
  const auto home = [](const std::string& s) { return NormalizeDirectory(DirectoryPart(s)); };
  const std::vector<PathCase> cases = {
      {"a drive root keeps its backslash only", dir, "C:\\APP\\VOZAZAD.EXE", "C:\\APP"},
      {"", dir, "C:\\VOZAZAD.EXE", "C:\\"},
      {"", dir, "C:VOZAZAD.EXE", "C:"},
      {"", dir, "\\VOZAZAD.EXE", "\\"},
      {"", dir, "\\\\SERVER\\SHARE\\VOZAZAD.EXE", "\\\\SERVER\\SHARE"},
      {"", dir, "C:\\APP\\", "C:\\APP"},
      {"delimiters are backslash, colon and NUL", dir, "", ""},
      {"", dir, "VOZAZAD.EXE", ""},
      {"", dir, "C:/APP/X.EXE", "C:"},
      {"", dir, std::string("AB\0CD", 5), std::string("AB\0", 3)},
      {"a backslash is appended where due", slash, "C:\\APP", "C:\\APP\\"},
      {"", slash, "C:\\APP\\", "C:\\APP\\"},
      {"", slash, "C:", "C:\\"},
      {"", slash, "AB", "AB"},
      {"", slash, "C", "C"},
      {"", slash, "\\", "\\"},
      {"", slash, "", ""},
      {"a directory with its backslash", norm, "C", "C:\\"},
      {"", norm, "C:\\", "C:\\"},
      {"", norm, "C:\\APP", "C:\\APP\\"},
      {"", norm, "\\", "\\"},
      {"", norm, "", ""},
      {"the home directory of the program", home, "C:\\APP\\VOZAZAD.EXE", "C:\\APP\\"},
      {"", home, "C:\\VOZAZAD.EXE", "C:\\"},
  };
  for (const PathCase& c : cases) EXPECT_EQ(c.helper(c.in), c.out) << c.what << " [" << c.in << "]";
}

}  // namespace
}  // namespace korv
