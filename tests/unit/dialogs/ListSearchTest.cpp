#include "dialogs/ListSearch.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

class ListSearchTest : public ::testing::Test {
 protected:
  // Types `c` with the given current row, the way the list does.
  int Type(char c) { return current = ValueOr(search.CharToItem(c, current, items), current); }
  static int ValueOr(int row, int current) { return row >= 0 ? row : current; }

  std::vector<std::string> rows{"Epson FX", "Hewlett", "  hp deskjet", "\x01\tHP LaserJet",
                                "Apple",    "",        "   "};
  ListItems items{rows, rows.size()};
  IncrementalSearch search;
  int current = -1;
};

TEST_F(ListSearchTest, PrefixGrowsWhileRowsMatch) {
  EXPECT_EQ(Type('h'), 1);  // from the first row when none is current
  EXPECT_EQ(search.SearchPrefix(), "H");
  EXPECT_EQ(Type('p'), 2);  // leading blanks are skipped, case ignored
  EXPECT_EQ(Type(' '), 2);  // "HP " still matches the current row
  EXPECT_EQ(Type('l'), 3);  // leading control characters are skipped too
  EXPECT_EQ(search.SearchPrefix(), "HP L");
}

TEST_F(ListSearchTest, MismatchRestartsWithTheCharacterAloneAfterTheCurrentRow) {
  Type('h');
  Type('e');
  ASSERT_EQ(current, 1);
  EXPECT_EQ(Type('a'), 4);  // "HEA" matches nothing; "A" does, at "Apple"
  EXPECT_EQ(search.SearchPrefix(), "A");
}

TEST_F(ListSearchTest, RestartSkipsTheCurrentRowSoRepeatedLettersCycle) {
  rows = {"Alpha", "Beta", "alpha 2"};
  ListItems cycle(rows, rows.size());
  int row = search.CharToItem('a', -1, cycle);
  EXPECT_EQ(row, 0);
  row = search.CharToItem('a', row, cycle);  // "AA" fails, "A" from row 1 on
  EXPECT_EQ(row, 2);
  row = search.CharToItem('a', row, cycle);  // wraps round to the first row
  EXPECT_EQ(row, 0);
}

TEST_F(ListSearchTest, SearchWrapsRoundFromTheCurrentRow) {
  current = 3;
  EXPECT_EQ(Type('e'), 0);
}

TEST_F(ListSearchTest, NothingMatchingEmptiesThePrefixAndKeepsTheRow) {
  Type('h');
  EXPECT_EQ(search.CharToItem('z', current, items), -1);
  EXPECT_EQ(search.SearchPrefix(), "");
  EXPECT_EQ(current, 1);
  EXPECT_EQ(search.CharToItem(' ', -1, items), -1);  // no key begins with a blank
  EXPECT_EQ(search.SearchPrefix(), "");
}

TEST_F(ListSearchTest, EmptyListFindsNothing) {
  ListItems none(rows, 0);
  EXPECT_EQ(search.CharToItem('e', -1, none), -1);
}

TEST(RowKey, FromTheFirstPrintableCharacterUpperCasingOnlyAToZ) {
  EXPECT_EQ(RowKey("  hp deskjet", 4), "HP D");
  EXPECT_EQ(RowKey("\x7f\x1b~tilde", 3), "~TI");
  EXPECT_EQ(RowKey("ab", 5), "AB");            // fewer characters where the text ends
  EXPECT_EQ(RowKey("\xe9t\xe9", 3), "T\xe9");  // \xe9 is kept, not upper-cased
  EXPECT_EQ(RowKey(" \xa0\xe9x", 1), "X");     // bytes above 126 are not printable here
  EXPECT_EQ(RowKey("", 1), std::nullopt);
  EXPECT_EQ(RowKey(" \t\r", 1), std::nullopt);
}

TEST(RowKey, SearchSeesOnlyTheFirst255Characters) {
  std::vector<std::string> rows{std::string(255, ' ') + "Late"};
  IncrementalSearch search;
  EXPECT_EQ(search.CharToItem('l', -1, ListItems(rows, 1)), -1);
}

}  // namespace
}  // namespace korv
