#include "settings/win32/Win32ProfileStore.h"

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

}  // namespace korv
