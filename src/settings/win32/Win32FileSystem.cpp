#include "settings/win32/Win32FileSystem.h"

#include <vector>

#include "settings/win32/OpenFileChanges.h"
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

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  FileIdentity identity;
  identity.volume = info.dwVolumeSerialNumber;
  identity.index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  identity.creationTime = Ticks(info.ftCreationTime);
  return identity;
}

bool IdentityOf(HANDLE file, FileIdentity& identity, DWORD& attributes) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return false;
  identity = IdentityOf(info);
  attributes = info.dwFileAttributes;
  return true;
}

class Win32SpoolFile : public SpoolFile {
 public:
  Win32SpoolFile(UniqueFileHandle handle, std::string name, std::wstring path)
      : handle_(std::move(handle)), name_(std::move(name)), path_(std::move(path)) {}
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
  bool Delete() override {
    if (win32::DeleteOnClose(handle_.Get())) return true;
    return MakeWritable() && win32::DeleteOnClose(handle_.Get());
  }
  bool MoveTo(const std::string& path) override {
    return win32::Rename(handle_.Get(), win32::LongPathOf(path));
  }

 private:
  // A read-only file cannot be deleted. Its attribute is cleared through a handle of its
  // own (this one may not write attributes), once that is known to be the same file.
  bool MakeWritable() {
    UniqueFileHandle writer(CreateFileW(path_.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                        nullptr));
    FileIdentity mine, theirs;
    DWORD attributes = 0, ignored = 0;
    if (!writer || !IdentityOf(handle_.Get(), mine, ignored) ||
        !IdentityOf(writer.Get(), theirs, attributes) || !(mine == theirs))
      return false;
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return false;  // not why it would not go
    DWORD cleared = attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
    return win32::SetAttributes(writer.Get(), cleared ? cleared : FILE_ATTRIBUTE_NORMAL);
  }

  UniqueFileHandle handle_;
  std::string name_;
  std::wstring path_;  // as it was opened
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
  // Shared with readers only: a file a writer still holds is refused.
  return OpenSpool(name, GENERIC_READ | DELETE, FILE_SHARE_READ);
}

SpoolFileOpen Win32FileSystem::OpenSpoolFileToMove(const std::string& name) {
  return OpenSpool(name, FILE_READ_ATTRIBUTES | DELETE,
                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
}

SpoolFileOpen Win32FileSystem::OpenSpool(const std::string& name, DWORD access, DWORD share) {
  SpoolFileOpen out;
  const std::wstring dir = win32::LongCurrentDirectory();
  const std::wstring leaf = win32::WideFromWtf8(name);
  const std::wstring path = SpoolPath(name);
  // A link is opened as itself (and refused below), never followed. DELETE access lets
  // the service remove or move the very file it opened.
  UniqueFileHandle handle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr));
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
  out.identity = IdentityOf(info);
  out.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  out.lastWriteTime = Ticks(info.ftLastWriteTime);
  out.file = std::make_unique<Win32SpoolFile>(std::move(handle), name, path);
  return out;
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

bool Win32FileSystem::ReadWholeFile(const std::string& name, std::string& content) {
  UniqueFileHandle file(CreateFileW(win32::LongPathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  content.clear();
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return false;
    if (read == 0) return true;
    content.append(buffer, read);
  }
}

bool Win32FileSystem::ReplaceWholeFile(const std::string& name, const std::string& content) {
  const std::wstring target = win32::LongPathOf(name);
  const std::wstring fresh = target + L".TMP";  // a name the listing never takes
  {
    UniqueFileHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                   nullptr) ||
        written != content.size() || !FlushFileBuffers(file.Get()))
      return false;
  }
  return MoveFileExW(fresh.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

}  // namespace korv
