#pragma once
// A printer's device-mode block (the platform's DEVMODEA and the driver's private part
// after it), kept as bytes. Only the page orientation is read or changed here.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korv {

class DeviceMode {
 public:
  static constexpr std::size_t kFieldsOffset = 40;         // dmFields
  static constexpr std::size_t kOrientationOffset = 44;    // dmOrientation
  static constexpr std::uint32_t kFieldOrientation = 0x1;  // DM_ORIENTATION
  static constexpr std::int16_t kPortrait = 1;
  static constexpr std::int16_t kLandscape = 2;
  // A block too short to hold the orientation field is no usable block.
  static constexpr std::size_t kMinimumSize = kOrientationOffset + 2;

  explicit DeviceMode(std::vector<std::uint8_t> bytes);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::int16_t Orientation() const;
  // Writes the field and marks it as set in dmFields.
  void SetOrientation(std::int16_t value);

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace korv
