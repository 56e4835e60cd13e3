#pragma once
// Directory-path helpers on plain strings; the backslash is the separator. None of
// them touches the file system.
#include <string>

namespace korv {

// The directory part of `path`: up to its last backslash, colon or NUL. A drive root
// keeps its backslash ("C:\X" gives "C:\"), any other directory loses it ("C:\A\X"
// gives "C:\A"). A forward slash is not a delimiter.
std::string DirectoryPart(const std::string& path);

// `dir` with a trailing backslash where one is due: "C:" and paths of three characters
// or more get one; the empty string and other one- or two-character names stay as they are.
std::string WithBackslash(const std::string& dir);

// A directory path ending in a backslash; a bare drive letter becomes its root ("C" gives "C:\").
std::string NormalizeDirectory(const std::string& dir);

}  // namespace korv
