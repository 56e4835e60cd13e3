#pragma once
// The history and the text viewer in memory, for the "Recent jobs"
// window's logic: each records what it was asked and can be told to refuse.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "history/JobHistory.h"
#include "history/RecentJobs.h"

namespace korv::fakes {

class FakeJobHistory : public JobHistory {
 public:
  std::vector<HistoryEntry> Entries() override { return entries; }
  bool Remove(const std::string& key) override {
    removeCalls.push_back(key);
    if (refuse.count(key)) return false;
    const auto before = entries.size();
    std::erase_if(entries, [&](const HistoryEntry& e) { return e.key == key; });
    return entries.size() != before;
  }
  std::string StoredPath(const std::string& key) override { return "C:\\HISTORY\\" + key; }

  std::vector<HistoryEntry> entries;  // newest first
  std::set<std::string> refuse;       // keys whose removal fails
  std::vector<std::string> removeCalls;
};

class FakeTextViewer : public TextViewer {
 public:
  std::optional<std::string> ReadStart(const std::string& path, std::size_t limit) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second.substr(0, limit);
  }
  bool OpenText(const std::string& name, const std::string& text) override {
    opened.push_back({name, text});
    return !refuseOpen;
  }
  struct Opened {
    std::string name, text;
  };
  std::map<std::string, std::string> files;  // by full path
  bool refuseOpen = false;
  std::vector<Opened> opened;
};

}  // namespace korv::fakes
