#include "dialogs/win32/Win32ListSelector.h"

namespace korv::win32 {

std::int16_t Win32ListSelector::SelectFromList(std::uint16_t count, std::uint16_t initial,
                                               const std::string& noun,
                                               const std::vector<std::string>& items,
                                               std::uint8_t position) {
  return win32::SelectFromList(owner_ ? owner_() : nullptr, profile_, count, initial, noun, items,
                               position);
}

}  // namespace korv::win32
