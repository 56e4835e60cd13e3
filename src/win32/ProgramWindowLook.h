#pragma once
// The look the program's own top-level windows share: its icon, the arrow cursor, the
// dialog face behind the controls, and "MS Sans Serif" 16 pixels high (12 points at 96 dots
// per inch) whatever the screen.
#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv::win32 {

// What every window of the program needs before it is made: the common controls of
// `controlClasses` loaded, its class `className` registered with that look, and `font`
// made. False when any of it fails.
bool PrepareProgramWindow(DWORD controlClasses, const char* className, UniqueGdiObject& font);

// The outer size of a window whose client area is `width` x `height` under these styles.
bool OuterSize(int width, int height, DWORD style, DWORD exStyle, SIZE& out);

}  // namespace korv::win32
