#include "history/win32/Win32IndexFile.h"

#include <cstdio>

#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv::win32 {

namespace {

constexpr DWORD kMostIndexBytes = 16 * 1024 * 1024;  // far above any index the limits allow

}  // namespace

std::optional<std::string> Win32IndexFile::Read(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  const DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > kMostIndexBytes) return std::nullopt;
  std::string text(size, '\0');
  DWORD got = 0;
  if (size > 0 && (!ReadFile(file.Get(), text.data(), size, &got, nullptr) || got != size))
    return std::nullopt;
  return text;
}

bool Win32IndexFile::Replace(const std::string& path, const std::string& text) {
  const std::string temp = path + ".new";
  {
    UniqueFileHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const auto size = static_cast<DWORD>(text.size());
    if ((size > 0 &&
         (!WriteFile(file.Get(), text.data(), size, &written, nullptr) || written != size)) ||
        !FlushFileBuffers(file.Get())) {
      file.Reset();
      DeleteFileA(temp.c_str());
      return false;
    }
  }
  if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temp.c_str());
  return false;
}

HistoryTime Win32HistoryClock::Now() {
  FILETIME utc{};
  GetSystemTimeAsFileTime(&utc);
  const ULONGLONG ticks = (ULONGLONG{utc.dwHighDateTime} << 32) | utc.dwLowDateTime;
  constexpr ULONGLONG kUnixEpochTicks = 116444736000000000ULL;  // 1970-01-01 in 100 ns since 1601
  SYSTEMTIME local{};
  GetLocalTime(&local);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", local.wYear, local.wMonth,
                local.wDay, local.wHour, local.wMinute, local.wSecond);
  return {static_cast<std::int64_t>((ticks - kUnixEpochTicks) / 10000000ULL), text};
}

}  // namespace korv::win32
