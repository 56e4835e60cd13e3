#pragma once
// <windows.h> for the adapters, without the A/W name macros that would rename the
// ports' own functions of the same names (FileSystem::CreateDirectory and friends).
// Include this instead of <windows.h>; the adapters call the ...A functions by name.
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef MoveFile
#undef SetCurrentDirectory
