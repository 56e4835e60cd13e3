#pragma once
// An in-memory file system that behaves like Windows where the service cares: names
// match without regard to case, doubled backslashes count as one, listing order is
// creation order. It records what it was asked and can be told to fail.
#include <cstdint>
#include <functional>
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
    bool immovable = false;
    bool outside = false;     // a link Wine lists as a file: OpenSpoolFile refuses it
    std::uint64_t index = 0;  // identity, unique per added file
    int openCount = 0;        // open files; deleting or moving one by name fails, as on Windows
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
  // Renames a file whatever holds it open (as another program sharing deletion could).
  void Rename(const std::string& dir, const std::string& from, const std::string& to);

  std::string modulePath = "C:\\KORVELAN\\KORVPRINT.EXE";
  std::set<std::string> unenterable;  // SetCurrentDirectory fails for these (normalised keys)
  bool failCreateDirectory = false;
  std::set<std::string> unwritable;  // CreateNewFile is refused in these (normalised keys)
  static constexpr std::uint32_t kErrorAccessDenied = 5;
  // "cd X", "mkdir X", "open X", "open to move X", "read X" (a spool file's first read),
  // "delete X", "copy X Y", "create X", "replace X"; through an open spool file (named as
  // the file is now named): "delete opened X", "attrib opened X", "move opened X Y"
  std::vector<std::string> log;
  int openJobs = 0;   // JobFiles alive right now
  int openFinds = 0;  // directory searches alive right now
  int finds = 0;      // directory searches begun
  // Runs as a spool file is opened, after the listing that chose it.
  std::function<void(const std::string& name)> beforeOpen;

  // FileSystem
  std::string ModulePath() override { return modulePath; }
  bool SetCurrentDirectory(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  std::unique_ptr<FindSession> FindFirst(const std::string& pattern, FindData& first,
                                         std::uint32_t& error) override;
  std::uint32_t ToLocalDosTime(std::uint64_t fileTime) override;
  // The job branches' tests open jobs here, as the print loop hands them over.
  std::unique_ptr<JobFile> OpenJob(const std::string& name);
  bool DeleteFile(const std::string& name) override;
  bool CreateNewFile(const std::string& path, std::uint32_t& error) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  SpoolFileOpen OpenSpoolFile(const std::string& name) override;
  SpoolFileOpen OpenSpoolFileToMove(const std::string& name) override;
  bool ReadWholeFile(const std::string& name, std::string& content) override;
  bool ReplaceWholeFile(const std::string& name, const std::string& content) override;

  // For the open files: the file an open one is, wherever it is now.
  Entry* FindOpened(std::uint64_t index, std::string* dir = nullptr);
  void Erase(std::uint64_t index);
  bool MoveOpened(std::uint64_t index, const std::string& to);

  static std::string Key(const std::string& path);  // normalised, upper-case full path

 private:
  std::string Resolve(const std::string& name) const;  // full path of a name
  Entry* Find(const std::string& fullPath);
  const Entry* Find(const std::string& fullPath) const;

  std::string current_ = "C:\\";
  std::uint64_t nextIndex_ = 0;
  std::set<std::string> directories_;
  std::map<std::string, std::list<Entry>> entries_;  // by directory key
};

}  // namespace korv::fakes
