#include "app/win32/ChooseFontDialog.h"

#include <commdlg.h>

#include <stdexcept>

#include "win32/UniqueHandle.h"

namespace korv {

namespace {

// The dialog reads the starting height in screen pixels, whatever device it lists.
int ScreenPixelsPerInch() {
  WindowDc screen(nullptr);
  const int ppi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return ppi > 0 ? ppi : 96;
}

LOGFONTA ToLogFont(const FontAttributes& font) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(font.pointSize10, ScreenPixelsPerInch(), 720);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
  lf.lfCharSet = font.charSet;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = static_cast<BYTE>(font.pitch);
  font.face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return lf;
}

FontAttributes FromLogFont(const LOGFONTA& lf, INT pointSize10) {
  FontAttributes font;
  font.face = lf.lfFaceName;
  font.pointSize10 = pointSize10;
  font.bold = lf.lfWeight >= FW_BOLD;
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strikeOut = lf.lfStrikeOut != 0;
  font.charSet = lf.lfCharSet;
  switch (lf.lfPitchAndFamily & 3) {
    case FIXED_PITCH:
      font.pitch = FontPitch::Fixed;
      break;
    case VARIABLE_PITCH:
      font.pitch = FontPitch::Variable;
      break;
    default:
      font.pitch = FontPitch::Default;
      break;
  }
  return font;
}

}  // namespace

std::optional<FontAttributes> ChooseFontDialog::Execute(const FontAttributes& current) {
  const std::string printer = defaultPrinterName_();
  if (printer.empty()) throw std::runtime_error("There is no default printer currently selected");
  UniqueDc dc(CreateDCA(nullptr, printer.c_str(), nullptr, nullptr));
  if (!dc) throw std::runtime_error("Printer selected is not valid");

  LOGFONTA lf = ToLogFont(current);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = owner_ ? owner_() : nullptr;
  cf.hDC = dc.Get();
  cf.lpLogFont = &lf;
  cf.iPointSize = current.pointSize10;
  // No CF_EFFECTS: no colour, underline or strike-out; no size limits.
  cf.Flags = CF_PRINTERFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST | CF_NOSIMULATIONS |
             CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&cf)) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // cancelled
    throw std::runtime_error("The font dialog failed (error " + std::to_string(error) + ")");
  }
  return FromLogFont(lf, cf.iPointSize);
}

}  // namespace korv
