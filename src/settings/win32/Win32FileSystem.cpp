#include "settings/win32/Win32FileSystem.h"

#include <vector>

#include "win32/UniqueHandle.h"

namespace korv {

namespace {

FindData ToFindData(const WIN32_FIND_DATAA& data) {
  FindData out;
  out.attributes = data.dwFileAttributes;
  out.lastWriteTime = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
  out.sizeHigh = data.nFileSizeHigh;
  out.sizeLow = data.nFileSizeLow;
  out.name = data.cFileName;  // up to its NUL
  return out;
}

class Win32FindSession : public FindSession {
 public:
  explicit Win32FindSession(UniqueFindHandle handle) : handle_(std::move(handle)) {}
  bool Next(FindData& out, std::uint32_t& error) override {
    WIN32_FIND_DATAA data{};
    if (!FindNextFileA(handle_.Get(), &data)) {
      error = GetLastError();
      return false;
    }
    out = ToFindData(data);
    return true;
  }

 private:
  UniqueFindHandle handle_;
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
  WIN32_FIND_DATAA data{};
  UniqueFindHandle handle(FindFirstFileA(pattern.c_str(), &data));
  if (!handle) {
    error = GetLastError();
    return nullptr;
  }
  first = ToFindData(data);
  return std::make_unique<Win32FindSession>(std::move(handle));
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

std::unique_ptr<JobFile> Win32FileSystem::OpenJob(const std::string& name) {
  UniqueFileHandle handle(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return nullptr;
  return std::make_unique<Win32JobFile>(std::move(handle), name);
}

bool Win32FileSystem::DeleteFile(const std::string& name) {
  return DeleteFileA(name.c_str()) != FALSE;
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
