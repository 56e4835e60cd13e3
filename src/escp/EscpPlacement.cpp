#include "escp/EscpPlacement.h"

#include <algorithm>
#include <cmath>

namespace korv {

EscpPlacement::EscpPlacement(DeviceContext& context, bool fit) {
  const int pixelsX = std::max(1, context.GetDeviceCaps(DeviceCap::LogPixelsX));
  const int pixelsY = std::max(1, context.GetDeviceCaps(DeviceCap::LogPixelsY));
  printableWidth_ = context.GetDeviceCaps(DeviceCap::HorzRes);
  printableHeight_ = context.GetDeviceCaps(DeviceCap::VertRes);
  scaleX_ = static_cast<double>(pixelsX) / kEscpUnitsPerInch;
  scaleY_ = static_cast<double>(pixelsY) / kEscpUnitsPerInch;
  const int sheetWidth = context.GetDeviceCaps(DeviceCap::PhysicalWidth);
  const int sheetHeight = context.GetDeviceCaps(DeviceCap::PhysicalHeight);
  if (fit && sheetWidth > 0 && sheetHeight > 0 && printableWidth_ > 0 && printableHeight_ > 0) {
    const double scale = std::min({1.0, static_cast<double>(printableWidth_) / sheetWidth,
                                   static_cast<double>(printableHeight_) / sheetHeight});
    scaleX_ *= scale;
    scaleY_ *= scale;
    return;
  }
  offsetX_ = std::max(0, context.GetDeviceCaps(DeviceCap::PhysicalOffsetX));
  offsetY_ = std::max(0, context.GetDeviceCaps(DeviceCap::PhysicalOffsetY));
}

std::int32_t EscpPlacement::X(std::int32_t units) const {
  return Width(units) - offsetX_;
}
std::int32_t EscpPlacement::Y(std::int32_t units) const {
  return Height(units) - offsetY_;
}
std::int32_t EscpPlacement::Width(std::int32_t units) const {
  return static_cast<std::int32_t>(std::lround(units * scaleX_));
}
std::int32_t EscpPlacement::Height(std::int32_t units) const {
  return static_cast<std::int32_t>(std::lround(units * scaleY_));
}
std::int32_t EscpPlacement::UnitsOfWidth(std::int32_t pixels) const {
  return static_cast<std::int32_t>(std::lround(pixels / scaleX_));
}

}  // namespace korv
