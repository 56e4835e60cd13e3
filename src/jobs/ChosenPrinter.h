#pragma once
// Text jobs go only to the printer the user chose. With UseDefault "N" and a stored
// printer name that counts as a choice, that printer must be the printer object's
// current one; when it is not installed the job is refused rather than printed on
// another printer (the Windows default, say).
#include "printing/TPrinter.h"
#include "settings/Profile.h"

namespace korv {

// Makes the chosen printer current when it is installed but not selected; raises
// EPrinter "Cannot print on <name>: ..." when it is not installed. Nothing happens while
// the Windows default printer is followed.
void RequireChosenPrinter(Profile& profile, TPrinter& printer);

}  // namespace korv
