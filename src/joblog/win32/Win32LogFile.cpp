#include "joblog/win32/Win32LogFile.h"

// clang-format off
#include "win32/Win32Api.h"
#include <shellapi.h>
// clang-format on

#include "win32/UniqueHandle.h"

namespace korv::win32 {

bool Win32LogFile::Append(const std::string& text) {
  // Opened for each batch, shared: an editor may read it, and it can be rotated between.
  UniqueFileHandle file(CreateFileA(Path().c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

std::int64_t Win32LogFile::Size() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(Path().c_str(), GetFileExInfoStandard, &data))
    return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : -1;
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                   data.nFileSizeLow);
}

bool Win32LogFile::Rotate() {
  const std::string path = Path();
  const std::string previous = path + ".1";
  return MoveFileExA(path.c_str(), previous.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void OpenJobLog(const std::string& path) {
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened > 32) return;
  const std::string quoted = "\"" + path + "\"";
  ShellExecuteA(nullptr, "open", "notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace korv::win32
