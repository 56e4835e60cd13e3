#pragma once
// The Epson ESC/P printer as a state machine: fed a job's bytes chunk by chunk, in any
// split, it keeps the print head's position and the character style, and hands text runs
// and bit images to an EscpPage. Nothing of the job is kept beyond the line being set and
// the one command being read.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "escp/CodeTable.h"
#include "escp/EscpCommands.h"
#include "escp/EscpPage.h"

namespace korv {

struct EscpSettings {
  int pins = 24;  // 9: the 9-pin printers' units
  // The characters of bytes 0x80-0xFF in the job's character table; 0x00-0x7F are ASCII.
  CodeTable table{};
  // The system's IBM tables, for a job that assigns one itself (ESC ( t); none: 437's
  // copy stands in for them.
  CodePageConverter* codePages = nullptr;
};

class EscpInterpreter {
 public:
  EscpInterpreter(EscpPage& page, const EscpSettings& settings);

  void Feed(std::span<const std::uint8_t> bytes);
  // Draws what is still waiting: the job ended.
  void Finish();

  // Commands known by their shape but not carried out, by name, with how often they came.
  const std::map<std::string, int>& Unsupported() const { return unsupported_; }

  // The print head, for tests and the page.
  std::int32_t X() const { return x_; }
  std::int32_t Y() const { return y_; }
  std::int32_t LineSpacing() const { return lineSpacing_; }
  std::int32_t PageLength() const { return pageLength_; }

 private:
  enum class Phase : std::uint8_t {
    Text,
    Escape,
    Params,     // collecting `need_` bytes into params_
    Skip,       // dropping `owed_` bytes
    ImageData,  // collecting a bit image's columns
    UntilNul,   // collecting stops up to a NUL
    UserChars,  // a user-defined character's header, then its data (skipped)
    Raster,     // a packed raster image's rows (skipped)
  };

  void Byte(std::uint8_t byte);
  void Control(std::uint8_t byte);
  void Character(std::uint8_t byte);
  void StartCommand(std::uint8_t letter);
  void ParamsDone();
  void Execute(std::uint8_t letter);
  bool ExecuteStyle(std::uint8_t letter, std::uint8_t n);
  bool ExecutePitch(std::uint8_t letter, std::uint8_t n);
  bool ExecuteVertical(std::uint8_t letter, std::uint8_t n);
  bool ExecuteHorizontal(std::uint8_t letter, std::uint8_t n);
  void LengthFieldDone();
  void DataCommandDone(EscpShape shape);
  void ExecuteExtended(std::uint8_t letter, std::span<const std::uint8_t> data);
  void MasterSelect(std::uint8_t n);
  void StopsDone();
  void UserCharByte(std::uint8_t byte);
  void RasterByte(std::uint8_t byte);
  void StartImage(int mode, std::int32_t columns);
  void ImageDone();
  void Unsupported(std::uint8_t letter, std::uint8_t second = 0);
  void Reset();
  void AssignTable(std::span<const std::uint8_t> data);

  // Motion.
  void CarriageReturn() { x_ = leftMargin_; }
  // Down by `distance`, to the next sheet past the page's bottom.
  void LineFeed(std::int32_t distance, bool carriageReturn);
  void FormFeed();
  void Tab();
  void VerticalTab();
  void FlushLine();

  // Character cells.
  EscpStyle CurrentStyle() const;
  std::int32_t BaseCell() const;  // the pitch's cell, before condensed and double width
  std::int32_t Advance(char16_t ch, const EscpStyle& style) const;
  char16_t CharacterOf(std::uint8_t byte, bool& italic) const;
  void Place(char16_t ch, std::int32_t y, std::int32_t advance, const EscpStyle& style);
  void UseSheet();

  std::int32_t Param16(std::size_t at) const {
    return params_[at] | (static_cast<std::int32_t>(params_[at + 1]) << 8);
  }
  std::int32_t Units(int perInch) const { return kEscpUnitsPerInch / perInch; }

  EscpPage& page_;
  EscpSettings settings_;
  std::map<std::string, int> unsupported_;

  // The command being read.
  Phase phase_ = Phase::Text;
  std::uint8_t letter_ = 0;
  std::uint8_t second_ = 0;  // ESC ('s own letter
  std::array<std::uint8_t, 16> params_{};
  std::size_t got_ = 0, need_ = 0;
  std::uint32_t owed_ = 0;
  bool extended_ = false;  // ESC (: after its length, the data
  std::vector<std::uint8_t> collected_;
  // ESC &: characters left, and the header of the one being read.
  std::uint32_t charsLeft_ = 0;
  // ESC .: bytes of unpacked data still to come, and the packed run being skipped.
  std::uint32_t rasterLeft_ = 0;
  int rasterRun_ = 0;  // > 0: literal bytes left; < 0: a repeated byte is next
  EscpImage image_;

  // Page layout, in units.
  std::int32_t pageLength_ = 0;
  std::int32_t topMargin_ = 0;
  std::int32_t bottomLimit_ = 0;  // a line feed past it breaks the page
  std::int32_t leftMargin_ = 0;
  std::int32_t rightMargin_ = 0;
  std::int32_t lineSpacing_ = 0;
  std::optional<std::int32_t> definedUnit_;  // ESC ( U
  std::vector<std::int32_t> tabs_;           // horizontal stops
  std::vector<std::int32_t> verticalTabs_;
  bool pageUsed_ = false;     // something was drawn on the current sheet
  bool pageWaiting_ = false;  // the sheet was ejected: what is drawn next starts a new one

  // The head and the style.
  std::int32_t x_ = 0, y_ = 0;
  std::int32_t lastAdvance_ = 0;
  int pitch_ = 10;
  std::optional<std::int32_t> hmi_;  // ESC c
  std::int32_t extraSpace_ = 0;      // ESC SP
  bool bold_ = false, doubleStrike_ = false, italic_ = false, underline_ = false;
  bool condensed_ = false, doubleWidth_ = false, lineDoubleWidth_ = false;
  bool doubleHeight_ = false, proportional_ = false;
  int script_ = 0;  // 1 super, 2 sub
  // The four character tables ESC t selects; an empty one holds the italic characters.
  std::array<std::optional<CodeTable>, 4> tables_;
  std::size_t table_ = 1;
  std::optional<bool> upperControls_;  // ESC 6 / ESC 7; unset: as the table has it
  int msb_ = -1;                       // -1: as sent
  int country_ = 0;
  std::array<std::uint8_t, 4> imageModes_{0, 1, 2, 3};  // ESC K L Y Z

  std::vector<EscpTextRun> line_;
  std::int32_t runEnd_ = 0;  // where the line's last run ends
};

}  // namespace korv
