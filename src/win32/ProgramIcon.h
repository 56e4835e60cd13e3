#pragma once
// The program's own icon, a printer, for its windows and its notification-area icon.
#include "win32/Win32Api.h"

namespace korv::win32 {

enum class IconSize { Large, Small };

// A shared icon, owned by the system and never destroyed. The system's application icon
// when the program file carries none.
HICON ProgramIcon(IconSize size);

}  // namespace korv::win32
