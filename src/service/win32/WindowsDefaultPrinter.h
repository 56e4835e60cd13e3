#pragma once
// The name of the Windows default printer, as the font dialog needs it.
#include <string>

namespace korv {

// The spooler's default printer, else the legacy "windows"/"device" entry; "" when
// neither names one.
std::string WindowsDefaultPrinterName();

}  // namespace korv
