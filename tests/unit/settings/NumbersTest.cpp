#include "settings/Numbers.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(ParseInteger, DecimalForms) {
  EXPECT_EQ(ParseInteger("12"), 12);
  EXPECT_EQ(ParseInteger("1 2"), 12);
  EXPECT_EQ(ParseInteger(" 1 4 "), 14);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("-7"), -7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, MalformedGivesZero) {
  EXPECT_EQ(ParseInteger(""), 0);
  EXPECT_EQ(ParseInteger("   "), 0);
  EXPECT_EQ(ParseInteger("1\t2"), 0);
  EXPECT_EQ(ParseInteger("12a"), 0);
  EXPECT_EQ(ParseInteger("-"), 0);
  EXPECT_EQ(ParseInteger("+"), 0);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger("2147483648"), 0);
  EXPECT_EQ(ParseInteger("-2147483649"), 0);
  EXPECT_EQ(ParseInteger("99999999999999999999999"), 0);
}

TEST(ParseInteger, HexadecimalForms) {
  EXPECT_EQ(ParseInteger("$1F"), 31);
  EXPECT_EQ(ParseInteger("x1F"), 31);
  EXPECT_EQ(ParseInteger("X1f"), 31);
  EXPECT_EQ(ParseInteger("0x1F"), 31);
  EXPECT_EQ(ParseInteger("0X1f"), 31);
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("$80000000"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger("$000000001"), 1);  // leading zeros are not significant
  EXPECT_EQ(ParseInteger("$100000000"), 0);  // nine significant digits
  EXPECT_EQ(ParseInteger("-$1F"), 0);
  EXPECT_EQ(ParseInteger("$"), 0);
  EXPECT_EQ(ParseInteger("0x"), 0);
  EXPECT_EQ(ParseInteger("$1G"), 0);
}

TEST(RepeatChar, Counts) {
  EXPECT_EQ(RepeatChar('M', 40), std::string(40, 'M'));
  EXPECT_EQ(RepeatChar('M', 0), "");
}

}  // namespace
}  // namespace korv
