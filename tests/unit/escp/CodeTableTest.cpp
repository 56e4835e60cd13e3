#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "escp/BoxPieces.h"
#include "escp/CodeTable.h"
#include "escp/OwnCodeTables.h"
#include "fakes/IconvCodePages.h"

namespace korv {
namespace {

TEST(CodePageFromProfile, ReadsTheSixNamesInAnyCase) {
  const struct {
    const char* value;
    std::optional<CodePageId> id;
  } rows[] = {
      {"437", CodePageId::Cp437},
      {"850", CodePageId::Cp850},
      {" 852 ", CodePageId::Cp852},
      {"866", CodePageId::Cp866},
      {"Kamenicky", CodePageId::Kamenicky},
      {"MAZOVIA", CodePageId::Mazovia},
      {"", std::nullopt},
      {"1250", std::nullopt},
      {"8520", std::nullopt},
      {"KAMENICK", std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(CodePageFromProfile(row.value), row.id) << row.value;
}

TEST(CodePageOfEscpTable, KnowsThePrintersNumbersOfTheIbmTables) {
  EXPECT_EQ(CodePageOfEscpTable(1, 0), CodePageId::Cp437);
  EXPECT_EQ(CodePageOfEscpTable(3, 0), CodePageId::Cp850);
  EXPECT_EQ(CodePageOfEscpTable(10, 0), CodePageId::Cp852);
  EXPECT_EQ(CodePageOfEscpTable(14, 0), CodePageId::Cp866);
  EXPECT_EQ(CodePageOfEscpTable(1, 16), std::nullopt);  // 437 Greek
  EXPECT_EQ(CodePageOfEscpTable(0, 0), std::nullopt);   // italics
}

TEST(MakeCodeTable, MapsTheLettersAndPiecesOfEachTable) {
  const struct {
    CodePageId id;
    unsigned byte;
    char16_t ch;
  } rows[] = {
      {CodePageId::Cp437, 0x41, u'A'},          {CodePageId::Cp437, 0x81, u'\u00FC'},
      {CodePageId::Cp437, 0xC9, u'\u2554'},     {CodePageId::Cp437, 0xB5, u'\u2561'},
      {CodePageId::Cp437, 0xDB, u'\u2588'},     {CodePageId::Cp437, 0xE1, u'\u00DF'},
      {CodePageId::Cp852, 0xB5, u'\u00C1'},     {CodePageId::Cp852, 0xAC, u'\u010C'},
      {CodePageId::Cp852, 0xD8, u'\u011B'},     {CodePageId::Cp852, 0xE6, u'\u0160'},
      {CodePageId::Cp852, 0xFD, u'\u0159'},     {CodePageId::Cp852, 0x85, u'\u016F'},
      {CodePageId::Cp852, 0xDE, u'\u016E'},     {CodePageId::Cp852, 0xC9, u'\u2554'},
      {CodePageId::Cp852, 0xC4, u'\u2500'},     {CodePageId::Cp850, 0xD5, u'\u0131'},
      {CodePageId::Cp866, 0x80, u'\u0410'},     {CodePageId::Cp866, 0xE0, u'\u0440'},
      {CodePageId::Kamenicky, 0x80, u'\u010C'}, {CodePageId::Kamenicky, 0x9B, u'\u0160'},
      {CodePageId::Kamenicky, 0xA6, u'\u016E'}, {CodePageId::Kamenicky, 0xAD, u'\u00A7'},
      {CodePageId::Kamenicky, 0xC9, u'\u2554'}, {CodePageId::Mazovia, 0x86, u'\u0105'},
      {CodePageId::Mazovia, 0x92, u'\u0142'},   {CodePageId::Mazovia, 0x9C, u'\u0141'},
      {CodePageId::Mazovia, 0xA1, u'\u017B'},   {CodePageId::Mazovia, 0xCD, u'\u2550'},
  };
  fakes::IconvCodePages system;
  for (const auto& row : rows) {
    const CodeTable table = MakeCodeTable(row.id, system);
    EXPECT_EQ(static_cast<unsigned>(table[row.byte]), static_cast<unsigned>(row.ch))
        << "table " << static_cast<int>(row.id) << " byte " << row.byte;
  }
}

// The bytes that are box pieces: all of 437's graphics, 852 keeps only some of them.
TEST(MakeCodeTable, BoxPiecesOnlyWhereTheTableHasThem) {
  const struct {
    CodePageId id;
    int pieces;
  } rows[] = {{CodePageId::Cp437, 48},
              {CodePageId::Cp852, 28},
              {CodePageId::Cp866, 48},
              {CodePageId::Kamenicky, 48},
              {CodePageId::Mazovia, 48}};
  fakes::IconvCodePages system;
  for (const auto& row : rows) {
    const CodeTable table = MakeCodeTable(row.id, system);
    int pieces = 0;
    for (char16_t ch : table) pieces += BoxPieceOf(ch) ? 1 : 0;
    EXPECT_EQ(pieces, row.pieces) << static_cast<int>(row.id);
  }
}

TEST(MakeCodeTable, OwnCopyOf437AgreesWithTheSystem) {
  fakes::IconvCodePages system;
  CodeTable fromSystem{};
  ASSERT_TRUE(system.ToUnicode(437, fromSystem));
  const CodeTable own = OwnCodeTable(CodePageId::Cp437);
  for (std::size_t byte = 0x20; byte < 256; ++byte)
    EXPECT_EQ(static_cast<unsigned>(own[byte]), static_cast<unsigned>(fromSystem[byte])) << byte;
}

TEST(MakeCodeTable, FallsBackTo437WhenTheSystemLacksATable) {
  fakes::IconvCodePages system;
  const CodeTable cp437 = MakeCodeTable(CodePageId::Cp437, system);
  system.missing = {852};
  EXPECT_EQ(MakeCodeTable(CodePageId::Cp852, system), cp437);
  system.missing = {852, 437};
  EXPECT_EQ(MakeCodeTable(CodePageId::Cp852, system), OwnCodeTable(CodePageId::Cp437));

  system.asked.clear();
  const CodeTable kamenicky = MakeCodeTable(CodePageId::Kamenicky, system);
  EXPECT_TRUE(system.asked.empty());
  for (std::size_t byte = 0; byte < 0x80; ++byte)
    EXPECT_EQ(kamenicky[byte], static_cast<char16_t>(byte));
}

}  // namespace
}  // namespace korv
