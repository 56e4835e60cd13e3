#include "escp/EscpCommands.h"

#include <array>
#include <string_view>

namespace korv {

namespace {

struct ShapeTable {
  std::array<EscpCommandShape, 256> shapes{};

  constexpr void Set(std::string_view letters, EscpShape shape, std::uint8_t count) {
    for (char letter : letters) shapes[static_cast<std::uint8_t>(letter)] = {shape, count};
  }

  constexpr ShapeTable() {
    Set("@EFGH45012MPgOT6789<=>#", EscpShape::Fixed, 0);
    Set("\x0E\x0F", EscpShape::Fixed, 0);  // ESC SO, ESC SI
    Set("!-W3AJNQlRSUakprstwxIhij~/%mq+", EscpShape::Fixed, 1);
    Set(" \x19", EscpShape::Fixed, 1);  // ESC SP, ESC EM
    Set("$\\?cef", EscpShape::Fixed, 2);
    Set("X:", EscpShape::Fixed, 3);
    Set("[", EscpShape::Fixed, 7);
    Set("C", EscpShape::PageLength, 1);
    Set("BD", EscpShape::UntilNul, 0);
    Set("b", EscpShape::OneThenNul, 1);
    Set("(", EscpShape::LengthField, 3);
    Set("*", EscpShape::BitImage, 3);
    Set("KLYZ", EscpShape::ImageColumns, 2);
    Set("^", EscpShape::NinePinImage, 3);
    Set("&", EscpShape::UserCharacters, 3);
    Set(".", EscpShape::RasterImage, 6);
  }
};

constexpr ShapeTable kShapes;

std::string LetterName(std::uint8_t letter) {
  if (letter == ' ') return "SP";
  if (letter == 0x0E) return "SO";
  if (letter == 0x0F) return "SI";
  if (letter == 0x19) return "EM";
  if (letter > ' ' && letter < 0x7F) return std::string(1, static_cast<char>(letter));
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string hex = "0x";
  hex.push_back(kHex[letter >> 4]);
  hex.push_back(kHex[letter & 15]);
  return hex;
}

}  // namespace

EscpCommandShape ShapeOfEscCommand(std::uint8_t letter) {
  return kShapes.shapes[letter];
}

std::string EscpCommandName(std::uint8_t letter, std::uint8_t second) {
  std::string name = "ESC ";
  name.append(LetterName(letter));
  if (letter == '(') {
    name.push_back(' ');
    name.append(LetterName(second));
  }
  return name;
}

}  // namespace korv
