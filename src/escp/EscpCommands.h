#pragma once
// The shape of every ESC command of the Epson language: how many parameter bytes follow
// its letter, and what more they announce. An interpreter that knows the shape of a
// command it does not carry out can still step over it whole.
#include <cstdint>
#include <string>

namespace korv {

enum class EscpShape : std::uint8_t {
  Unknown,         // not a command: only the letter is consumed
  Fixed,           // `count` parameter bytes
  PageLength,      // C: one byte, and one more when it is 0
  UntilNul,        // B, D: bytes up to a NUL
  OneThenNul,      // b: a channel, then bytes up to a NUL
  LengthField,     // (: a second letter, a two-byte length, then that many bytes
  BitImage,        // *: a mode and a column count, then the columns
  ImageColumns,    // K L Y Z: a column count, then one byte a column
  NinePinImage,    // ^: a mode and a column count, then two bytes a column
  UserCharacters,  // &: 0, first, last, then each character's own layout
  RasterImage,     // .: mode, spacing, band height and width, then the (packed) rows
};

struct EscpCommandShape {
  EscpShape shape = EscpShape::Unknown;
  std::uint8_t count = 0;  // the fixed parameter bytes (before any data they announce)
};

EscpCommandShape ShapeOfEscCommand(std::uint8_t letter);

// "ESC k", "ESC SP", "ESC ( G", "ESC 0x7F": how the job log names a command.
std::string EscpCommandName(std::uint8_t letter, std::uint8_t second = 0);

}  // namespace korv
