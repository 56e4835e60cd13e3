#include "app/HostWindow.h"

#include <string>

#include "base/PumpMessages.h"

namespace korv {

namespace {

constexpr int kTitleBuffer = 32;
constexpr int kAttempts = 10;
constexpr int kOneSecond = 10;  // PumpMessages pauses of 100 ms

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

bool IsHostTitle(const std::string& title) {
  if (title.size() < 5) return false;
  // Both of the service's own windows carry "Korvelane"; they are ruled out first.
  if (Contains(title, "Printer for") || Contains(title, "(Korv")) return false;
  return Contains(title, "Korvelane") || Contains(title, "VOZAZAD") || Contains(title, "Korv3");
}

}  // namespace

void HostWindowActivator::FindHostWindow() {
  if (searched_.exchange(true)) return;
  desktop_.EnumerateTopLevelWindows([this](WindowId window) {
    if (!IsHostTitle(desktop_.WindowTitle(window, kTitleBuffer))) return true;
    hostWindow_ = window;
    desktop_.SetWindowTitle(window, "Korvelane");
    return false;
  });
}

void HostWindowActivator::Retry(bool (Desktop::*attempt)(WindowId), WindowId window) {
  for (int i = 0; i < kAttempts; ++i) {
    if ((desktop_.*attempt)(window)) return;
    PumpMessages(waiter_, flags_, kOneSecond);
  }
}

void HostWindowActivator::ActivateHostWindow(bool pause) {
  desktop_.MinimizeApplication();
  desktop_.HideServiceWindow();
  const WindowId host = hostWindow_.load();
  if (host == 0) return;
  if (pause) PumpMessages(waiter_, flags_, kOneSecond);
  Retry(&Desktop::BringToTop, host);
  desktop_.Show(host, kShowMaximized);
  Retry(&Desktop::SetForeground, host);
}

}  // namespace korv
