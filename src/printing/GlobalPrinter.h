#pragma once
// The one printer object of the process. The program installs the platform's print
// system once at start; the object is made on the first GlobalPrinter() call.
#include <memory>

#include "printing/PrintSystem.h"
#include "printing/TPrinter.h"

namespace korv {

// Takes the print system the global printer object will use. Replacing it destroys the
// current printer object, if any.
void InstallPrintSystem(std::unique_ptr<PrintSystem> system);

// The process-wide printer object, made on first use with no printer selected.
// Throws std::logic_error when no print system has been installed.
TPrinter& GlobalPrinter();

// The installed print system (for the platform version, say). Throws std::logic_error
// when none has been installed.
PrintSystem& GlobalPrintSystem();

}  // namespace korv
