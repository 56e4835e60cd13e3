#pragma once
// The file system on the platform's ANSI file calls, one call per operation.
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
  std::unique_ptr<JobFile> OpenJob(const std::string& name) override;
  bool DeleteFile(const std::string& name) override;
  bool CreateNewFile(const std::string& path, std::uint32_t& error) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
};

}  // namespace korv
