#pragma once
// The service window handlers' ports in memory: each records what it was asked and
// answers what the test tells it to.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ServiceWindowPorts.h"

namespace korv::fakes {

class FakeListSelector : public ListSelector {
 public:
  struct Call {
    std::uint16_t count, initial;
    std::string noun;
    std::vector<std::string> items;
    std::uint8_t position;
  };
  std::int16_t SelectFromList(std::uint16_t count, std::uint16_t initial, const std::string& noun,
                              const std::vector<std::string>& items,
                              std::uint8_t position) override {
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
  std::optional<TPrinterFont> Execute(const TPrinterFont& current) override {
    started.push_back(current);
    if (whileOpen) whileOpen();
    if (fail) throw std::runtime_error("font dialog failed");
    return answer;
  }
  std::optional<TPrinterFont> answer;  // nothing = cancelled
  bool fail = false;
  std::function<void()> whileOpen;
  std::vector<TPrinterFont> started;
};

class FakeCanvasFont : public CanvasFont {
 public:
  TPrinterFont Font() override { return font; }
  void SetFont(const TPrinterFont& f) override {
    font = f;
    ++sets;
  }
  TPrinterFont font;
  int sets = 0;
};

class FakeTextMetricsReset : public TextMetricsReset {
 public:
  explicit FakeTextMetricsReset(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  void ResetTextMetrics() override { log.push_back("reset"); }
  std::vector<std::string>& log;  // shared with the test, to see the order of events
};

class FakeConfirmBox : public ConfirmBox {
 public:
  bool Confirm(const std::string& text) override {
    asked.push_back(text);
    if (whileShown) whileShown();
    return answerOk;
  }
  bool answerOk = true;
  std::function<void()> whileShown;
  std::vector<std::string> asked;
};

}  // namespace korv::fakes
