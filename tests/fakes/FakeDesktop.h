#pragma once
// A desktop in memory: top-level windows in stacking order, a log of every call, and
// switches that make raising or foregrounding fail a number of times.
#include <string>
#include <vector>

#include "app/Desktop.h"

namespace korv::fakes {

class FakeDesktop : public Desktop {
 public:
  struct Window {
    WindowId id;
    std::string title;
  };

  void EnumerateTopLevelWindows(const std::function<bool(WindowId)>& visit) override {
    log.push_back("enumerate");
    for (const Window& w : windows)
      if (!visit(w.id)) return;
  }
  std::string WindowTitle(WindowId window, int bufferSize) override {
    const Window* w = Find(window);
    if (!w || bufferSize <= 0) return {};
    return w->title.substr(0, static_cast<std::size_t>(bufferSize - 1));
  }
  bool SetWindowTitle(WindowId window, const std::string& title) override {
    Note("title", window, title);
    Window* w = Find(window);
    if (w) w->title = title;
    return w != nullptr;
  }
  bool BringToTop(WindowId window) override {
    Note("raise", window);
    raiseTimes.push_back(Now());
    return raiseFailures-- <= 0;
  }
  void Show(WindowId window, int command) override {
    Note("show", window, std::to_string(command));
  }
  bool SetForeground(WindowId window) override {
    Note("foreground", window);
    foregroundTimes.push_back(Now());
    return foregroundFailures-- <= 0;
  }
  void MinimizeApplication() override { log.push_back("minimize application"); }
  void HideServiceWindow() override { log.push_back("hide service window"); }

  std::vector<Window> windows;  // topmost first
  std::vector<std::string> log;
  int raiseFailures = 0, foregroundFailures = 0;  // calls that fail before one succeeds
  const unsigned long long* clock = nullptr;      // virtual time to stamp calls with
  std::vector<unsigned long long> raiseTimes, foregroundTimes;

 private:
  Window* Find(WindowId id) {
    for (Window& w : windows)
      if (w.id == id) return &w;
    return nullptr;
  }
  unsigned long long Now() const { return clock ? *clock : 0; }
  void Note(const char* what, WindowId window, const std::string& extra = {}) {
    std::string entry = std::string(what) + " " + std::to_string(window);
    if (!extra.empty()) entry += " " + extra;
    log.push_back(entry);
  }
};

}  // namespace korv::fakes
