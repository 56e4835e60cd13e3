#pragma once
// Text widths in the list dialog's font (the window's font, which the list takes over).
#include <string>

namespace korv {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int TextWidth(const std::string& text) = 0;  // pixels
};

}  // namespace korv
