// hold: keeps a file open as another program would, so the tests can check that the
// service leaves files alone while a writer holds them.
//   hold write FILE SECONDS SOURCE  creates FILE (shared with readers and writers), writes
//                                   the first half of SOURCE, waits, writes the rest, closes
//   hold read FILE SECONDS          opens FILE for reading, shared with readers only, waits
// FILE and SOURCE are UTF-8. A {"held": ...} line is printed once the file is open.
#include <string>
#include <vector>

#include "Commands.h"
#include "JsonLine.h"
#include "win32/Win32Api.h"

namespace korv::driver {

namespace {

std::wstring Wide(const std::string& utf8) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0)
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), length);
  return out;
}

bool ReadAll(const std::wstring& path, std::vector<char>& out) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
    out.insert(out.end(), buffer, buffer + got);
  CloseHandle(file);
  return ok;
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
  DWORD written = 0;
  return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

}  // namespace

int HoldFile(const Args& args) {
  if (args.size() < 3) return Fail(2, "usage: hold write|read FILE SECONDS [SOURCE]");
  const bool write = args[0] == "write";
  if (!write && args[0] != "read") return Fail(2, "hold: write or read");
  if (write && args.size() < 4) return Fail(2, "hold write needs a SOURCE");
  const DWORD millis = static_cast<DWORD>(std::stoul(args[2]) * 1000);
  std::vector<char> source;
  if (write && !ReadAll(Wide(args[3]), source)) return Fail(1, "cannot read " + args[3]);
  HANDLE file =
      write ? CreateFileW(Wide(args[1]).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
            : CreateFileW(Wide(args[1]).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(1, "cannot open " + args[1]);
  const std::size_t half = source.size() / 2;
  bool ok = !write || WriteAll(file, source.data(), half);
  JsonLine().Text("held", args[0]).Number("bytes", static_cast<long long>(half)).Print();
  Sleep(millis);
  if (write) ok = WriteAll(file, source.data() + half, source.size() - half) && ok;
  CloseHandle(file);
  JsonLine().Text("released", args[0]).Flag("ok", ok).Print();
  return ok ? 0 : 1;
}

}  // namespace korv::driver
