#include "history/HistoryStore.h"

#include <algorithm>
#include <memory>

#include "history/HistoryIndex.h"

namespace korv {

namespace {

constexpr int kMostNameTries = 1000;

// Names compare as the file system compares them, without regard to ASCII case.
bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    return upper(x) == upper(y);
  });
}

}  // namespace

void HistoryStore::Open(const HistoryLimits& limits) {
  std::lock_guard guard(lock_);
  files_.CreateDirectory(folder_);  // usually there already
  const std::optional<std::string> text = index_.Read(PathOf(kHistoryIndexName));
  entries_ = text ? ParseIndex(*text) : std::vector<HistoryEntry>{};
  const std::vector<std::string> onDisk = FolderFiles();
  for (const std::string& name : onDisk)
    if (!SameName(name, kHistoryIndexName) && !KeyTaken(name))
      files_.DeleteFile(PathOf(name));  // no entry says what it is
  std::erase_if(entries_, [&](const HistoryEntry& e) {
    return std::none_of(onDisk.begin(), onDisk.end(),
                        [&](const std::string& name) { return SameName(name, e.key); });
  });
  TrimLocked(limits);
  Save();
}

std::string HistoryStore::FreeKey(const std::string& jobName) {
  std::lock_guard guard(lock_);
  const std::vector<std::string> present = FolderFiles();
  for (int n = 1; n <= kMostNameTries; ++n) {
    const std::string key = jobName + (n == 1 ? std::string() : " (" + std::to_string(n) + ")");
    const bool onDisk = std::any_of(present.begin(), present.end(),
                                    [&](const std::string& f) { return SameName(f, key); });
    if (!onDisk && !KeyTaken(key) && !SameName(key, kHistoryIndexName)) return key;
  }
  return {};
}

void HistoryStore::Add(HistoryEntry entry, const HistoryLimits& limits) {
  const HistoryTime now = clock_.Now();
  entry.unixTime = now.unixTime;
  entry.localTime = now.localTime;
  std::lock_guard guard(lock_);
  entries_.push_back(std::move(entry));
  std::rotate(entries_.rbegin(), entries_.rbegin() + 1, entries_.rend());  // newest first
  TrimLocked(limits);
  Save();
}

void HistoryStore::Trim(const HistoryLimits& limits) {
  std::lock_guard guard(lock_);
  const std::size_t before = entries_.size();
  TrimLocked(limits);
  if (entries_.size() != before) Save();
}

void HistoryStore::TrimLocked(const HistoryLimits& limits) {
  for (const std::string& key : EntriesToTrim(entries_, limits, clock_.Now().unixTime)) {
    // A file that will not go now is removed when the history is next opened.
    files_.DeleteFile(PathOf(key));
    std::erase_if(entries_, [&](const HistoryEntry& e) { return e.key == key; });
  }
}

std::optional<HistoryEntry> HistoryStore::Find(const std::string& key) {
  std::lock_guard guard(lock_);
  for (const HistoryEntry& e : entries_)
    if (e.key == key) return e;
  return std::nullopt;
}

void HistoryStore::SetResult(const std::string& key, const std::string& result) {
  std::lock_guard guard(lock_);
  for (HistoryEntry& e : entries_)
    if (e.key == key) e.result = result;
  Save();
}

std::vector<HistoryEntry> HistoryStore::Entries() {
  std::lock_guard guard(lock_);
  return entries_;
}

bool HistoryStore::Remove(const std::string& key) {
  std::lock_guard guard(lock_);
  const auto it =
      std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.key == key; });
  if (it == entries_.end()) return false;
  FindData data;
  std::uint32_t error = 0;
  // An entry whose file will not go stays, so nothing is kept that the window does not show.
  if (!files_.DeleteFile(PathOf(key)) && files_.FindFirst(PathOf(key), data, error)) return false;
  entries_.erase(it);
  Save();
  return true;
}

bool HistoryStore::Save() {
  return index_.Replace(PathOf(kHistoryIndexName), IndexText(entries_));
}

std::vector<std::string> HistoryStore::FolderFiles() {
  std::vector<std::string> names;
  FindData data;
  std::uint32_t error = 0;
  std::unique_ptr<FindSession> find = files_.FindFirst(PathOf("*"), data, error);
  for (bool more = find != nullptr; more; more = find->Next(data, error))
    if (!(data.attributes & kAttrDirectory)) names.push_back(data.name);
  return names;
}

bool HistoryStore::KeyTaken(const std::string& key) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const HistoryEntry& e) { return SameName(e.key, key); });
}

}  // namespace korv
