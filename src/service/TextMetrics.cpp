#include "service/TextMetrics.h"

#include <algorithm>
#include "service/ServiceConstants.h"

namespace korv {

namespace {

constexpr std::int32_t kFitStartHeight = 6;

std::uint16_t Limit(int value, std::uint16_t low, std::uint16_t high) {
  return static_cast<std::uint16_t>(
      std::clamp(value, static_cast<int>(low), static_cast<int>(high)));
}

// The greatest height, found in one-pixel steps up from 6, at which 4 x cpi letters "M"
// still fit in four inches (5 when they are too wide at 6 already).
std::int32_t StepwiseFit(TPrinterCanvas& canvas, std::uint16_t cpi, std::int32_t fourInches) {
  const std::string letters(4u * cpi, 'M');
  std::int32_t height = kFitStartHeight;
  canvas.SetFontHeight(height);
  if (canvas.TextWidth(letters) <= fourInches) {
    // A font four inches high never fits; the bound only guards against a font that
    // reports no width at all.
    const std::int32_t highest = std::max(fourInches, kFitStartHeight);
    do {
      ++height;
      canvas.SetFontHeight(height);
    } while (height < highest && canvas.TextWidth(letters) <= fourInches);
  }
  return height - 1;
}

void FitPrinterFont(TextMetrics& metrics, TPrinter& printer) {
  auto printerGuard = printer.Lock();
  DeviceContext& context = printer.DeviceHandle();
  const std::int32_t pixelsX = context.GetDeviceCaps(DeviceCap::LogPixelsX);
  const std::int32_t pixelsY = context.GetDeviceCaps(DeviceCap::LogPixelsY);
  const std::uint16_t cpi = metrics.AppliedCpi;
  const bool bold = metrics.AppliedBold;

  printer.SetLineHeight(pixelsY / metrics.AppliedLpi);

  TPrinterCanvas& canvas = printer.DocumentCanvas();
  // Heights are set in the printer's pixels: scale the font to the printer first.
  canvas.UpdateFont();
  canvas.SetFontBold(bold);
  const TPrinterFont font = canvas.Font();
  FontFitKey key{printer.SelectedPrinterName(),
                 font.Name,
                 font.Charset,
                 static_cast<std::uint8_t>(font.Pitch),
                 font.Italic,
                 font.Underline,
                 font.StrikeOut,
                 pixelsX,
                 pixelsY,
                 cpi,
                 bold};

  std::lock_guard fitGuard(metrics.fitLock);
  auto known = metrics.fittedHeights.find(key);
  if (known != metrics.fittedHeights.end()) {
    canvas.SetFontHeight(known->second);
    return;
  }
  const std::int32_t height = StepwiseFit(canvas, cpi, 4 * pixelsX);
  canvas.SetFontHeight(height);
  metrics.fittedHeights.emplace(std::move(key), height);
}

}  // namespace

void SetTextMetrics(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags, int lpi,
                    int cpi, bool bold) {
  metrics.AppliedCpi = Limit(cpi, kMinCpi, kMaxCpi);
  metrics.AppliedLpi = Limit(lpi, kMinLpi, kMaxLpi);
  metrics.AppliedBold = bold;
  if (!flags.Printing) return;
  FitPrinterFont(metrics, printer);
}

void ResetTextMetrics(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags) {
  printer.SetDocumentTitle(kDocumentTitle);
  metrics.Cpi = 10;
  metrics.Lpi = 6;
  metrics.Bold = false;
  SetTextMetrics(metrics, printer, flags, 6, 10, false);
}

void SetPrinterFont(TPrinterCanvas& canvas, const std::string& face) {
  TPrinterFont font;
  font.Name = face;
  font.Charset = kDefaultCharset;
  font.Pitch = FontPitch::Default;
  font.SetSize(10);
  canvas.SetFont(font);
}

std::string CreatePrinterFont(Profile& profile, TPrinterCanvas& canvas) {
  std::string face = profile.ProfileRead(kFontKey, kDefaultFont);
  SetPrinterFont(canvas, face);
  return face;
}

}  // namespace korv
