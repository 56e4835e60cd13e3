#include "settings/win32/SpoolContainment.h"

#include <cstring>
#include <vector>

#include "win32/UniqueHandle.h"

namespace korv::win32 {

namespace {

using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Not on every system the service runs on: looked up once.
FinalPathFn FinalPathFunction() {
  static const FinalPathFn fn = [] {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    FARPROC proc = kernel ? GetProcAddress(kernel, "GetFinalPathNameByHandleW") : nullptr;
    FinalPathFn typed = nullptr;
    static_assert(sizeof typed == sizeof proc);
    std::memcpy(&typed, &proc, sizeof typed);
    return typed;
  }();
  return fn;
}

bool FinalPath(FinalPathFn fn, HANDLE handle, std::wstring& out) {
  std::vector<wchar_t> buffer(512);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = fn(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length == 0) return false;
    if (length < buffer.size()) {
      out.assign(buffer.data(), length);
      return true;
    }
    buffer.resize(length + 1);
  }
  return false;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a == b) return true;
  return a.size() == b.size() &&
         CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Final paths may drop a name's trailing dots and spaces (Wine does).
std::wstring WithoutTrailingDots(std::wstring name) {
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  return name;
}

UniqueFileHandle OpenDirectory(const std::wstring& longDir) {
  return UniqueFileHandle(CreateFileW(longDir.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

std::string NotContainedReason(HANDLE file, const BY_HANDLE_FILE_INFORMATION& info,
                               const std::wstring& longDir, const std::wstring& leaf) {
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return "it is a link";
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return "it is a folder";
  if (info.nNumberOfLinks > 1) return "it has other names (a hard link)";
  UniqueFileHandle dir = OpenDirectory(longDir);
  if (!dir) return "the spool folder cannot be opened";
  if (FinalPathFn fn = FinalPathFunction()) {
    std::wstring filePath;
    std::wstring dirPath;
    if (FinalPath(fn, file, filePath) && FinalPath(fn, dir.Get(), dirPath)) {
      const std::size_t slash = filePath.rfind(L'\\');
      if (slash == std::wstring::npos || !SameText(filePath.substr(0, slash), dirPath) ||
          !SameText(WithoutTrailingDots(filePath.substr(slash + 1)), WithoutTrailingDots(leaf)))
        return "it is a link to a file outside WINPRINT";
      return {};
    }
  }
  // Without final paths: the file must at least live on the directory's volume.
  BY_HANDLE_FILE_INFORMATION dirInfo{};
  if (!GetFileInformationByHandle(dir.Get(), &dirInfo)) return "the spool folder cannot be read";
  if (dirInfo.dwVolumeSerialNumber != info.dwVolumeSerialNumber)
    return "it is a link to a file outside WINPRINT";
  return {};
}

}  // namespace korv::win32
