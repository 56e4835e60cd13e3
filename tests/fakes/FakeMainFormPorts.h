#pragma once
// The service window handlers' ports in memory: each records what it was asked and
// answers what the test tells it to.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/MainFormPorts.h"

namespace korv::fakes {

class FakeListSelector : public ListSelector {
 public:
  struct Call {
    std::uint16_t count, initial;
    std::string noun;
    std::vector<std::string> items;
    std::uint8_t position;
  };
  std::int16_t VListSelect(std::uint16_t count, std::uint16_t initial, const std::string& noun,
                           const std::vector<std::string>& items, std::uint8_t position) override {
    calls.push_back({count, initial, noun, items, position});
    if (whileOpen) whileOpen();
    if (fail) throw std::runtime_error("list failed");
    return answer;
  }
  std::int16_t answer = 0;
  bool fail = false;
  std::function<void()> whileOpen;  // runs while the dialog is "open"
  std::vector<Call> calls;
};

class FakeFontDialog : public FontDialog {
 public:
  std::optional<FontAttributes> Execute(const FontAttributes& current) override {
    started.push_back(current);
    if (whileOpen) whileOpen();
    if (fail) throw std::runtime_error("font dialog failed");
    return answer;
  }
  std::optional<FontAttributes> answer;  // nothing = cancelled
  bool fail = false;
  std::function<void()> whileOpen;
  std::vector<FontAttributes> started;
};

class FakeCanvasFont : public CanvasFont {
 public:
  FontAttributes Font() override { return font; }
  void SetFont(const FontAttributes& f) override {
    font = f;
    ++sets;
  }
  FontAttributes font{"Courier New"};
  int sets = 0;
};

class FakeTextMetricsReset : public TextMetricsReset {
 public:
  explicit FakeTextMetricsReset(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  void ResetTextMetrics() override { log.push_back("reset"); }
  std::vector<std::string>& log;
};

class FakeUserPrompts : public UserPrompts {
 public:
  explicit FakeUserPrompts(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  void MessageBeep(unsigned type) override { log.push_back("beep " + std::to_string(type)); }
  bool Confirm(const std::string& text) override {
    log.push_back("confirm " + text);
    return answerOk;
  }
  bool answerOk = true;
  std::vector<std::string>& log;
};

class FakeAppCommands : public AppCommands {
 public:
  explicit FakeAppCommands(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  void ShowServiceWindow() override { log.push_back("show"); }
  void PostQuit(int exitCode) override { log.push_back("quit " + std::to_string(exitCode)); }
  void ActivateHostWindow(bool pause) override {
    log.push_back(pause ? "activate pause" : "activate");
  }
  std::vector<std::string>& log;
};

}  // namespace korv::fakes
