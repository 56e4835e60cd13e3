#include "dialogs/win32/Win32TextViewer.h"

// clang-format off
#include "win32/Win32Api.h"
#include <shellapi.h>
// clang-format on

#include <algorithm>

#include "settings/win32/WideNames32.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

std::optional<std::string> Win32TextViewer::ReadStart(const std::string& path, std::size_t limit) {
  UniqueFileHandle file(CreateFileW(WideFromWtf8(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes(limit, '\0');
  std::size_t got = 0;
  while (got < limit) {
    DWORD read = 0;
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1 << 16));
    if (!ReadFile(file.Get(), bytes.data() + got, ask, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    got += read;
  }
  bytes.resize(got);
  return bytes;
}

bool Win32TextViewer::OpenText(const std::string& name, const std::string& text) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return false;
  const std::wstring path = std::wstring(folder) + WideFromWtf8(name);
  {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size())
      return false;
  }
  if (reinterpret_cast<INT_PTR>(
          ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return true;
  const std::wstring quoted = L"\"" + path + L"\"";
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", L"notepad.exe", quoted.c_str(),
                                                 nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace korv::win32
