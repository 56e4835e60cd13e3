#include "settings/win32/Win32ProfileStore.h"

#include <vector>

#include "win32/Win32Api.h"

namespace korv {

std::string Win32ProfileStore::Get(const std::string& section, const std::string& key,
                                   const std::string& def, const std::string& file) {
  char buffer[kProfileValueMax + 1] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                           static_cast<DWORD>(sizeof buffer), file.c_str());
  buffer[kProfileValueMax] = '\0';
  return buffer;
}

void Win32ProfileStore::Put(const std::string& section, const std::string& key,
                            const std::string& value, const std::string& file) {
  // A failed write is silent: the file stays as it was.
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

std::vector<std::pair<std::string, std::string>> Win32ProfileStore::Section(
    const std::string& section, const std::string& file) {
  // "key=value" strings, each ending in a NUL, the last with a second NUL. A result of
  // the buffer's size less two means the section was cut: the buffer grows and reads again.
  std::vector<char> buffer(4096);
  DWORD got = 0;
  for (;;) {
    got = GetPrivateProfileSectionA(section.c_str(), buffer.data(),
                                    static_cast<DWORD>(buffer.size()), file.c_str());
    if (got + 2 < buffer.size() || buffer.size() >= (1u << 20)) break;
    buffer.resize(buffer.size() * 4);
  }
  std::vector<std::pair<std::string, std::string>> keys;
  for (std::size_t at = 0; at < got && buffer[at] != '\0';) {
    const std::string entry(buffer.data() + at);
    at += entry.size() + 1;
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos || entry.front() == ';') continue;
    keys.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
  }
  return keys;
}

}  // namespace korv
