#include "app/PrinterObjectAdapters.h"

namespace korv {

TPrinterFont CanvasFontOnTPrinter::Font() {
  return printer_.DocumentCanvas().Font();
}

void CanvasFontOnTPrinter::SetFont(const TPrinterFont& chosen) {
  TPrinterCanvas& canvas = printer_.DocumentCanvas();
  canvas.SetFont(chosen.AtResolution(canvas.Font().PixelsPerInch));
}

void CanvasFontOnTPrinter::CreatePrinterFont(const PrinterFontRequest& request) {
  SetPrinterFont(printer_.DocumentCanvas(), request.faceName);
}

}  // namespace korv
