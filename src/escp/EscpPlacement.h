#pragma once
// Where the interpreter's units land on the device: measured from the sheet's edge, so
// the device's unprintable margin is subtracted; or, to fit, the whole sheet scaled into
// the printable area.
#include <cstdint>

#include "escp/EscpPage.h"
#include "printing/DeviceContext.h"

namespace korv {

class EscpPlacement {
 public:
  // Reads the context's resolution, printable area, sheet and offsets.
  EscpPlacement(DeviceContext& context, bool fit);

  std::int32_t X(std::int32_t units) const;
  std::int32_t Y(std::int32_t units) const;
  // A length (not a position) in device pixels, horizontally and vertically.
  std::int32_t Width(std::int32_t units) const;
  std::int32_t Height(std::int32_t units) const;
  // Device pixels across, in units.
  std::int32_t UnitsOfWidth(std::int32_t pixels) const;

  std::int32_t PrintableWidth() const { return printableWidth_; }
  std::int32_t PrintableHeight() const { return printableHeight_; }
  bool Inside(const Rect& rect) const {
    return rect.left >= 0 && rect.top >= 0 && rect.right <= printableWidth_ &&
           rect.bottom <= printableHeight_;
  }

 private:
  double scaleX_ = 1, scaleY_ = 1;  // pixels a unit
  std::int32_t offsetX_ = 0, offsetY_ = 0;
  std::int32_t printableWidth_ = 0, printableHeight_ = 0;
};

}  // namespace korv
