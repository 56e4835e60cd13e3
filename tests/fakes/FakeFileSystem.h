#pragma once
// An in-memory file system that behaves like Windows where the service cares: names
// match without regard to case, doubled backslashes count as one, listing order is
// creation order. It records what it was asked and can be told to fail.
#include <cstdint>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/FileSystem.h"

namespace korv::fakes {

class FakeFileSystem : public FileSystem {
 public:
  struct Entry {
    std::string name;
    std::string data;
    std::uint32_t attributes = kAttrArchive;
    std::optional<std::uint64_t> listedSize;  // overrides data.size() in listings
    std::uint64_t lastWriteTime = 0;
    bool locked = false;    // OpenJob fails (a writer holds it)
    bool failRead = false;  // reads after the first byte fail
    bool undeletable = false;
    int openCount = 0;  // open JobFiles; deleting an open file fails, as on Windows
  };

  FakeFileSystem();

  // Set-up and inspection; `dir` is a full path.
  void AddDirectory(const std::string& dir);
  Entry& AddFile(const std::string& dir, const std::string& name, const std::string& data,
                 std::uint32_t attributes = kAttrArchive);
  bool Exists(const std::string& dir, const std::string& name) const;
  std::string Contents(const std::string& dir, const std::string& name) const;
  std::vector<std::string> Names(const std::string& dir) const;
  std::string CurrentDirectory() const { return current_; }

  std::string modulePath = "C:\\KORVELAN\\KORVPRINT.EXE";
  std::set<std::string> unenterable;  // SetCurrentDirectory fails for these (normalised keys)
  bool failCreateDirectory = false;
  std::set<std::string> unwritable;  // CreateNewFile is refused in these (normalised keys)
  static constexpr std::uint32_t kErrorAccessDenied = 5;
  std::vector<std::string> log;  // "cd X", "mkdir X", "open X", "delete X", "copy X Y",
                                 // "create X"
  int openJobs = 0;              // JobFiles alive right now
  int openFinds = 0;             // directory searches alive right now
  int finds = 0;                 // directory searches begun

  // FileSystem
  std::string ModulePath() override { return modulePath; }
  bool SetCurrentDirectory(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  std::unique_ptr<FindSession> FindFirst(const std::string& pattern, FindData& first,
                                         std::uint32_t& error) override;
  std::uint32_t ToLocalDosTime(std::uint64_t fileTime) override;
  std::unique_ptr<JobFile> OpenJob(const std::string& name) override;
  bool DeleteFile(const std::string& name) override;
  bool CreateNewFile(const std::string& path, std::uint32_t& error) override;
  bool CopyFile(const std::string& from, const std::string& to) override;

  static std::string Key(const std::string& path);  // normalised, upper-case full path

 private:
  std::string Resolve(const std::string& name) const;  // full path of a name
  Entry* Find(const std::string& fullPath);
  const Entry* Find(const std::string& fullPath) const;

  std::string current_ = "C:\\";
  std::set<std::string> directories_;
  std::map<std::string, std::list<Entry>> entries_;  // by directory key
};

}  // namespace korv::fakes
