#pragma once
// Finding a printer by the name the user chose: the first entry of the printer list that
// equals it exactly (case-sensitive), as both the printer choice and text jobs select it.
#include <string>
#include <vector>

namespace korv {

// The entry's index, or -1 when no installed printer has that name.
int IndexOfPrinter(const std::vector<std::string>& printers, const std::string& name);

}  // namespace korv
