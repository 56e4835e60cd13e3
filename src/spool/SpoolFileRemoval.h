#pragma once
// Removing a spool file the service has handled (printed, or obeyed as a control file).
// The spool directory is the service's: a read-only file is made writable and deleted, and
// one that still will not go is moved into the set-aside folder, which the listing never
// takes, since a file left in place would be handled again.
#include <string>

#include "settings/FileSystem.h"

namespace korv {

// The set-aside folder, below the spool directory.
inline constexpr const char* kSetAsideFolder = "SETASIDE";

enum class Removal { Deleted, Gone, SetAside, Stuck };

// `name` is a spool file of the current directory, closed, that was `identity` when it was
// handled. A file now under that name that is another file is not touched (Gone: the
// handled one was removed by someone else). `movedTo` gets the set-aside path (relative
// to the spool directory) when it was moved.
Removal RemoveHandledFile(FileSystem& files, const std::string& name, const FileIdentity& identity,
                          std::string& movedTo);

// Moves `name` into the set-aside folder under its own name, or with " (2)", " (3)" ...
// added when that is taken. The new path relative to the spool directory; empty on failure.
std::string SetAside(FileSystem& files, const std::string& name);

}  // namespace korv
