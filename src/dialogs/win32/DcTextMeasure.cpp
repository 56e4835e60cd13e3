#include "dialogs/win32/DcTextMeasure.h"

namespace korv::win32 {

int DcTextMeasure::TextWidth(const std::string& text) {
  if (!dc_.Get() || text.empty()) return 0;
  SIZE size{};
  if (!GetTextExtentPoint32A(dc_.Get(), text.data(), static_cast<int>(text.size()), &size))
    return 0;
  return static_cast<int>(size.cx);
}

int DcTextMeasure::TextHeight() {
  TEXTMETRICA metrics{};
  if (!dc_.Get() || !GetTextMetricsA(dc_.Get(), &metrics)) return 16;  // the usual 12-point height
  return static_cast<int>(metrics.tmHeight);
}

}  // namespace korv::win32
