#include "app/win32/ChooseFontDialog.h"

#include <commdlg.h>

#include <stdexcept>

#include "printing/win32/Win32DeviceContext.h"
#include "win32/UniqueHandle.h"

namespace korv {

namespace {

// The dialog reads the starting height in screen pixels, whatever device it lists.
int ScreenPixelsPerInch() {
  WindowDc screen(nullptr);
  const int ppi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return ppi > 0 ? ppi : 96;
}

// The chosen font in tenths of a point: measured in pixels at 720 pixels per inch.
TPrinterFont FromLOGFONTA(const LOGFONTA& lf, INT pointSize10) {
  TPrinterFont font;
  font.Name = lf.lfFaceName;
  font.Charset = lf.lfCharSet;
  switch (lf.lfPitchAndFamily & 3) {
    case FIXED_PITCH:
      font.Pitch = FontPitch::Fixed;
      break;
    case VARIABLE_PITCH:
      font.Pitch = FontPitch::Variable;
      break;
    default:
      font.Pitch = FontPitch::Default;
      break;
  }
  font.PixelsPerInch = 720;
  font.Height = -pointSize10;
  font.Bold = lf.lfWeight >= FW_BOLD;
  font.Italic = lf.lfItalic != 0;
  font.Underline = lf.lfUnderline != 0;
  font.StrikeOut = lf.lfStrikeOut != 0;
  return font;
}

}  // namespace

std::optional<TPrinterFont> ChooseFontDialog::Execute(const TPrinterFont& current) {
  const std::string printer = defaultPrinterName_();
  if (printer.empty()) throw std::runtime_error("There is no default printer currently selected");
  UniqueDc dc(CreateDCA(nullptr, printer.c_str(), nullptr, nullptr));
  if (!dc) throw std::runtime_error("Printer selected is not valid");

  TPrinterFont start = current.AtResolution(ScreenPixelsPerInch());
  start.Width = 0;  // the dialog offers sizes, not widths
  LOGFONTA lf = win32::ToLOGFONTA(start.ToLogFont());
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = owner_ ? owner_() : nullptr;
  cf.hDC = dc.Get();
  cf.lpLogFont = &lf;
  cf.iPointSize = current.Size() * 10;
  // No CF_EFFECTS: no colour, underline or strike-out; no size limits.
  cf.Flags = CF_PRINTERFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST | CF_NOSIMULATIONS |
             CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&cf)) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // cancelled
    throw std::runtime_error("The font dialog failed (error " + std::to_string(error) + ")");
  }
  return FromLOGFONTA(lf, cf.iPointSize);
}

}  // namespace korv
