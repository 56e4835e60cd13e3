#pragma once
// The history's index file in memory (it can be told to fail), and a clock set by hand.
#include <map>
#include <optional>
#include <string>

#include "history/HistoryPorts.h"

namespace korv::fakes {

class FakeIndexFile : public IndexFile {
 public:
  std::optional<std::string> Read(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  bool Replace(const std::string& path, const std::string& text) override {
    if (failWrites) return false;
    files[path] = text;
    return true;
  }
  std::map<std::string, std::string> files;
  bool failWrites = false;
};

class FakeHistoryClock : public HistoryClock {
 public:
  HistoryTime Now() override { return {now, "2026-12-08 14:05:09"}; }
  std::int64_t now = 1'796'000'000;
};

}  // namespace korv::fakes
