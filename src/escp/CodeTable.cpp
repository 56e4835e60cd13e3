#include "escp/CodeTable.h"

#include <cctype>
#include <cstddef>
#include <string>

#include "escp/OwnCodeTables.h"

namespace korv {

namespace {

std::string TrimmedUpper(std::string_view value) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!value.empty() && blank(value.front())) value.remove_prefix(1);
  while (!value.empty() && blank(value.back())) value.remove_suffix(1);
  std::string upper(value);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

std::optional<CodePageId> CodePageFromProfile(std::string_view value) {
  const std::string name = TrimmedUpper(value);
  if (name == "437") return CodePageId::Cp437;
  if (name == "850") return CodePageId::Cp850;
  if (name == "852") return CodePageId::Cp852;
  if (name == "866") return CodePageId::Cp866;
  if (name == "KAMENICKY") return CodePageId::Kamenicky;
  if (name == "MAZOVIA") return CodePageId::Mazovia;
  return std::nullopt;
}

std::optional<CodePageId> CodePageOfEscpTable(std::uint8_t first, std::uint8_t second) {
  if (second != 0) return std::nullopt;
  switch (first) {
    case 1:
      return CodePageId::Cp437;
    case 3:
      return CodePageId::Cp850;
    case 10:
      return CodePageId::Cp852;
    case 14:
      return CodePageId::Cp866;
    default:
      return std::nullopt;
  }
}

unsigned IbmCodePageNumber(CodePageId id) {
  switch (id) {
    case CodePageId::Cp437:
      return 437;
    case CodePageId::Cp850:
      return 850;
    case CodePageId::Cp852:
      return 852;
    case CodePageId::Cp866:
      return 866;
    default:
      return 0;
  }
}

CodeTable MakeCodeTable(CodePageId id, CodePageConverter& system) {
  CodeTable table{};
  const unsigned ibm = IbmCodePageNumber(id);
  if (ibm == 0) {
    table = OwnCodeTable(id);
  } else if (!system.ToUnicode(ibm, table) && (ibm == 437 || !system.ToUnicode(437, table))) {
    table = OwnCodeTable(CodePageId::Cp437);
  }
  // The system may give control pictures or its own symbols below 0x80: the host's
  // bytes there are ASCII.
  for (std::size_t i = 0; i < 0x80; ++i) table[i] = static_cast<char16_t>(i);
  return table;
}

}  // namespace korv
