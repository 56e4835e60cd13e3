#pragma once
// Message boxes in memory: every box and beep in order, answered from a queue.
#include <deque>
#include <string>
#include <vector>

#include "dialogs/MessageBoxPort.h"

namespace korv::fakes {

class FakeMessageBoxes : public MessageBoxPort {
 public:
  struct Box {
    std::string text, caption;
    unsigned style;
  };

  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    boxes.push_back({text, caption, style});
    log.push_back("box " + caption);
    if (answers.empty()) return mb::kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Beep(unsigned type) override { log.push_back("beep " + std::to_string(type)); }

  std::vector<Box> boxes;
  std::vector<std::string> log;  // "beep 16", "box Confirm", ...
  std::deque<int> answers;       // the buttons pressed, in order; OK when empty
};

}  // namespace korv::fakes
