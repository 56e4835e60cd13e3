#include "dialogs/win32/DcTextMeasure.h"

#include "settings/win32/WideNames32.h"

namespace korv::win32 {

int DcTextMeasure::TextWidth(const std::string& text) {
  if (!dc_.Get() || text.empty()) return 0;
  SIZE size{};
  const std::wstring wide = WideFromText(text);  // measured as the rows draw it
  if (!GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &size))
    return 0;
  return static_cast<int>(size.cx);
}

int DcTextMeasure::TextHeight() {
  TEXTMETRICA metrics{};
  if (!dc_.Get() || !GetTextMetricsA(dc_.Get(), &metrics)) return 16;  // the usual 12-point height
  return static_cast<int>(metrics.tmHeight);
}

}  // namespace korv::win32
