#pragma once
// The history's index file and clock on the platform's calls.
#include "history/HistoryPorts.h"

namespace korv::win32 {

class Win32IndexFile final : public IndexFile {
 public:
  std::optional<std::string> Read(const std::string& path) override;
  bool Replace(const std::string& path, const std::string& text) override;
};

class Win32HistoryClock final : public HistoryClock {
 public:
  HistoryTime Now() override;
};

}  // namespace korv::win32
