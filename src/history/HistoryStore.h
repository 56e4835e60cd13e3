#pragma once
// HISTORY beside the program: the printed jobs' files under unique names, and the index
// that says what each was. The index is the truth: a file it does not name is removed
// when the history is opened (a crash between a move and the index's write leaves one),
// an entry whose file is gone is dropped.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "history/HistoryLimits.h"
#include "history/HistoryPorts.h"
#include "history/JobHistory.h"
#include "settings/FileSystem.h"

namespace korv {

inline constexpr char kHistoryFolder[] = "HISTORY";

class HistoryStore final : public JobHistory {
 public:
  // `folder`: the full path of HISTORY.
  HistoryStore(FileSystem& files, IndexFile& index, HistoryClock& clock, std::string folder)
      : files_(files), index_(index), clock_(clock), folder_(std::move(folder)) {}

  // Reads the index, drops what it cannot vouch for and trims to the limits.
  void Open(const HistoryLimits& limits);

  // A name for a job's file that no entry and no file in HISTORY has yet.
  std::string FreeKey(const std::string& jobName);
  // The full path an entry's file has in HISTORY.
  std::string PathOf(const std::string& key) const { return folder_ + "\\" + key; }
  const std::string& Folder() const { return folder_; }

  // A job's file now lies at PathOf(entry.key): the entry is stamped with the time, goes
  // in first and the oldest go as the limits say.
  void Add(HistoryEntry entry, const HistoryLimits& limits);
  // Trims to the limits (all of it at a count of 0).
  void Trim(const HistoryLimits& limits);
  std::optional<HistoryEntry> Find(const std::string& key);
  void SetResult(const std::string& key, const std::string& result);

  // JobHistory
  std::vector<HistoryEntry> Entries() override;
  bool Remove(const std::string& key) override;
  std::string StoredPath(const std::string& key) override { return PathOf(key); }

 private:
  // Lock held.
  void TrimLocked(const HistoryLimits& limits);
  bool Save();
  std::vector<std::string> FolderFiles();
  bool KeyTaken(const std::string& key) const;

  FileSystem& files_;
  IndexFile& index_;
  HistoryClock& clock_;
  const std::string folder_;
  std::mutex lock_;
  std::vector<HistoryEntry> entries_;  // newest first
};

}  // namespace korv
