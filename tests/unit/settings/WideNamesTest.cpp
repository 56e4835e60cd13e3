// Names between UTF-16 and WTF-8: every name a directory can hold survives both ways.
#include "settings/WideNames.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(WideNames, RoundTripsEveryKindOfName) {
  struct Case {
    const char* what;
    std::u16string wide;
    std::string narrow;
  };
  const Case cases[] = {
      {"ascii", u"JOB1.TXT", "JOB1.TXT"},
      {"cyrillic", u"\u0417\u0410\u041a\u0410\u0417", "\xD0\x97\xD0\x90\xD0\x9A\xD0\x90\xD0\x97"},
      {"emoji (a surrogate pair)", u"A\U0001F5A8", "A\xF0\x9F\x96\xA8"},
      {"lone high surrogate", std::u16string{u'X', char16_t(0xD83D), u'Y'}, "X\xED\xA0\xBDY"},
      {"lone low surrogate at the end", std::u16string{u'X', char16_t(0xDC00)}, "X\xED\xB0\x80"},
      {"a dot and a space at the end", u"JOB. ", "JOB. "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Wtf8FromUtf16(c.wide), c.narrow) << c.what;
    EXPECT_EQ(Utf16FromWtf8(c.narrow), c.wide) << c.what;
  }
}

TEST(WideNames, BytesThatAreNotWtf8BecomeReplacementCharacters) {
  struct Case {
    std::string narrow;
    std::u16string wide;
  };
  const Case cases[] = {
      {"A\xFF"
       "B",
       u"A\uFFFDB"},                                      // never a lead byte
      {"\xC3", u"\uFFFD"},                                // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // over-long
      {"\xE4\x41", u"\uFFFDA"},                           // continuation missing
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16FromWtf8(c.narrow), c.wide);
}

}  // namespace
}  // namespace korv
