#pragma once
// Stand-in, in the program only, for the list selection dialog until it is wired.
#include <cstdint>
#include <string>
#include <vector>

#include "service/MainFormPorts.h"

namespace korv {

// As if the user cancelled the list.
class PlaceholderListSelector : public ListSelector {
 public:
  std::int16_t VListSelect(std::uint16_t, std::uint16_t, const std::string&,
                           const std::vector<std::string>&, std::uint8_t) override {
    return 0;
  }
};

}  // namespace korv
