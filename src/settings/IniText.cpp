#include "settings/IniText.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace korv {

namespace {

struct Line {
  std::size_t begin;  // first character
  std::size_t end;    // one past the last character before the line end
  std::size_t next;   // first character of the next line
};

struct Place {
  bool sectionFound = false;
  std::size_t lastLine = 0;  // the section's header or its last non-blank line
  std::optional<std::size_t> keyLine;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) begin = 3;  // a UTF-8 mark opens the first line
  while (begin < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) {
      lines.push_back({begin, text.size(), text.size()});
      break;
    }
    const bool crlf = text.compare(end, 2, "\r\n") == 0;
    lines.push_back({begin, end, end + (crlf ? 2 : 1)});
    begin = lines.back().next;
  }
  return lines;
}

std::string_view View(const std::string& text, const Line& line) {
  return std::string_view(text).substr(line.begin, line.end - line.begin);
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == 0 || close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

Place Locate(const std::string& text, const std::vector<Line>& lines, std::string_view section,
             std::string_view key) {
  Place place;
  section = Trim(section);
  key = Trim(key);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = View(text, lines[i]);
    if (auto name = HeaderName(line)) {
      if (place.sectionFound) break;  // later sections of the same name do not count
      if (SameName(*name, section)) {
        place.sectionFound = true;
        place.lastLine = i;
      }
      continue;
    }
    if (!place.sectionFound) continue;
    if (Trim(line).empty()) continue;
    place.lastLine = i;
    // A line without "=" names a key without a value, as the platform reads it.
    if (!place.keyLine && SameName(Trim(line.substr(0, line.find('='))), key)) place.keyLine = i;
  }
  return place;
}

// The file's own line end: that of its first line, CR LF when it has none.
std::string LineEnd(const std::string& text) {
  const std::size_t end = text.find_first_of("\r\n");
  if (end == std::string::npos || text.compare(end, 2, "\r\n") == 0) return "\r\n";
  return text.substr(end, 1);
}

// The value after the line's "=", one pair of surrounding quotes removed.
std::string ValueOf(std::string_view line, std::size_t equals) {
  std::string_view value = Trim(line.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

}  // namespace

std::optional<std::string> IniLookup(const std::string& text, const std::string& section,
                                     const std::string& key) {
  const std::vector<Line> lines = SplitLines(text);
  const Place place = Locate(text, lines, section, key);
  if (!place.keyLine) return std::nullopt;
  const std::string_view line = View(text, lines[*place.keyLine]);
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;  // a key without a value
  return ValueOf(line, equals);
}

std::vector<std::pair<std::string, std::string>> IniSection(const std::string& text,
                                                            const std::string& section) {
  std::vector<std::pair<std::string, std::string>> keys;
  bool inside = false;
  for (const Line& l : SplitLines(text)) {
    const std::string_view line = View(text, l);
    if (auto name = HeaderName(line)) {
      if (inside) break;  // later sections of the same name do not count
      inside = SameName(*name, Trim(section));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inside || equals == std::string_view::npos || Trim(line).front() == ';') continue;
    const std::string_view key = Trim(line.substr(0, equals));
    const bool seen = std::any_of(keys.begin(), keys.end(),
                                  [&](const auto& k) { return SameName(k.first, key); });
    if (!key.empty() && !seen) keys.emplace_back(std::string(key), ValueOf(line, equals));
  }
  return keys;
}

std::string IniUpdate(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& fullValue) {
  // A line break in a value would split its line and forge others.
  const std::string value = fullValue.substr(0, fullValue.find_first_of("\r\n"));
  const std::vector<Line> lines = SplitLines(text);
  const Place place = Locate(text, lines, section, key);
  const std::string eol = LineEnd(text);
  std::string out = text;
  if (place.keyLine) {
    const Line& line = lines[*place.keyLine];
    const std::string_view old = View(text, line);
    std::string_view name = old.substr(0, old.find('='));
    while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
    out.replace(line.begin, line.end - line.begin, std::string(name).append("=").append(value));
    return out;
  }
  std::size_t at = out.size();
  std::string added;
  if (place.sectionFound) {
    at = lines[place.lastLine].next;
  } else {
    added.append("[").append(Trim(section)).append("]").append(eol);
  }
  added.append(Trim(key)).append("=").append(value).append(eol);
  const bool lastLineOpen = !lines.empty() && lines.back().end == lines.back().next;
  if (at == out.size() && lastLineOpen) added.insert(0, eol);
  out.insert(at, added);
  return out;
}

}  // namespace korv
