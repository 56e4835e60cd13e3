#pragma once
// Whether an open file is one of the spool directory's own files. Decided from the file
// actually opened, never from the listing: Wine lists a Linux symbolic link as an ordinary
// file, and a link followed by an open is the file it points to.
#include <string>

#include "win32/Win32Api.h"

namespace korv::win32 {

// `file` was opened as `leaf` in the directory `longDir` (long-path form). Empty when it
// is that directory's own entry; otherwise why not.
std::string NotContainedReason(HANDLE file, const BY_HANDLE_FILE_INFORMATION& info,
                               const std::wstring& longDir, const std::wstring& leaf);

}  // namespace korv::win32
