#pragma once
// The service's process-wide flags, shared by the window thread and the print thread.
#include <atomic>

namespace korv {

struct ServiceFlags {
  std::atomic<bool> Started{false};
  std::atomic<bool> StopRequested{false};  // only ever goes from false to true
  std::atomic<bool> RawMode{false};
  std::atomic<bool> PageFeedMode{false};
  std::atomic<bool> Printing{false};
  std::atomic<bool> SettingsOpen{false};
};

}  // namespace korv
