#pragma once
// Text widths and height of a font, measured on a screen device context.
#include "win32/Win32Api.h"

#include "dialogs/TextMeasure.h"
#include "win32/SelectedObject.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

class DcTextMeasure final : public TextMeasure {
 public:
  explicit DcTextMeasure(HFONT font) : dc_(nullptr), selected_(dc_.Get(), font) {}

  int TextWidth(const std::string& text) override;
  int TextHeight();  // the font's cell height (tmHeight)

 private:
  WindowDc dc_;
  SelectedObject selected_;
};

}  // namespace korv::win32
