#include "JsonLine.h"

#include <cstdio>

namespace korv::driver {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (byte < 0x20 || byte >= 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
      out += escaped;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

void JsonLine::Key(const char* key) {
  if (!body_.empty()) body_ += ',';
  body_ += Quoted(key);
  body_ += ':';
}

JsonLine& JsonLine::Text(const char* key, const std::string& value) {
  Key(key);
  body_ += Quoted(value);
  return *this;
}

JsonLine& JsonLine::Number(const char* key, long long value) {
  Key(key);
  body_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::Flag(const char* key, bool value) {
  Key(key);
  body_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::Texts(const char* key, const std::vector<std::string>& values) {
  Key(key);
  body_ += '[';
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) body_ += ',';
    body_ += Quoted(values[i]);
  }
  body_ += ']';
  return *this;
}

JsonLine& JsonLine::Numbers(const char* key, const std::vector<long long>& values) {
  Key(key);
  body_ += '[';
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) body_ += ',';
    body_ += std::to_string(values[i]);
  }
  body_ += ']';
  return *this;
}

void JsonLine::Print() const {
  std::fputc('{', stdout);
  std::fputs(body_.c_str(), stdout);
  std::fputs("}\n", stdout);
  std::fflush(stdout);
}

}  // namespace korv::driver
