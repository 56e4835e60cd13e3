// Any profile text, and names and a value cut from the input: after setting a key its
// value reads back, another key's value does not change, and setting it again changes
// nothing more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/IniText.h"

namespace {

// The input's parts, separated by zero bytes.
std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back().push_back(static_cast<char>(data[i]));
  }
  parts.resize(5);
  return parts;
}

// A name as the service writes them: letters, digits and a few signs, none at the edges
// that the engine would trim.
std::string Name(const std::string& raw) {
  std::string name;
  for (char c : raw) {
    const bool word = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (word || ((c == ' ' || c == '_' || c == '.') && !name.empty())) name.push_back(c);
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name.empty() ? "Vozazad" : name;
}

// A value the engine reads back unchanged: one line, no blanks at its edges, not quoted.
std::string Value(const std::string& raw) {
  std::string value = raw.substr(0, raw.find_first_of("\r\n"));
  const char* blanks = " \t\r\v\f";
  value.erase(0, value.find_first_not_of(blanks));
  const std::size_t last = value.find_last_not_of(blanks);
  value.erase(last == std::string::npos ? 0 : last + 1);
  // The engine reads a quoted value without its quotes; the service never writes one.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value.push_back('.');
  return value;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korv;
  const std::vector<std::string> parts = Parts(data, size);
  const std::string& text = parts[0];
  const std::string section = Name(parts[1]);
  const std::string key = Name(parts[2]);
  const std::string value = Value(parts[3]);
  const std::string other = Name(parts[4]);

  const auto otherBefore = IniLookup(text, section, other);
  const std::string updated = IniUpdate(text, section, key, value);
  const auto readBack = IniLookup(updated, section, key);
  if (!readBack || *readBack != value) std::abort();
  if (!SameName(other, key) && IniLookup(updated, section, other) != otherBefore) std::abort();
  if (IniUpdate(updated, section, key, value) != updated) std::abort();
  return 0;
}
