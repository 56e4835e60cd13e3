#include "escp/EscpInterpreter.h"

#include <algorithm>

namespace korv {

namespace {

constexpr std::uint8_t kEscape = 0x1B;

// One bit-image mode: its columns an inch and its dots a column (0: not a mode).
struct ImageMode {
  int columnsPerInch = 0;
  int dots = 0;
};

ImageMode ImageModeOf(int mode, int pins) {
  switch (mode) {
    case 0:
      return {60, 8};
    case 1:
    case 2:
      return {120, 8};
    case 3:
      return {240, 8};
    case 4:
      return {80, 8};
    case 5:
      return pins == 9 ? ImageMode{72, 8} : ImageMode{};
    case 6:
      return {90, 8};
    case 7:
      return pins == 9 ? ImageMode{144, 8} : ImageMode{};
    case 32:
      return {60, 24};
    case 33:
      return {120, 24};
    case 38:
      return {90, 24};
    case 39:
      return {180, 24};
    case 40:
      return {360, 24};
    case 71:
      return {180, 48};
    case 72:
      return {360, 48};
    case 73:
      return {360, 48};
    default:
      return {};
  }
}

}  // namespace

EscpInterpreter::EscpInterpreter(EscpPage& page, const EscpSettings& settings)
    : page_(page), settings_(settings) {
  Reset();
  y_ = topMargin_;
}

void EscpInterpreter::Feed(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) Byte(byte);
}

void EscpInterpreter::Finish() {
  FlushLine();
}

void EscpInterpreter::Byte(std::uint8_t byte) {
  switch (phase_) {
    case Phase::Text:
      if (byte == kEscape) {
        phase_ = Phase::Escape;
      } else if (byte < 0x20 || byte == 0x7F) {
        Control(byte);
      } else if (byte >= 0x80 && byte < 0xA0 && upperControls_.value_or(!tables_[table_])) {
        Control(byte & 0x1F);
      } else {
        Character(byte);
      }
      return;
    case Phase::Escape:
      StartCommand(byte);
      return;
    case Phase::Params:
      params_[got_++] = byte;
      if (got_ == need_) ParamsDone();
      return;
    case Phase::Skip:
      if (--owed_ == 0) phase_ = Phase::Text;
      return;
    case Phase::ImageData:
      collected_.push_back(byte);
      if (collected_.size() == owed_) ImageDone();
      return;
    case Phase::UntilNul:
      // Stops ascend: a NUL, or one not above the stop before, ends them.
      if (byte == 0 || (!collected_.empty() && byte <= collected_.back()))
        StopsDone();
      else
        collected_.push_back(byte);
      return;
    case Phase::UserChars:
      UserCharByte(byte);
      return;
    case Phase::Raster:
      RasterByte(byte);
      return;
  }
}

void EscpInterpreter::StartCommand(std::uint8_t letter) {
  letter_ = letter;
  extended_ = false;
  got_ = 0;
  const EscpCommandShape shape = ShapeOfEscCommand(letter);
  phase_ = Phase::Text;
  if (shape.shape == EscpShape::Unknown) {
    Unsupported(letter);
  } else if (shape.shape == EscpShape::UntilNul) {
    collected_.clear();
    phase_ = Phase::UntilNul;
  } else if (shape.count == 0) {
    Execute(letter);
  } else {
    need_ = shape.count;
    phase_ = Phase::Params;
  }
}

void EscpInterpreter::ParamsDone() {
  phase_ = Phase::Text;
  switch (ShapeOfEscCommand(letter_).shape) {
    case EscpShape::PageLength:
      if (got_ == 1 && params_[0] == 0) {
        need_ = 2;  // ESC C NUL n: inches
        phase_ = Phase::Params;
        return;
      }
      Execute(letter_);
      return;
    case EscpShape::OneThenNul:
      Unsupported(letter_);
      collected_.clear();
      phase_ = Phase::UntilNul;
      return;
    case EscpShape::LengthField:
      LengthFieldDone();
      return;
    case EscpShape::Fixed:
    case EscpShape::Unknown:
    case EscpShape::UntilNul:
      Execute(letter_);
      return;
    default:
      DataCommandDone(ShapeOfEscCommand(letter_).shape);
      return;
  }
}

// ESC ( X: after the letter and the length, the data; carried out when it is short.
void EscpInterpreter::LengthFieldDone() {
  if (extended_) {
    ExecuteExtended(second_, std::span(params_.data(), got_));
    return;
  }
  extended_ = true;
  second_ = params_[0];
  const auto length = static_cast<std::uint32_t>(Param16(1));
  got_ = 0;
  if (length == 0) {
    ExecuteExtended(second_, {});
  } else if (length <= params_.size()) {
    need_ = length;
    phase_ = Phase::Params;
  } else {
    Unsupported('(', second_);  // nothing this long is carried out
    owed_ = length;
    phase_ = Phase::Skip;
  }
}

// Commands whose parameters announce data: bit images, user characters, raster rows.
void EscpInterpreter::DataCommandDone(EscpShape shape) {
  switch (shape) {
    case EscpShape::BitImage:
      StartImage(params_[0], Param16(1));
      return;
    case EscpShape::ImageColumns:
      StartImage(imageModes_[letter_ == 'K'   ? 0
                             : letter_ == 'L' ? 1
                             : letter_ == 'Y' ? 2
                                              : 3],
                 Param16(0));
      return;
    case EscpShape::NinePinImage:
      Unsupported(letter_);
      owed_ = static_cast<std::uint32_t>(Param16(1)) * 2;
      if (owed_ > 0) phase_ = Phase::Skip;
      return;
    case EscpShape::UserCharacters:
      Unsupported(letter_);
      charsLeft_ = params_[2] >= params_[1] ? params_[2] - params_[1] + 1u : 0u;
      got_ = 0;
      owed_ = 0;
      if (charsLeft_ > 0) phase_ = Phase::UserChars;
      return;
    case EscpShape::RasterImage:
      Unsupported(letter_);
      rasterLeft_ = params_[3] * ((static_cast<std::uint32_t>(Param16(4)) + 7) / 8);
      rasterRun_ = 0;
      owed_ = rasterLeft_;
      if (rasterLeft_ > 0) phase_ = params_[0] == 1 ? Phase::Raster : Phase::Skip;
      return;
    default:
      Execute(letter_);
      return;
  }
}

// A user-defined character: a header (24 pins: left space, width, right space; 9 pins:
// an attribute), then its columns, three bytes each on 24 pins, eleven bytes on 9.
void EscpInterpreter::UserCharByte(std::uint8_t byte) {
  if (owed_ == 0) {
    params_[got_++] = byte;
    if (got_ < (settings_.pins == 9 ? 1u : 3u)) return;
    got_ = 0;
    owed_ = settings_.pins == 9 ? 11u : params_[1] * 3u;
    if (owed_ > 0) return;
  } else if (--owed_ > 0) {
    return;
  }
  if (--charsLeft_ == 0) phase_ = Phase::Text;
}

// Packed rows: a count below 128 is followed by count + 1 bytes as they are, one from 128
// on by a byte that stands for 257 - count of them.
void EscpInterpreter::RasterByte(std::uint8_t byte) {
  if (rasterRun_ == 0) {
    rasterRun_ = byte < 128 ? byte + 1 : -(257 - byte);
    return;
  }
  std::uint32_t bytes = 1;
  if (rasterRun_ > 0) {
    --rasterRun_;
  } else {
    bytes = static_cast<std::uint32_t>(-rasterRun_);
    rasterRun_ = 0;
  }
  rasterLeft_ -= std::min(bytes, rasterLeft_);
  if (rasterLeft_ == 0) phase_ = Phase::Text;
}

void EscpInterpreter::StartImage(int mode, std::int32_t columns) {
  const ImageMode density = ImageModeOf(mode, settings_.pins);
  const int dots = density.dots != 0 ? density.dots : mode >= 64 ? 48 : mode >= 32 ? 24 : 8;
  owed_ = static_cast<std::uint32_t>(columns * dots / 8);
  if (density.dots == 0) {
    Unsupported('*');
    if (owed_ > 0) phase_ = Phase::Skip;
    return;
  }
  image_ = {};
  image_.x = x_;
  image_.y = y_;
  image_.columns = columns;
  image_.dots = dots;
  image_.columnWidth = Units(density.columnsPerInch);
  image_.dotHeight =
      dots == 8 ? Units(settings_.pins == 9 ? 72 : 60) : Units(dots == 24 ? 180 : 360);
  collected_.clear();
  if (owed_ == 0) {
    ImageDone();
    return;
  }
  phase_ = Phase::ImageData;
}

void EscpInterpreter::ImageDone() {
  phase_ = Phase::Text;
  // Columns past the right margin are not printed.
  const std::int32_t room = std::max(0, (rightMargin_ - image_.x) / image_.columnWidth);
  const std::int32_t columns = std::min(image_.columns, room);
  if (columns > 0) {
    UseSheet();
    image_.y = y_;
    image_.columns = columns;
    image_.data = std::span(collected_.data(), static_cast<std::size_t>(columns * image_.dots / 8));
    page_.Image(image_);
  }
  x_ = std::min(rightMargin_, x_ + image_.columns * image_.columnWidth);
}

void EscpInterpreter::Unsupported(std::uint8_t letter, std::uint8_t second) {
  ++unsupported_[EscpCommandName(letter, second)];
}

}  // namespace korv
