#pragma once
// The file system on the platform's file calls: ANSI for the program's own paths, wide
// calls on long-path names for the spool files.
#include <map>
#include <mutex>
#include <string>

#include "settings/FileSystem.h"
#include "win32/Win32Api.h"

namespace korv {

class Win32FileSystem : public FileSystem {
 public:
  std::string ModulePath() override;
  bool SetCurrentDirectory(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  std::unique_ptr<FindSession> FindFirst(const std::string& pattern, FindData& first,
                                         std::uint32_t& error) override;
  std::uint32_t ToLocalDosTime(std::uint64_t fileTime) override;
  bool DeleteFile(const std::string& name) override;
  bool CreateNewFile(const std::string& path, std::uint32_t& error) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  SpoolFileOpen OpenSpoolFile(const std::string& name) override;
  SpoolFileOpen OpenSpoolFileToMove(const std::string& name) override;
  bool ReadWholeFile(const std::string& name, std::string& content) override;
  bool ReplaceWholeFile(const std::string& name, const std::string& content) override;

  // A listed entry: its short name is kept for a name only that one opens.
  void NoteListed(const wchar_t* name, const wchar_t* shortName);

 private:
  // The long-path form of a spool name, by its short name where Windows forbids the long one.
  std::wstring SpoolPath(const std::string& name);
  SpoolFileOpen OpenSpool(const std::string& name, DWORD access, DWORD share);

  std::mutex shortNamesMutex_;
  std::map<std::wstring, std::wstring> shortNames_;  // forbidden long name -> short name
};

}  // namespace korv
