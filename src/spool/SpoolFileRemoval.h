#pragma once
// Removing a spool file the service has handled (printed, or obeyed as a control file).
// The spool directory is the service's: a read-only file is made writable and deleted, and
// one that still will not go is moved into the set-aside folder, which the listing never
// takes, since a file left in place would be handled again. Both go through the file as it
// was opened and checked, never by its name.
#include <string>

#include "settings/FileSystem.h"

namespace korv {

// The set-aside folder, below the spool directory.
inline constexpr const char* kSetAsideFolder = "SETASIDE";

enum class Removal { Deleted, SetAside, Stuck };

// `opened` is a handled spool file of the current directory, still open. `movedTo` gets
// the set-aside path (relative to the spool directory) when it was moved. The file goes
// once `opened` is closed.
Removal RemoveHandledFile(FileSystem& files, SpoolFile& opened, std::string& movedTo);

// Moves the opened file into the set-aside folder under its own name, or with " (2)",
// " (3)" ... added when that is taken. The new path relative to the spool directory; empty
// on failure.
std::string SetAside(FileSystem& files, SpoolFile& opened);

}  // namespace korv
