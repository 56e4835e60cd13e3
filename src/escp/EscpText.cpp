// Control bytes, characters and their cells, and the line waiting to be drawn.
#include <algorithm>

#include "escp/EscpInterpreter.h"

namespace korv {

namespace {

// The twelve ASCII positions the international sets replace, and each set's letters
// (ESC R 0-12: USA, France, Germany, UK, Denmark I, Sweden, Italy, Spain I, Japan, Norway,
// Denmark II, Spain II, Latin America).
constexpr std::u16string_view kNationalPositions = u"#$@[\\]^`{|}~";
constexpr std::u16string_view kNationalSets[] = {
    u"#$@[\\]^`{|}~",
    u"#$\u00E0\u00B0\u00E7\u00A7^`\u00E9\u00F9\u00E8\u00A8",
    u"#$\u00A7\u00C4\u00D6\u00DC^`\u00E4\u00F6\u00FC\u00DF",
    u"\u00A3$@[\\]^`{|}~",
    u"#$@\u00C6\u00D8\u00C5^`\u00E6\u00F8\u00E5~",
    u"#\u00A4\u00C9\u00C4\u00D6\u00C5\u00DC\u00E9\u00E4\u00F6\u00E5\u00FC",
    u"#$@\u00B0\\\u00E9^\u00F9\u00E0\u00F2\u00E8\u00EC",
    u"\u20A7$@\u00A1\u00D1\u00BF^`\u00A8\u00F1}~",
    u"#$@[\u00A5]^`{|}~",
    u"#\u00A4\u00C9\u00C6\u00D8\u00C5\u00DC\u00E9\u00E6\u00F8\u00E5\u00FC",
    u"#$\u00C9\u00C6\u00D8\u00C5\u00DC\u00E9\u00E6\u00F8\u00E5\u00FC",
    u"#$\u00E1\u00A1\u00D1\u00BF\u00E9`\u00ED\u00F1\u00F3\u00FA",
    u"#$\u00E1\u00A1\u00D1\u00BF\u00E9\u00FC\u00ED\u00F1\u00F3\u00FA",
};

constexpr std::uint8_t kBackspace = 8, kTab = 9, kLineFeed = 10, kVerticalTab = 11, kFormFeed = 12,
                       kCarriageReturn = 13, kShiftOut = 14, kShiftIn = 15, kDc2 = 18, kDc4 = 20,
                       kCancel = 24;

// A line holds at most this many runs before they are drawn; only CAN looks back.
constexpr std::size_t kMaxLineRuns = 256;
// A run of characters that never leave their place (no advance) stays bounded too.
constexpr std::size_t kMaxRunLength = 1024;

}  // namespace

void EscpInterpreter::Control(std::uint8_t byte) {
  switch (byte) {
    case kCarriageReturn:
      CarriageReturn();
      return;
    case kLineFeed:
      LineFeed(lineSpacing_, true);
      return;
    case kFormFeed:
      FormFeed();
      return;
    case kTab:
      Tab();
      return;
    case kVerticalTab:
      VerticalTab();
      return;
    case kBackspace:
      x_ = std::max(leftMargin_, x_ - lastAdvance_);
      return;
    case kShiftOut:
      lineDoubleWidth_ = true;
      return;
    case kDc4:
      lineDoubleWidth_ = false;
      return;
    case kShiftIn:
      condensed_ = true;
      return;
    case kDc2:
      condensed_ = false;
      return;
    case kCancel:
      line_.clear();
      x_ = leftMargin_;
      return;
    default:
      return;  // NUL, BEL, DC1, DC3, DEL and the rest print nothing
  }
}

void EscpInterpreter::Character(std::uint8_t byte) {
  if (msb_ >= 0) byte = static_cast<std::uint8_t>((byte & 0x7F) | (msb_ << 7));
  bool italicTable = false;
  const char16_t ch = CharacterOf(byte, italicTable);
  EscpStyle style = CurrentStyle();
  style.italic = style.italic || italicTable;
  const std::int32_t advance = Advance(ch, style);
  if (x_ + advance > rightMargin_ && x_ > leftMargin_) LineFeed(lineSpacing_, true);
  const std::int32_t y = script_ == 2 ? y_ + BaseCell() * 5 / 9 : y_;
  Place(ch, y, advance, style);
  x_ += advance;
  lastAdvance_ = advance;
}

char16_t EscpInterpreter::CharacterOf(std::uint8_t byte, bool& italic) const {
  if (byte >= 0x80) {
    if (tables_[table_]) return (*tables_[table_])[byte];
    italic = true;  // the italic table: the lower half's characters in italics
    byte &= 0x7F;
  }
  const std::size_t at = kNationalPositions.find(static_cast<char16_t>(byte));
  if (at != std::u16string_view::npos && country_ > 0 &&
      country_ < static_cast<int>(std::size(kNationalSets)))
    return kNationalSets[country_][at];
  return byte;
}

std::int32_t EscpInterpreter::BaseCell() const {
  return pitch_ == 10 ? Units(10) : pitch_ == 12 ? Units(12) : Units(15);
}

EscpStyle EscpInterpreter::CurrentStyle() const {
  EscpStyle style;
  const std::int32_t base = BaseCell();
  style.em = base * 5 / 3;  // a fixed-pitch face is 0.6 em wide
  std::int32_t width = base;
  if (condensed_ && pitch_ != 15) width = pitch_ == 10 ? Units(10) * 7 / 12 : Units(20);
  if (doubleWidth_ || lineDoubleWidth_) width *= 2;
  if (doubleHeight_) style.em *= 2;
  if (script_ != 0) style.em = style.em * 2 / 3;
  style.width = proportional_ ? 0 : width;
  style.bold = bold_ || doubleStrike_;
  style.italic = italic_;
  style.underline = underline_;
  return style;
}

std::int32_t EscpInterpreter::Advance(char16_t ch, const EscpStyle& style) const {
  const bool wide = doubleWidth_ || lineDoubleWidth_;
  const std::int32_t extra = extraSpace_ * (wide ? 2 : 1);
  if (hmi_) return *hmi_ + extra;
  if (style.width == 0) return page_.Advance(ch, style) * (wide ? 2 : 1) + extra;
  return style.width + extra;
}

void EscpInterpreter::UseSheet() {
  if (pageWaiting_) {
    page_.NextPage();
    pageWaiting_ = false;
  }
  pageUsed_ = true;
}

void EscpInterpreter::Place(char16_t ch, std::int32_t y, std::int32_t advance,
                            const EscpStyle& style) {
  UseSheet();
  if (!line_.empty()) {
    EscpTextRun& run = line_.back();
    if (run.y == y && run.style == style && run.lineHeight == lineSpacing_ && runEnd_ == x_ &&
        run.text.size() < kMaxRunLength) {
      run.text.push_back(ch);
      run.advances.push_back(advance);
      runEnd_ += advance;
      return;
    }
  }
  if (line_.size() >= kMaxLineRuns) FlushLine();
  line_.push_back({x_, y, lineSpacing_, style, std::u16string(1, ch), {advance}});
  runEnd_ = x_ + advance;
}

void EscpInterpreter::FlushLine() {
  for (const EscpTextRun& run : line_) page_.Text(run);
  line_.clear();
}

void EscpInterpreter::LineFeed(std::int32_t distance, bool carriageReturn) {
  FlushLine();
  if (carriageReturn) {
    x_ = leftMargin_;
    lineDoubleWidth_ = false;
  }
  y_ += distance;
  if (y_ >= bottomLimit_) FormFeed();
}

void EscpInterpreter::FormFeed() {
  FlushLine();
  // A sheet with nothing on it is not ejected: no blank pages.
  if (pageUsed_) pageWaiting_ = true;
  pageUsed_ = false;
  x_ = leftMargin_;
  y_ = topMargin_;
  lineDoubleWidth_ = false;
}

void EscpInterpreter::Tab() {
  for (std::int32_t stop : tabs_) {
    if (leftMargin_ + stop > x_) {
      if (leftMargin_ + stop <= rightMargin_) x_ = leftMargin_ + stop;
      return;
    }
  }
}

void EscpInterpreter::VerticalTab() {
  if (verticalTabs_.empty()) {
    LineFeed(lineSpacing_, true);
    return;
  }
  for (std::int32_t stop : verticalTabs_) {
    if (topMargin_ + stop > y_ && topMargin_ + stop < bottomLimit_) {
      LineFeed(topMargin_ + stop - y_, true);
      return;
    }
  }
  FormFeed();
}

}  // namespace korv
