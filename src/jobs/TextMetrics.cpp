#include "jobs/TextMetrics.h"

#include <algorithm>
#include "base/ServiceConstants.h"

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

// Lines closer than the fitted font's letters are high would print into each other: the
// font is then made as high as the line (its whole cell, accents and descenders included)
// at the fitted font's width, so every character keeps its cell. A face that cannot keep
// that width at the lower height keeps the fitted font.
FontShape ShapeForLine(TPrinterCanvas& canvas, std::int32_t height, std::int32_t lineHeight) {
  const FontShape fitted{height, 0};
  canvas.SetFontHeight(height);
  const TextMetric metric = canvas.FontMetrics();
  if (lineHeight <= 0 || lineHeight >= metric.height - metric.internalLeading) return fitted;
  // A face's width for a requested width can be off by a pixel either way.
  for (const std::int32_t nudge : {0, -1, 1, -2, 2}) {
    const std::int32_t width = metric.aveCharWidth + nudge;
    if (width <= 0) continue;
    canvas.SetFontHeight(lineHeight, width);
    if (canvas.FontMetrics().aveCharWidth == metric.aveCharWidth) return {lineHeight, width};
  }
  return fitted;
}

void FitPrinterFont(TextMetrics& metrics, TPrinter& printer) {
  auto printerGuard = printer.Lock();
  DeviceContext& context = printer.DeviceHandle();
  const std::int32_t pixelsX = context.GetDeviceCaps(DeviceCap::LogPixelsX);
  const std::int32_t pixelsY = context.GetDeviceCaps(DeviceCap::LogPixelsY);
  const std::uint16_t cpi = metrics.appliedCpi;
  const bool bold = metrics.appliedBold;
  const std::int32_t lineHeight = pixelsY / metrics.appliedLpi;

  printer.SetLineHeight(lineHeight);

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
  std::int32_t height = 0;
  if (auto known = metrics.fittedHeights.find(key); known != metrics.fittedHeights.end()) {
    height = known->second;
  } else {
    height = StepwiseFit(canvas, cpi, 4 * pixelsX);
    metrics.fittedHeights.emplace(key, height);
  }
  FontShapeKey shapeKey{std::move(key), lineHeight};
  auto shape = metrics.fittedShapes.find(shapeKey);
  if (shape == metrics.fittedShapes.end())
    shape =
        metrics.fittedShapes.emplace(std::move(shapeKey), ShapeForLine(canvas, height, lineHeight))
            .first;
  canvas.SetFontHeight(shape->second.height, shape->second.width);
}

}  // namespace

std::uint16_t LimitedCpi(int cpi) {
  return Limit(cpi, kMinCpi, kMaxCpi);
}

std::uint16_t LimitedLpi(int lpi) {
  return Limit(lpi, kMinLpi, kMaxLpi);
}

void SetTextMetrics(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags, int lpi,
                    int cpi, bool bold) {
  metrics.appliedCpi = LimitedCpi(cpi);
  metrics.appliedLpi = LimitedLpi(lpi);
  metrics.appliedBold = bold;
  if (!flags.printing) return;
  FitPrinterFont(metrics, printer);
}

void ResetTextMetrics(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags) {
  printer.SetDocumentTitle(kDocumentTitle);
  metrics.requestedCpi = 10;
  metrics.requestedLpi = 6;
  metrics.requestedBold = false;
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
