#include "printing/EPrinter.h"

namespace korv {

EPrinter EPrinter::FromOsError(std::uint32_t code, const std::string& systemText) {
  if (code == 0) return EPrinter("A Win32 API function failed");
  // The code shows as a signed number, as the platform's error texts print it.
  return EPrinter("Win32 Error.  Code: " + std::to_string(static_cast<std::int32_t>(code)) + ".\n" +
                  systemText);
}

}  // namespace korv
