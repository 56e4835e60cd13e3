#pragma once
// The host's character tables: which Unicode character each byte stands for. The IBM
// tables come from the system's own conversion; Kamenicky and Mazovia, which the system
// does not carry, are tables of our own.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korv {

enum class CodePageId { Cp437, Cp850, Cp852, Cp866, Kamenicky, Mazovia };

// The table a profile value names: "437", "850", "852", "866", "KAMENICKY" or "MAZOVIA",
// in any case, blanks around it ignored. Anything else names none.
std::optional<CodePageId> CodePageFromProfile(std::string_view value);

// The table a printer's character-table assignment (ESC ( t) names by its two bytes:
// 1 0 PC437, 3 0 PC850, 10 0 PC852, 14 0 PC866; none for any other.
std::optional<CodePageId> CodePageOfEscpTable(std::uint8_t first, std::uint8_t second);

// byte -> Unicode; 0x00-0x7F are ASCII in every table.
using CodeTable = std::array<char16_t, 256>;

class CodePageConverter {
 public:
  virtual ~CodePageConverter() = default;
  // The system's conversion of the IBM code page `ibm` (437, 850, 852, 866); false when
  // not installed.
  virtual bool ToUnicode(unsigned ibm, CodeTable& out) = 0;
};

// The table for `id`. An IBM table the system lacks is replaced by code page 437 (the
// system's, else our own copy), so the box pieces and the common letters still print;
// Kamenicky and Mazovia never ask the system. Whatever the source, 0x00-0x7F are ASCII.
CodeTable MakeCodeTable(CodePageId id, CodePageConverter& system);

// The IBM number of an IBM table; 0 for Kamenicky and Mazovia.
unsigned IbmCodePageNumber(CodePageId id);

}  // namespace korv
