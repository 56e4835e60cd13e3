#include "fakes/FakeFileSystem.h"

#include "fakes/MemoryJobFile.h"

#include <algorithm>
#include <cstring>

namespace korv::fakes {

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::pair<std::string, std::string> SplitPath(const std::string& key) {
  auto slash = key.rfind('\\');
  if (slash == std::string::npos) return {"", key};
  std::string dir = key.substr(0, slash);
  if (dir.size() == 2 && dir[1] == ':') dir += '\\';
  return {dir, key.substr(slash + 1)};
}

bool Matches(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*" || pattern == "*") return true;
  return Upper(pattern) == Upper(name);
}

class FakeFind : public FindSession {
 public:
  FakeFind(std::vector<FindData> rest, int& openFinds)
      : rest_(std::move(rest)), openFinds_(openFinds) {
    ++openFinds_;
  }
  ~FakeFind() override { --openFinds_; }
  bool Next(FindData& out, std::uint32_t& error) override {
    if (pos_ >= rest_.size()) {
      error = kErrorNoMoreFiles;
      return false;
    }
    out = rest_[pos_++];
    return true;
  }

 private:
  std::vector<FindData> rest_;
  int& openFinds_;
  std::size_t pos_ = 0;
};

class FakeJob : public SpoolFile {
 public:
  FakeJob(FakeFileSystem& files, FakeFileSystem::Entry& entry, std::string name, bool log)
      : files_(files), index_(entry.index), name_(std::move(name)), log_(log) {
    ++files_.openJobs;
    ++entry.openCount;
  }
  ~FakeJob() override {
    --files_.openJobs;
    FakeFileSystem::Entry* entry = files_.FindOpened(index_);
    if (entry && --entry->openCount == 0 && deleteOnClose_) files_.Erase(index_);
  }
  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    FakeFileSystem::Entry& entry = *files_.FindOpened(index_);
    if (log_ && !read_) files_.log.push_back("read " + entry.name);
    read_ = true;
    if (entry.failRead && pos_ > 0) return false;
    got = ReadAt(entry.data, pos_, buffer, size);
    return true;
  }
  bool Rewind() override {
    pos_ = 0;
    return true;
  }
  std::string Name() const override { return name_; }
  bool Delete() override {
    FakeFileSystem::Entry* entry = files_.FindOpened(index_);
    files_.log.push_back("delete opened " + (entry ? entry->name : name_));
    if (!entry || entry->undeletable) return false;
    if (entry->attributes & kAttrReadOnly) {
      files_.log.push_back("attrib opened " + entry->name);
      entry->attributes &= ~std::uint32_t{kAttrReadOnly};
    }
    deleteOnClose_ = true;
    return true;
  }
  bool MoveTo(const std::string& path) override {
    files_.log.push_back("move opened " + name_ + " " + path);
    return files_.MoveOpened(index_, path);
  }

 private:
  FakeFileSystem& files_;
  std::uint64_t index_;
  std::string name_;
  bool log_;
  bool read_ = false;
  bool deleteOnClose_ = false;
  std::size_t pos_ = 0;
};

}  // namespace

FakeFileSystem::FakeFileSystem() {
  AddDirectory("C:\\");
}

std::string FakeFileSystem::Key(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out.push_back(c);
  }
  if (out.size() > 3 && out.back() == '\\') out.pop_back();
  return Upper(out);
}

std::string FakeFileSystem::Resolve(const std::string& name) const {
  if (name.size() >= 2 && (name[1] == ':' || name[0] == '\\')) return Key(name);
  return Key(current_ + "\\" + name);
}

void FakeFileSystem::AddDirectory(const std::string& dir) {
  const std::string key = Key(dir);
  if (!directories_.insert(key).second) return;
  auto [parent, leaf] = SplitPath(key);
  if (!leaf.empty() && !parent.empty()) {
    AddDirectory(parent);
    Entry e;
    e.name = leaf;
    e.attributes = kAttrDirectory;
    entries_[parent].push_back(e);
  }
}

FakeFileSystem::Entry& FakeFileSystem::AddFile(const std::string& dir, const std::string& name,
                                               const std::string& data, std::uint32_t attributes) {
  AddDirectory(dir);
  auto& list = entries_[Key(dir)];
  Entry e;
  e.name = name;
  e.data = data;
  e.attributes = attributes;
  e.index = ++nextIndex_;
  list.push_back(e);
  return list.back();
}

FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& fullPath) {
  auto [dir, leaf] = SplitPath(fullPath);
  auto it = entries_.find(dir);
  if (it == entries_.end()) return nullptr;
  for (auto& e : it->second)
    if (Upper(e.name) == leaf) return &e;
  return nullptr;
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& fullPath) const {
  return const_cast<FakeFileSystem*>(this)->Find(fullPath);
}

bool FakeFileSystem::Exists(const std::string& dir, const std::string& name) const {
  return Find(Key(dir + "\\" + name)) != nullptr;
}

std::string FakeFileSystem::Contents(const std::string& dir, const std::string& name) const {
  const Entry* e = Find(Key(dir + "\\" + name));
  return e ? e->data : std::string();
}

std::vector<std::string> FakeFileSystem::Names(const std::string& dir) const {
  std::vector<std::string> out;
  auto it = entries_.find(Key(dir));
  if (it != entries_.end())
    for (const auto& e : it->second) out.push_back(e.name);
  return out;
}

bool FakeFileSystem::SetCurrentDirectory(const std::string& path) {
  const std::string key = Resolve(path);
  log.push_back("cd " + key);
  if (!directories_.count(key) || unenterable.count(key)) return false;
  current_ = key;
  return true;
}

bool FakeFileSystem::CreateDirectory(const std::string& path) {
  const std::string key = Resolve(path);
  log.push_back("mkdir " + key);
  if (failCreateDirectory || directories_.count(key)) return false;
  if (!directories_.count(SplitPath(key).first)) return false;  // a single level only
  AddDirectory(key);
  return true;
}

std::unique_ptr<FindSession> FakeFileSystem::FindFirst(const std::string& pattern, FindData& first,
                                                       std::uint32_t& error) {
  ++finds;
  const std::string full = Resolve(pattern);
  auto [dir, leaf] = SplitPath(full);
  if (!directories_.count(dir)) {
    error = kErrorPathNotFound;
    return nullptr;
  }
  std::vector<FindData> found;
  for (const auto& e : entries_[dir]) {
    if (!Matches(leaf, e.name)) continue;
    FindData d;
    d.attributes = e.attributes;
    d.lastWriteTime = e.lastWriteTime;
    std::uint64_t size = e.listedSize.value_or(e.data.size());
    d.sizeHigh = static_cast<std::uint32_t>(size >> 32);
    d.sizeLow = static_cast<std::uint32_t>(size & 0xFFFFFFFFu);
    d.name = e.name;
    found.push_back(d);
  }
  if (found.empty()) {
    error = kErrorFileNotFound;
    return nullptr;
  }
  first = found.front();
  found.erase(found.begin());
  return std::make_unique<FakeFind>(std::move(found), openFinds);
}

std::uint32_t FakeFileSystem::ToLocalDosTime(std::uint64_t fileTime) {
  // The fake's local time is UTC; only the shape of the value matters to its callers.
  return static_cast<std::uint32_t>(fileTime / 10000000u);
}

std::unique_ptr<JobFile> FakeFileSystem::OpenJob(const std::string& name) {
  log.push_back("open " + name);
  Entry* e = Find(Resolve(name));
  if (!e || e->locked || (e->attributes & (kAttrReadOnly | kAttrDirectory))) return nullptr;
  return std::make_unique<FakeJob>(*this, *e, name, false);
}

bool FakeFileSystem::DeleteFile(const std::string& name) {
  log.push_back("delete " + name);
  auto [dir, leaf] = SplitPath(Resolve(name));
  auto& list = entries_[dir];
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (Upper(it->name) != leaf) continue;
    if (it->undeletable || it->openCount > 0 || (it->attributes & (kAttrDirectory | kAttrReadOnly)))
      return false;
    list.erase(it);
    return true;
  }
  return false;
}

bool FakeFileSystem::CreateNewFile(const std::string& path, std::uint32_t& error) {
  log.push_back("create " + path);
  const std::string key = Resolve(path);
  auto [dir, leaf] = SplitPath(key);
  if (!directories_.count(dir)) {
    error = kErrorPathNotFound;
    return false;
  }
  if (unwritable.count(dir)) {
    error = kErrorAccessDenied;
    return false;
  }
  if (Find(key) || directories_.count(key)) {
    error = kErrorFileExists;
    return false;
  }
  AddFile(dir, SplitPath(path).second, "");
  return true;
}

bool FakeFileSystem::CopyFile(const std::string& from, const std::string& to) {
  log.push_back("copy " + from + " " + to);
  const Entry* src = Find(Resolve(from));
  if (!src) return false;
  const std::string data = src->data;
  auto [dir, leaf] = SplitPath(Resolve(to));
  if (!directories_.count(dir)) return false;
  if (Entry* dst = Find(Resolve(to))) {
    dst->data = data;
    return true;
  }
  Entry& added = AddFile(dir, leaf, data);
  (void)added;
  return true;
}

}  // namespace korv::fakes

namespace korv::fakes {

SpoolFileOpen FakeFileSystem::OpenSpoolFile(const std::string& name) {
  if (beforeOpen) beforeOpen(name);
  log.push_back("open " + name);
  SpoolFileOpen out;
  Entry* e = Find(Resolve(name));
  if (!e) {
    out.error = SpoolOpenError::Missing;
    out.reason = "The system cannot find the file specified.";
  } else if (e->locked) {
    out.error = SpoolOpenError::InUse;
    out.reason = "The file is in use.";
  } else if (e->outside || (e->attributes & kAttrDirectory)) {
    out.error = SpoolOpenError::NotInSpool;
    out.reason = "it is a link to a file outside WINPRINT";
  } else {
    out.identity.index = e->index;
    out.size = e->listedSize.value_or(e->data.size());
    out.lastWriteTime = e->lastWriteTime;
    out.file = std::make_unique<FakeJob>(*this, *e, name, true);
  }
  return out;
}

SpoolFileOpen FakeFileSystem::OpenSpoolFileToMove(const std::string& name) {
  log.push_back("open to move " + name);
  Entry* e = Find(Resolve(name));
  if (e && e->locked && !(e->outside || (e->attributes & kAttrDirectory))) {
    SpoolFileOpen out;
    out.identity.index = e->index;
    out.file = std::make_unique<FakeJob>(*this, *e, name, false);
    return out;
  }
  return OpenSpoolFile(name);
}

FakeFileSystem::Entry* FakeFileSystem::FindOpened(std::uint64_t index, std::string* dir) {
  for (auto& [key, list] : entries_)
    for (auto& e : list)
      if (e.index == index && !(e.attributes & kAttrDirectory)) {
        if (dir) *dir = key;
        return &e;
      }
  return nullptr;
}

void FakeFileSystem::Erase(std::uint64_t index) {
  for (auto& [key, list] : entries_)
    list.remove_if([&](const Entry& e) { return e.index == index; });
}

bool FakeFileSystem::MoveOpened(std::uint64_t index, const std::string& to) {
  const std::string toKey = Resolve(to);
  auto [toDir, toLeaf] = SplitPath(toKey);
  Entry* e = FindOpened(index);
  if (!e || e->immovable || !directories_.count(toDir) || Find(toKey) || directories_.count(toKey))
    return false;
  Entry moved = *e;
  moved.name = to.substr(to.find_last_of('\\') + 1);
  Erase(index);
  entries_[toDir].push_back(moved);
  return true;
}

void FakeFileSystem::Rename(const std::string& dir, const std::string& from,
                            const std::string& to) {
  if (Entry* e = Find(Key(dir + "\\" + from))) e->name = to;
}

bool FakeFileSystem::ReadWholeFile(const std::string& name, std::string& content) {
  const Entry* e = Find(Resolve(name));
  if (!e || e->locked) return false;
  content = e->data;
  return true;
}

bool FakeFileSystem::ReplaceWholeFile(const std::string& name, const std::string& content) {
  log.push_back("replace " + name);
  const std::string key = Resolve(name);
  auto [dir, leaf] = SplitPath(key);
  if (unwritable.count(dir) || !directories_.count(dir)) return false;
  if (Entry* e = Find(key)) {
    e->data = content;
    e->index = ++nextIndex_;  // a new file put in place of the old
  } else {
    AddFile(dir, SplitPath(name).second, content);
  }
  return true;
}

}  // namespace korv::fakes
