#pragma once
// Identifiers of the program's resources, shared by the resource script and the code.

// The program's icon, a printer (16, 32 and 48 pixels). The lowest id: the shell shows it.
#define KORV_ICON_PROGRAM 1
