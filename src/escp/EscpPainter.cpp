#include "escp/EscpPainter.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "escp/BoxPieces.h"
#include "printing/EPrinter.h"

namespace korv {

EscpPainter::EscpPainter(TPrinter& printer, std::string face, bool fit)
    : printer_(printer),
      face_(std::move(face)),
      placement_(printer.DeviceHandle(), fit),
      band_(placement_),
      canvasFont_(printer.DocumentCanvas().Font()),
      pixelsPerInch_(printer.DeviceHandle().GetDeviceCaps(DeviceCap::LogPixelsY)) {}

EscpPainter::~EscpPainter() {
  printer_.DocumentCanvas().SetFont(canvasFont_);
}

void EscpPainter::UseFont(const EscpStyle& style) {
  TPrinterFont font;
  font.Name = face_;
  font.PixelsPerInch = pixelsPerInch_;
  font.Height = -std::max(1, placement_.Height(style.em));
  font.Width = style.width > 0 ? std::max(1, placement_.Width(style.width)) : 0;
  font.Bold = style.bold;
  font.Italic = style.italic;
  font.Underline = style.underline;
  printer_.DocumentCanvas().SetFont(font);
}

void EscpPainter::Text(const EscpTextRun& run) {
  auto guard = printer_.Lock();
  std::size_t from = 0;
  std::int32_t x = run.x;
  for (std::size_t i = 0; i < run.text.size(); ++i) {
    const std::optional<BoxPiece> piece = BoxPieceOf(run.text[i]);
    if (piece) {
      DrawText(run, from, i);
      from = i + 1;
      const Rect cell{placement_.X(x), placement_.Y(run.y), placement_.X(x + run.advances[i]),
                      placement_.Y(run.y + run.lineHeight)};
      outside_ = outside_ || !placement_.Inside(cell);
      AddPiece(*piece, cell);
    }
    x += run.advances[i];
  }
  DrawText(run, from, run.text.size());
  DrawPieces();
}

void EscpPainter::AddPiece(const BoxPiece& piece, const Rect& cell) {
  for (const BoxFill& fill :
       BoxPieceFills(piece, cell, std::max(1, placement_.Width(kEscpUnitsPerInch / 144)))) {
    auto joined = std::find_if(pieces_.begin(), pieces_.end(), [&](const BoxFill& before) {
      return before.colour == fill.colour && before.rect.top == fill.rect.top &&
             before.rect.bottom == fill.rect.bottom && before.rect.left <= fill.rect.left &&
             before.rect.right >= fill.rect.left;
    });
    if (joined != pieces_.end())
      joined->rect.right = std::max(joined->rect.right, fill.rect.right);
    else
      pieces_.push_back(fill);
  }
}

void EscpPainter::DrawPieces() {
  if (pieces_.empty()) return;
  auto guard = printer_.Lock();
  DeviceContext& context = printer_.DeviceHandle();
  std::map<ColorRef, std::unique_ptr<DrawingObject>> brushes;
  for (const BoxFill& fill : pieces_) {
    std::unique_ptr<DrawingObject>& brush = brushes[fill.colour];
    if (!brush) brush = context.CreateSolidBrush(fill.colour);
    if (!brush || !context.FillRect(fill.rect, *brush)) throw EPrinter(kPrintingFailedText);
  }
  pieces_.clear();
}

// The characters [from, to) of the run, each placed from the run's start so that rounding
// never adds up along a line.
void EscpPainter::DrawText(const EscpTextRun& run, std::size_t from, std::size_t to) {
  if (from >= to) return;
  std::int32_t x = run.x;
  for (std::size_t i = 0; i < from; ++i) x += run.advances[i];
  const std::int32_t left = placement_.X(x);
  advances_.clear();
  std::int32_t at = left;
  for (std::size_t i = from; i < to; ++i) {
    x += run.advances[i];
    advances_.push_back(placement_.X(x) - at);
    at = placement_.X(x);
  }
  const Rect box{left, placement_.Y(run.y), at, placement_.Y(run.y + run.style.em)};
  outside_ = outside_ || !placement_.Inside(box);
  UseFont(run.style);
  printer_.DocumentCanvas().TextOutAdvances(
      left, box.top, std::u16string_view(run.text).substr(from, to - from), advances_);
}

void EscpPainter::Image(const EscpImage& image) {
  if (!band_.Continues(image) && !band_.Empty()) DrawBand();
  if (!band_.Add(image)) outside_ = true;
}

void EscpPainter::DrawBand() {
  Rect destination;
  const MonoImage image = band_.Take(destination);
  if (image.width > 0 && image.height > 0) printer_.DocumentCanvas().DrawImage(destination, image);
}

void EscpPainter::NextPage() {
  Finish();
  printer_.StartNextPage();
}

void EscpPainter::Finish() {
  if (!band_.Empty()) DrawBand();
}

std::int32_t EscpPainter::Advance(char16_t ch, const EscpStyle& style) {
  const auto key = std::make_tuple(style.em, style.bold, style.italic, ch);
  auto it = widths_.find(key);
  if (it != widths_.end()) return it->second;
  auto guard = printer_.Lock();
  UseFont(style);
  const std::int32_t pixels = printer_.DocumentCanvas().TextExtent(std::u16string(1, ch)).cx;
  return widths_[key] = placement_.UnitsOfWidth(pixels);
}

}  // namespace korv
