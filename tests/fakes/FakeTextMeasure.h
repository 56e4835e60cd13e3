#pragma once
// Text widths of a fixed-pitch font: every character is `charWidth` pixels wide.
#include "dialogs/TextMeasure.h"

namespace korv::fakes {

class FakeTextMeasure : public TextMeasure {
 public:
  int TextWidth(const std::string& text) override {
    ++calls;
    return static_cast<int>(text.size()) * charWidth;
  }
  int charWidth = 7;
  int calls = 0;
};

}  // namespace korv::fakes
