#pragma once
// What the history keeps its index through, and the clock its entries are stamped by.
#include <cstdint>
#include <optional>
#include <string>

namespace korv {

// The index file of HISTORY.
class IndexFile {
 public:
  virtual ~IndexFile() = default;
  // The whole file; nullopt when it is missing or cannot be read.
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  // Writes the text beside the file, then puts it in the file's place in one step, so a
  // crash leaves the old index or the new one, never half of one. False when it cannot.
  virtual bool Replace(const std::string& path, const std::string& text) = 0;
};

struct HistoryTime {
  std::int64_t unixTime = 0;  // seconds since 1970, UTC
  std::string localTime;      // "2026-12-08 14:05:09"
};

class HistoryClock {
 public:
  virtual ~HistoryClock() = default;
  virtual HistoryTime Now() = 0;
};

}  // namespace korv
