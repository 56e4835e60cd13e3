// What each ESC command does to the print head, the page layout and the style.
#include <algorithm>

#include "escp/EscpInterpreter.h"

namespace korv {

namespace {

// A switch's parameter: 1 or the digit "1" (and any odd value, as the printers read it).
bool On(std::uint8_t n) {
  return (n & 1) != 0;
}

constexpr std::int32_t kInch = kEscpUnitsPerInch;

class NoSystemCodePages : public CodePageConverter {
 public:
  bool ToUnicode(unsigned, CodeTable&) override { return false; }
};

}  // namespace

void EscpInterpreter::Reset() {
  pageLength_ = 11 * kInch;
  topMargin_ = 0;
  bottomLimit_ = pageLength_;
  leftMargin_ = 0;
  rightMargin_ = 8 * kInch;  // 80 columns of pica
  lineSpacing_ = kInch / 6;
  definedUnit_.reset();
  tabs_.clear();
  for (std::int32_t stop = 8 * kInch / 10; stop < rightMargin_; stop += 8 * kInch / 10)
    tabs_.push_back(stop);
  verticalTabs_.clear();
  pitch_ = 10;
  hmi_.reset();
  extraSpace_ = 0;
  bold_ = doubleStrike_ = italic_ = underline_ = false;
  condensed_ = doubleWidth_ = lineDoubleWidth_ = doubleHeight_ = proportional_ = false;
  script_ = 0;
  tables_ = {std::nullopt, settings_.table, settings_.table, settings_.table};
  table_ = 1;
  upperControls_.reset();
  msb_ = -1;
  country_ = 0;
  imageModes_ = {0, 1, 2, 3};
  x_ = leftMargin_;
}

void EscpInterpreter::Execute(std::uint8_t letter) {
  if (ExecuteStyle(letter, params_[0]) || ExecutePitch(letter, params_[0]) ||
      ExecuteVertical(letter, params_[0]) || ExecuteHorizontal(letter, params_[0]))
    return;
  switch (letter) {
    case '@':
      FlushLine();
      Reset();
      return;
    case 't':
      table_ = params_[0] & 3u;
      return;
    case '6':
      upperControls_ = false;
      return;
    case '7':
      upperControls_ = true;
      return;
    case 'R':
      country_ = params_[0];
      return;
    case '=':
      msb_ = 0;
      return;
    case '>':
      msb_ = 1;
      return;
    case '#':
      msb_ = -1;
      return;
    case '?': {
      const auto at = std::string_view("KLYZ").find(static_cast<char>(params_[0]));
      if (at != std::string_view::npos) imageModes_[at] = params_[1];
      return;
    }
    // Accepted, with nothing to do on a page printer: quality, typeface, direction,
    // paper sensor, bin, speed.
    case 'x':
    case 'k':
    case 'U':
    case '<':
    case '8':
    case '9':
    case 0x19:
    case 's':
      return;
    default:
      Unsupported(letter);
      return;
  }
}

bool EscpInterpreter::ExecuteStyle(std::uint8_t letter, std::uint8_t n) {
  switch (letter) {
    case 'E':
      bold_ = true;
      break;
    case 'F':
      bold_ = false;
      break;
    case 'G':
      doubleStrike_ = true;
      break;
    case 'H':
      doubleStrike_ = false;
      break;
    case '4':
      italic_ = true;
      break;
    case '5':
      italic_ = false;
      break;
    case '-':
      underline_ = On(n);
      break;
    case 'W':
      doubleWidth_ = On(n);
      break;
    case 'w':
      doubleHeight_ = On(n);
      break;
    case 'S':
      script_ = On(n) ? 2 : 1;
      break;
    case 'T':
      script_ = 0;
      break;
    case 0x0F:
      condensed_ = true;
      break;
    case 0x0E:
      lineDoubleWidth_ = true;
      break;
    case 'p':
      proportional_ = On(n);
      break;
    case '!':
      MasterSelect(n);
      break;
    default:
      return false;
  }
  return true;
}

bool EscpInterpreter::ExecutePitch(std::uint8_t letter, std::uint8_t n) {
  switch (letter) {
    case 'P':
    case 'M':
    case 'g':
      pitch_ = letter == 'P' ? 10 : letter == 'M' ? 12 : 15;
      hmi_.reset();
      proportional_ = false;
      break;
    case ' ':
      extraSpace_ = n * Units(settings_.pins == 9 ? 120 : 180);
      break;
    case 'c':
      hmi_ = Param16(0) * Units(360);
      break;
    default:
      return false;
  }
  return true;
}

void EscpInterpreter::MasterSelect(std::uint8_t n) {
  pitch_ = (n & 1) != 0 ? 12 : 10;
  proportional_ = (n & 2) != 0;
  condensed_ = (n & 4) != 0;
  bold_ = (n & 8) != 0;
  doubleStrike_ = (n & 16) != 0;
  doubleWidth_ = (n & 32) != 0;
  italic_ = (n & 64) != 0;
  underline_ = (n & 128) != 0;
  hmi_.reset();
}

bool EscpInterpreter::ExecuteVertical(std::uint8_t letter, std::uint8_t n) {
  const bool nine = settings_.pins == 9;
  switch (letter) {
    case '0':
      lineSpacing_ = kInch / 8;
      break;
    case '1':
      lineSpacing_ = 7 * kInch / 72;
      break;
    case '2':
      lineSpacing_ = kInch / 6;
      break;
    case '3':
      lineSpacing_ = n * Units(nine ? 216 : 180);
      break;
    case 'A':
      lineSpacing_ = n * Units(nine ? 72 : 60);
      break;
    case '+':
      lineSpacing_ = n * Units(360);
      break;
    case 'J':
      FlushLine();
      LineFeed(n * Units(nine ? 216 : 180), false);
      break;
    case 'j':
      FlushLine();
      y_ = std::max(topMargin_, y_ - n * Units(216));
      break;
    case 'C':
      pageLength_ = n == 0 ? params_[1] * kInch : n * lineSpacing_;
      topMargin_ = 0;
      bottomLimit_ = pageLength_;
      break;
    case 'N':
      bottomLimit_ = std::max(topMargin_ + 1, pageLength_ - n * lineSpacing_);
      break;
    case 'O':
      bottomLimit_ = pageLength_;
      break;
    default:
      return false;
  }
  return true;
}

bool EscpInterpreter::ExecuteHorizontal(std::uint8_t letter, std::uint8_t n) {
  const bool nine = settings_.pins == 9;
  switch (letter) {
    case 'l':
      if (n * BaseCell() < rightMargin_) leftMargin_ = n * BaseCell();
      x_ = std::max(x_, leftMargin_);
      break;
    case 'Q':
      if (n * BaseCell() > leftMargin_) rightMargin_ = n * BaseCell();
      break;
    case '$': {
      const std::int32_t to = leftMargin_ + Param16(0) * definedUnit_.value_or(Units(60));
      if (to <= rightMargin_) x_ = to;
      break;
    }
    case '\\': {
      const auto steps = static_cast<std::int16_t>(Param16(0));
      const std::int32_t to = x_ + steps * definedUnit_.value_or(Units(nine ? 120 : 180));
      if (to >= leftMargin_ && to <= rightMargin_) x_ = to;
      break;
    }
    case 'f':
      if (n == 0)
        x_ = std::min(rightMargin_, x_ + params_[1] * Advance(u' ', CurrentStyle()));
      else
        for (int i = 0; i < params_[1]; ++i) LineFeed(lineSpacing_, true);
      break;
    default:
      return false;
  }
  return true;
}

void EscpInterpreter::ExecuteExtended(std::uint8_t letter, std::span<const std::uint8_t> data) {
  auto at = [&](std::size_t i) -> std::int32_t {
    return i + 1 < data.size() ? data[i] | (data[i + 1] << 8) : 0;
  };
  const std::int32_t unit = definedUnit_.value_or(Units(360));
  switch (letter) {
    case 'U':
      if (!data.empty() && data[0] != 0) definedUnit_ = data[0] * kInch / 3600;
      return;
    case 'C':
      if (at(0) > 0) {
        pageLength_ = at(0) * unit;
        topMargin_ = 0;
        bottomLimit_ = pageLength_;
      }
      return;
    case 'c':
      if (at(2) > at(0)) {
        topMargin_ = at(0) * unit;
        bottomLimit_ = std::min(pageLength_, at(2) * unit);
        y_ = std::max(y_, topMargin_);
      }
      return;
    case 'V':
    case 'v': {
      const std::int32_t to =
          letter == 'V' ? topMargin_ + at(0) * unit : y_ + static_cast<std::int16_t>(at(0)) * unit;
      if (to >= topMargin_ && to < bottomLimit_ && to != y_) {
        FlushLine();
        y_ = to;
      }
      return;
    }
    case 't':
      AssignTable(data);
      return;
    default:
      Unsupported('(', letter);
      return;
  }
}

// ESC ( t: a table slot, then the printer's number of the code page it is to hold.
void EscpInterpreter::AssignTable(std::span<const std::uint8_t> data) {
  if (data.size() < 3 || data[0] > 3) return;
  const std::optional<CodePageId> id = CodePageOfEscpTable(data[1], data[2]);
  if (!id) {
    Unsupported('(', 't');
    return;
  }
  NoSystemCodePages none;
  tables_[data[0]] = MakeCodeTable(*id, settings_.codePages ? *settings_.codePages : none);
}

// ESC D and ESC B: stops in columns or lines.
void EscpInterpreter::StopsDone() {
  phase_ = Phase::Text;
  if (letter_ == 'b') return;
  std::vector<std::int32_t>& stops = letter_ == 'D' ? tabs_ : verticalTabs_;
  const std::int32_t step = letter_ == 'D' ? BaseCell() : lineSpacing_;
  stops.clear();
  for (std::uint8_t n : collected_) stops.push_back(n * step);
}

}  // namespace korv
