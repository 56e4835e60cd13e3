#pragma once
// The list selection dialog as its callers see it.
#include <cstdint>
#include <string>
#include <vector>

namespace korv {

// The list selection dialog.
class ListSelector {
 public:
  virtual ~ListSelector() = default;
  // The 1-based number of the accepted item, 0 when nothing was chosen.
  virtual std::int16_t SelectFromList(std::uint16_t count, std::uint16_t initial,
                                      const std::string& noun,
                                      const std::vector<std::string>& items,
                                      std::uint8_t position) = 0;
};

}  // namespace korv
