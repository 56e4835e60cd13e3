#include "app/PrinterObjectAdapters.h"

namespace korv {

FontAttributes CanvasFontOnTPrinter::Font() {
  const TPrinterFont font = printer_.DocumentCanvas().Font();
  FontAttributes out;
  out.face = font.Name;
  out.pointSize10 = font.Size() * 10;  // the canvas keeps whole points
  out.bold = font.Bold;
  out.italic = font.Italic;
  out.underline = font.Underline;
  out.strikeOut = font.StrikeOut;
  out.charSet = font.Charset;
  out.pitch = font.Pitch;
  return out;
}

void CanvasFontOnTPrinter::SetFont(const FontAttributes& chosen) {
  TPrinterCanvas& canvas = printer_.DocumentCanvas();
  TPrinterFont font = canvas.Font();
  font.Name = chosen.face;
  font.Height = -MulDiv(chosen.pointSize10, font.PixelsPerInch, 720);
  font.Bold = chosen.bold;
  font.Italic = chosen.italic;
  font.Underline = chosen.underline;
  font.StrikeOut = chosen.strikeOut;
  font.Charset = chosen.charSet;
  font.Pitch = chosen.pitch;
  canvas.SetFont(font);
}

void CanvasFontOnTPrinter::CreatePrinterFont(const PrinterFontRequest& request) {
  SetPrinterFont(printer_.DocumentCanvas(), request.faceName);
}

}  // namespace korv
