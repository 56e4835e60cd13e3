#include "settings/WideNames.h"

namespace korv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out.push_back(static_cast<char16_t>(code));
  } else {
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  }
}

// One sequence starting at `at`: its code point and length, or 0 length when malformed.
// Encoded surrogates are accepted (that is what WTF-8 adds); a surrogate pair encoded
// as two sequences is not produced by the encoder and is kept as two units.
std::size_t DecodeOne(std::string_view in, std::size_t at, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (at + length > in.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  if (code < min || code > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string Wtf8FromUtf16(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t unit = wide[i];
    if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      unit = 0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, unit);  // a lone surrogate is encoded as itself
  }
  return out;
}

std::u16string Utf16FromWtf8(std::string_view narrow) {
  std::u16string out;
  out.reserve(narrow.size());
  for (std::size_t i = 0; i < narrow.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeOne(narrow, i, code);
    if (length == 0) {
      out.push_back(static_cast<char16_t>(kReplacement));
      ++i;
      continue;
    }
    AppendUtf16(out, code);
    i += length;
  }
  return out;
}

}  // namespace korv
