#pragma once
// The service's process-wide flags, shared by the window thread and the print thread.
#include <atomic>

namespace korv {

struct ServiceFlags {
  std::atomic<bool> started{false};
  std::atomic<bool> stopRequested{false};  // only ever goes from false to true
  std::atomic<bool> rawMode{false};
  std::atomic<bool> pageFeedMode{false};
  std::atomic<bool> printing{false};
  std::atomic<bool> settingsOpen{false};
};

}  // namespace korv
