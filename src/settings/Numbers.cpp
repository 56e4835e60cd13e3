#include "settings/Numbers.h"

#include <cstdint>

namespace korv {

std::string RemoveSpaces(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out.push_back(c);
  return out;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::int32_t ParseHex(const std::string& digits) {
  if (digits.empty()) return 0;
  std::uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return 0;
    if (value != 0 || d != 0) ++significant;
    if (significant > 8) return 0;
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t ParseDecimal(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return 0;
  std::int64_t value = 0;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > limit) return 0;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::int32_t ParseInteger(const std::string& text) {
  const std::string s = RemoveSpaces(text);
  if (s.empty()) return 0;
  if (s[0] == '$' || s[0] == 'x' || s[0] == 'X') return ParseHex(s.substr(1));
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return ParseHex(s.substr(2));
  return ParseDecimal(s);
}

std::string RepeatChar(char ch, std::size_t count) {
  return std::string(count, ch);
}

}  // namespace korv
