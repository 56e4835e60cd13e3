#pragma once
// Changes made through an open file handle rather than by name, so they reach the file
// that was opened and checked, whatever its name stands for by now. On the systems that
// have it through SetFileInformationByHandle, elsewhere through the native call beneath it.
#include <string>

#include "win32/Win32Api.h"

namespace korv::win32 {

// Marks the file for deletion when its last handle closes (the handle has DELETE access).
bool DeleteOnClose(HANDLE file);
// Sets the file's attributes (the handle has FILE_WRITE_ATTRIBUTES access).
bool SetAttributes(HANDLE file, DWORD attributes);
// Renames the file to `longTarget` (long-path form), which must not exist (DELETE access).
bool Rename(HANDLE file, const std::wstring& longTarget);

}  // namespace korv::win32
