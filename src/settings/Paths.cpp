#include "settings/Paths.h"

namespace korv {

namespace {

bool IsDelimiter(char c) {
  return c == '\\' || c == ':' || c == '\0';
}

}  // namespace

std::string DirectoryPart(const std::string& path) {
  std::size_t i = path.size();
  while (i > 0 && !IsDelimiter(path[i - 1])) --i;
  if (i == 0) return "";    // no delimiter (or an empty path)
  const std::size_t p = i;  // position of the delimiter, counting from 1
  if (p == 1) return path.substr(0, 1);
  if (path[p - 1] == '\\' && path[p - 2] != ':') return path.substr(0, p - 1);
  return path.substr(0, p);  // a colon or NUL, or the backslash of a drive root
}

std::string WithBackslash(const std::string& dir) {
  if (dir.size() == 2 && dir[1] == ':') return dir + '\\';
  if (dir.size() < 3 || dir.back() == '\\') return dir;
  return dir + '\\';
}

std::string NormalizeDirectory(const std::string& dir) {
  if (dir.size() == 1 && dir[0] != '\\') return WithBackslash(dir + ':');
  return WithBackslash(dir);
}

}  // namespace korv
