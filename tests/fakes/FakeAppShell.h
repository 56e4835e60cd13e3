#pragma once
// The application shell in memory: which other windows exist, and every beep, box,
// termination and quit message the service asked for.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "base/AppShell.h"

namespace korv::fakes {

class FakeAppShell : public AppShell {
 public:
  struct Box {
    std::string text, caption;
  };

  bool TopLevelWindowExists(const std::string& title) override {
    windowQueries.push_back(title);
    return windows.count(title) > 0;
  }
  void MessageBeep(unsigned type) override { beeps.push_back(type); }
  void ErrorBox(const std::string& text, const std::string& caption) override {
    boxes.push_back({text, caption});
    if (whileBoxShown) whileBoxShown();
  }
  void Terminate() override { ++terminates; }
  void PostQuit() override { ++quits; }

  std::set<std::string> windows;  // titles of other top-level windows
  std::vector<std::string> windowQueries;
  std::vector<unsigned> beeps;
  std::vector<Box> boxes;
  std::function<void()> whileBoxShown;
  int terminates = 0, quits = 0;
};

}  // namespace korv::fakes
