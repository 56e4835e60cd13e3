#include "printing/PrinterNamed.h"

#include <algorithm>

namespace korv {

int IndexOfPrinter(const std::vector<std::string>& printers, const std::string& name) {
  const auto found = std::find(printers.begin(), printers.end(), name);
  return found == printers.end() ? -1 : static_cast<int>(found - printers.begin());
}

}  // namespace korv
