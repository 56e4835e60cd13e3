#pragma once
// One print-head band's bit images, set at the device's resolution and drawn as one image:
// a band of any number of ESC * commands is one call, never one per dot.
#include <cstdint>
#include <vector>

#include "escp/EscpPage.h"
#include "escp/EscpPlacement.h"
#include "printing/DeviceContext.h"

namespace korv {

class EscpBand {
 public:
  explicit EscpBand(const EscpPlacement& placement) : placement_(placement) {}

  // Whether `image` belongs to the band being set (one is, and at its height).
  bool Continues(const EscpImage& image) const { return active_ && image.y == y_; }
  // Sets the image's dots into the band, starting one if none is being set. False when
  // some of them fell outside the printable area.
  bool Add(const EscpImage& image);
  bool Empty() const { return !active_ || right_ <= left_; }
  // The band's inked extent as one image; the band is done.
  MonoImage Take(Rect& destination);

 private:
  void Start(const EscpImage& image);
  void Fill(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1);

  const EscpPlacement& placement_;
  bool active_ = false;
  std::int32_t y_ = 0;    // units
  std::int32_t top_ = 0;  // device pixels
  std::int32_t width_ = 0, height_ = 0, stride_ = 0;
  std::int32_t left_ = 0, right_ = 0, bottom_ = 0;  // the images' extent in the band
  std::vector<std::uint8_t> bits_;
  std::vector<std::uint8_t> taken_;
};

}  // namespace korv
