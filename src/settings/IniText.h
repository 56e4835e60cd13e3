#pragma once
// The text of a profile file: look a value up, or set one, touching no other line.
// Section and key names match without regard to ASCII case; blanks around names and
// values are not part of them. Only the first section of a name and the first key of
// a name in it count.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korv {

// The value of `key` in `section`, one pair of surrounding quotes removed; nullopt when
// the section or the key is missing, or the key's line has no "=" at all.
std::optional<std::string> IniLookup(const std::string& text, const std::string& section,
                                     const std::string& key);

// The keys of `section` with their values, in the file's order; a key that comes again
// counts once, where it first stands. Lines without "=" and comments (";") are skipped.
std::vector<std::pair<std::string, std::string>> IniSection(const std::string& text,
                                                            const std::string& section);

// `text` with `key` in `section` set to `value`: the key's line is replaced in place,
// or a line is added at the end of the section, or the section is added at the end.
// CR LF, LF and a lone CR all end a line; new lines take the file's own line end (CR LF
// for a file that has none). A value ends at its first line break.
std::string IniUpdate(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& value);

}  // namespace korv
