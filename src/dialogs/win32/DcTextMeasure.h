#pragma once
// Text widths and height of a font, measured on a screen device context.
#include <windows.h>

#include "dialogs/TextMeasure.h"
#include "dialogs/win32/Handles.h"

namespace korv::win32 {

class DcTextMeasure final : public TextMeasure {
 public:
  explicit DcTextMeasure(HFONT font) : dc_(nullptr), selected_(Select(dc_.Get(), font)) {}

  int TextWidth(const std::string& text) override;
  int TextHeight();  // the font's cell height (tmHeight)

 private:
  WindowDc dc_;
  SelectionRestore selected_;
};

}  // namespace korv::win32
