#include "settings/win32/Win32FileSystem.h"

#include <vector>

#include "settings/win32/SpoolContainment.h"
#include "settings/win32/WideNames32.h"
#include "win32/UniqueHandle.h"

namespace korv {

namespace {

std::uint64_t Ticks(const FILETIME& time) {
  return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

FindData ToFindData(const WIN32_FIND_DATAW& data) {
  FindData out;
  out.attributes = data.dwFileAttributes;
  out.lastWriteTime = Ticks(data.ftLastWriteTime);
  out.sizeHigh = data.nFileSizeHigh;
  out.sizeLow = data.nFileSizeLow;
  out.name = win32::Wtf8FromWide(data.cFileName);  // up to its NUL
  return out;
}

SpoolOpenError OpenErrorOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return SpoolOpenError::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return SpoolOpenError::InUse;
    case ERROR_ACCESS_DENIED:
      return SpoolOpenError::Denied;
    default:
      return SpoolOpenError::Other;
  }
}

class Win32FindSession : public FindSession {
 public:
  Win32FindSession(UniqueFindHandle handle, Win32FileSystem& files)
      : handle_(std::move(handle)), files_(files) {}
  bool Next(FindData& out, std::uint32_t& error) override {
    WIN32_FIND_DATAW data{};
    if (!FindNextFileW(handle_.Get(), &data)) {
      error = GetLastError();
      return false;
    }
    files_.NoteListed(data.cFileName, data.cAlternateFileName);
    out = ToFindData(data);
    return true;
  }

 private:
  UniqueFindHandle handle_;
  Win32FileSystem& files_;
};

class Win32JobFile : public JobFile {
 public:
  Win32JobFile(UniqueFileHandle handle, std::string name)
      : handle_(std::move(handle)), name_(std::move(name)) {}
  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    DWORD read = 0;
    if (!ReadFile(handle_.Get(), buffer, wanted, &read, nullptr)) return false;
    got = read;
    return true;
  }
  bool Rewind() override {
    return SetFilePointer(handle_.Get(), 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
  }
  std::string Name() const override { return name_; }

 private:
  UniqueFileHandle handle_;
  std::string name_;
};

}  // namespace

std::string Win32FileSystem::ModulePath() {
  // The buffer grows until the whole path fits (a full buffer may mean it was cut).
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return "";
    if (length < size) return std::string(buffer.data(), length);
  }
  return "";
}

bool Win32FileSystem::SetCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

bool Win32FileSystem::CreateDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

std::unique_ptr<FindSession> Win32FileSystem::FindFirst(const std::string& pattern, FindData& first,
                                                        std::uint32_t& error) {
  WIN32_FIND_DATAW data{};
  UniqueFindHandle handle(FindFirstFileW(win32::LongPathOf(pattern).c_str(), &data));
  if (!handle) {
    error = GetLastError();
    return nullptr;
  }
  NoteListed(data.cFileName, data.cAlternateFileName);
  first = ToFindData(data);
  return std::make_unique<Win32FindSession>(std::move(handle), *this);
}

std::uint32_t Win32FileSystem::ToLocalDosTime(std::uint64_t fileTime) {
  FILETIME utc;
  utc.dwLowDateTime = static_cast<DWORD>(fileTime & 0xFFFFFFFFu);
  utc.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time))
    return 0;  // a time the DOS format cannot hold; no caller reads it
  return (std::uint32_t{date} << 16) | time;
}

void Win32FileSystem::NoteListed(const wchar_t* name, const wchar_t* shortName) {
  const std::wstring longName(name);
  if (!shortName[0] || !win32::HasForbiddenCharacters(longName)) return;
  std::lock_guard<std::mutex> lock(shortNamesMutex_);
  if (shortNames_.size() > 1000) shortNames_.clear();  // only the latest listings matter
  shortNames_[longName] = shortName;
}

std::wstring Win32FileSystem::SpoolPath(const std::string& name) {
  if (name.find_first_of("\\/") == std::string::npos) {
    const std::wstring leaf = win32::WideFromWtf8(name);
    if (win32::HasForbiddenCharacters(leaf)) {
      std::lock_guard<std::mutex> lock(shortNamesMutex_);
      auto it = shortNames_.find(leaf);
      if (it != shortNames_.end()) return win32::LongCurrentDirectory() + L"\\" + it->second;
    }
  }
  return win32::LongPathOf(name);
}

bool Win32FileSystem::DeleteFile(const std::string& name) {
  return DeleteFileW(SpoolPath(name).c_str()) != FALSE;
}

SpoolFileOpen Win32FileSystem::OpenSpoolFile(const std::string& name) {
  SpoolFileOpen out;
  const std::wstring dir = win32::LongCurrentDirectory();
  const std::wstring leaf = win32::WideFromWtf8(name);
  // A link is opened as itself (and refused below), never followed.
  UniqueFileHandle handle(
      CreateFileW(SpoolPath(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!handle) {
    const DWORD code = GetLastError();
    out.error = OpenErrorOf(code);
    out.reason = win32::ErrorText(code);
    return out;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle.Get(), &info)) {
    const DWORD code = GetLastError();
    out.error = SpoolOpenError::Other;
    out.reason = win32::ErrorText(code);
    return out;
  }
  out.reason = win32::NotContainedReason(handle.Get(), info, dir, leaf);
  if (!out.reason.empty()) {
    out.error = SpoolOpenError::NotInSpool;
    return out;
  }
  out.identity.volume = info.dwVolumeSerialNumber;
  out.identity.index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  out.identity.creationTime = Ticks(info.ftCreationTime);
  out.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  out.lastWriteTime = Ticks(info.ftLastWriteTime);
  out.file = std::make_unique<Win32JobFile>(std::move(handle), name);
  return out;
}

bool Win32FileSystem::ClearReadOnly(const std::string& name) {
  const std::wstring path = SpoolPath(name);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) return true;
  DWORD cleared = attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
  if (cleared == 0) cleared = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesW(path.c_str(), cleared) != FALSE;
}

bool Win32FileSystem::MoveFile(const std::string& from, const std::string& to) {
  return MoveFileExW(SpoolPath(from).c_str(), win32::LongPathOf(to).c_str(), 0) != FALSE;
}

bool Win32FileSystem::CreateNewFile(const std::string& path, std::uint32_t& error) {
  UniqueFileHandle handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    error = GetLastError();
    return false;
  }
  return true;
}

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

}  // namespace korv
