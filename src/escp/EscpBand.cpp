#include "escp/EscpBand.h"

#include <algorithm>

namespace korv {

namespace {

// The tallest band: 8 dots of 1/60 inch, 24 of 1/180 or 48 of 1/360.
constexpr std::int32_t kBandUnits = kEscpUnitsPerInch * 2 / 15;

}  // namespace

void EscpBand::Start(const EscpImage& image) {
  active_ = true;
  y_ = image.y;
  top_ = placement_.Y(image.y);
  width_ = std::max(1, placement_.PrintableWidth());
  height_ = std::max(1, placement_.Height(kBandUnits));
  stride_ = MonoImage::Stride(width_);
  bits_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0);
  left_ = width_;
  right_ = 0;
  bottom_ = 0;
}

bool EscpBand::Add(const EscpImage& image) {
  if (!Continues(image)) Start(image);
  const std::int32_t bytesPerColumn = image.dots / 8;
  const std::int32_t x0 = placement_.X(image.x);
  const std::int32_t x1 = placement_.X(image.x + image.columns * image.columnWidth);
  const std::int32_t y1 = placement_.Height(image.dots * image.dotHeight);
  bool inside = x0 >= 0 && x1 <= width_ && top_ >= 0 && y1 <= height_ &&
                top_ + y1 <= placement_.PrintableHeight();
  left_ = std::max(0, std::min(left_, x0));
  right_ = std::min(width_, std::max(right_, x1));
  bottom_ = std::min(height_, std::max(bottom_, y1));
  for (std::int32_t column = 0; column < image.columns; ++column) {
    const std::int32_t from = placement_.X(image.x + column * image.columnWidth);
    const std::int32_t to = placement_.X(image.x + (column + 1) * image.columnWidth);
    for (std::int32_t dot = 0; dot < image.dots; ++dot) {
      const std::uint8_t byte =
          image.data[static_cast<std::size_t>(column * bytesPerColumn + dot / 8)];
      if ((byte >> (7 - dot % 8) & 1) == 0) continue;
      Fill(from, to, placement_.Height(dot * image.dotHeight),
           placement_.Height((dot + 1) * image.dotHeight));
    }
  }
  return inside;
}

void EscpBand::Fill(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, width_);
  y1 = std::min(y1, height_);
  for (std::int32_t y = std::max(y0, 0); y < y1; ++y) {
    std::uint8_t* row =
        bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
    for (std::int32_t x = x0; x < x1; ++x) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  }
}

MonoImage EscpBand::Take(Rect& destination) {
  active_ = false;
  const std::int32_t width = std::max(0, right_ - left_);
  const std::int32_t stride = MonoImage::Stride(width);
  taken_.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(bottom_), 0);
  for (std::int32_t y = 0; y < bottom_; ++y) {
    const std::uint8_t* from =
        bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
    std::uint8_t* to =
        taken_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int32_t source = left_ + x;
      if ((from[source / 8] >> (7 - source % 8) & 1) != 0)
        to[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  destination = {left_, top_, left_ + width, top_ + bottom_};
  return {width, bottom_, taken_};
}

}  // namespace korv
