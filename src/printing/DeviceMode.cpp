#include "printing/DeviceMode.h"

#include <stdexcept>
#include <utility>

namespace korv {

// The block is little-endian, as on every machine the service runs on.
DeviceMode::DeviceMode(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() < kMinimumSize) throw std::invalid_argument("device-mode block too short");
}

std::int16_t DeviceMode::Orientation() const {
  auto low = static_cast<std::uint16_t>(bytes_[kOrientationOffset]);
  auto high = static_cast<std::uint16_t>(bytes_[kOrientationOffset + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

void DeviceMode::SetOrientation(std::int16_t value) {
  auto bits = static_cast<std::uint16_t>(value);
  bytes_[kOrientationOffset] = static_cast<std::uint8_t>(bits & 0xFF);
  bytes_[kOrientationOffset + 1] = static_cast<std::uint8_t>(bits >> 8);
  bytes_[kFieldsOffset] = static_cast<std::uint8_t>(bytes_[kFieldsOffset] | kFieldOrientation);
}

}  // namespace korv
