#include "printing/PrinterTextDevice.h"

#include "printing/BoxGlyphs.h"

namespace korv {

namespace {

constexpr std::uint8_t kLineFeed = 10;
constexpr std::uint8_t kFormFeed = 12;
constexpr std::uint8_t kCarriageReturn = 13;
constexpr std::uint8_t kSpace = 32;

enum class RunKind { None, Text, Spaces };

}  // namespace

PrinterTextDevice::~PrinterTextDevice() {
  if (open_) Abort();
}

void PrinterTextDevice::Open() {
  auto guard = printer_.Lock();
  printer_.StartDocument();
  open_ = true;
  cursorX_ = 0;
  cursorY_ = 0;
  rightLimit_ = printer_.PrintableWidth();
  bottomLimit_ = printer_.PrintableHeight();
  lineExtent_ = 0;
  printer_.SetLineHeight(0);
  printer_.SetPageStarted(false);
  pendingFormFeed_ = false;
}

void PrinterTextDevice::Close() {
  open_ = false;
  printer_.EndDocument();
}

void PrinterTextDevice::Abort() {
  open_ = false;
  printer_.AbortDocument();
}

void PrinterTextDevice::Write(std::string_view bytes) {
  auto guard = printer_.Lock();
  std::size_t runStart = 0;
  RunKind kind = RunKind::None;
  auto flush = [&](std::size_t end) {
    if (kind != RunKind::None && end > runStart) RenderRun(bytes.substr(runStart, end - runStart));
    kind = RunKind::None;
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto byte = static_cast<std::uint8_t>(bytes[i]);
    RunKind byteKind = RunKind::None;
    if (byte == kSpace) {
      byteKind = RunKind::Spaces;
    } else if (byte != kLineFeed && byte != kCarriageReturn && byte != kFormFeed &&
               !IsPiece(byte)) {
      byteKind = RunKind::Text;
    }
    if (byteKind != RunKind::None) {
      if (kind != byteKind) {
        flush(i);
        kind = byteKind;
        runStart = i;
      }
      continue;
    }
    flush(i);
    DrawQueued();
    if (byte == kLineFeed) {
      EndLine();
    } else if (byte == kCarriageReturn) {
      cursorX_ = 0;
    } else if (byte == kFormFeed) {
      pendingFormFeed_ = true;
    } else {
      DrawGlyph(byte);
    }
  }
  flush(bytes.size());
  DrawQueued();
}

std::int32_t PrinterTextDevice::LineAdvance(const TextMetric& metric) const {
  std::int32_t lineHeight = printer_.LineHeight();
  return lineHeight > 0 ? lineHeight : metric.height;
}

void PrinterTextDevice::RenderRun(std::string_view run) {
  if (pendingFormFeed_) NewPage();
  TPrinterCanvas& canvas = printer_.DocumentCanvas();
  const std::int32_t w = canvas.FontMetrics().aveCharWidth;
  const Size measured = canvas.TextExtent(run);

  // Cells that would pass the right edge are dropped: text never wraps.
  std::size_t keep = 0;
  if (cursorX_ <= rightLimit_) {
    if (w <= 0) {
      keep = run.size();
    } else {
      auto room = static_cast<std::size_t>((static_cast<std::int64_t>(rightLimit_) - cursorX_) / w);
      keep = room < run.size() ? room : run.size();
    }
  }

  std::int32_t lineHeight = printer_.LineHeight();
  if (lineHeight > 0) {
    lineExtent_ = lineHeight;
  } else if (measured.cy > lineExtent_) {
    lineExtent_ = measured.cy;
  }

  std::int32_t x = cursorX_;
  for (std::size_t i = 0; i < keep; ++i) {
    QueueCharacter(x, run[i], w);
    x += w;
  }
  cursorX_ = x;
  if (keep < run.size()) DrawQueued();
}

void PrinterTextDevice::QueueCharacter(std::int32_t x, char byte, std::int32_t cellWidth) {
  QueuedText& q = queued_;
  if (byte == ' ') {
    if (!q.text.empty()) ++q.trailingSpaces;  // blank cells before the first are not sent
    return;
  }
  const auto cells = static_cast<std::int64_t>(q.text.size() + q.trailingSpaces);
  const bool adjoins = !q.text.empty() && q.y == cursorY_ && q.cellWidth == cellWidth &&
                       static_cast<std::int64_t>(q.x) + cells * cellWidth == x;
  if (!adjoins) {
    DrawQueued();
    q.x = x;
    q.y = cursorY_;
    q.cellWidth = cellWidth;
  }
  q.text.append(q.trailingSpaces, ' ');
  q.trailingSpaces = 0;
  q.text.push_back(byte);
}

void PrinterTextDevice::DrawQueued() {
  QueuedText& q = queued_;
  q.trailingSpaces = 0;
  if (q.text.empty()) return;
  const std::string text = std::move(q.text);
  q.text.clear();  // a failed drawing leaves nothing behind to draw again
  if (!characters_) {
    printer_.DocumentCanvas().TextOutCells(q.x, q.y, text, q.cellWidth);
    return;
  }
  std::u16string wide(text.size(), u' ');
  for (std::size_t i = 0; i < text.size(); ++i)
    wide[i] = characters_->Character(static_cast<std::uint8_t>(text[i]));
  printer_.DocumentCanvas().TextOutCellsW(q.x, q.y, wide, q.cellWidth);
}

bool PrinterTextDevice::IsPiece(std::uint8_t code) const {
  return characters_ ? characters_->IsPiece(code) : IsBoxGlyph(code);
}

void PrinterTextDevice::EndLine() {
  cursorX_ = 0;
  if (lineExtent_ != 0) {
    cursorY_ += lineExtent_;
  } else {
    cursorY_ += LineAdvance(printer_.DocumentCanvas().FontMetrics());
  }
  printer_.SetPageStarted(false);
  if (cursorY_ > bottomLimit_ - lineExtent_) NewPage();
  lineExtent_ = 0;
}

void PrinterTextDevice::NewPage() {
  DrawQueued();
  cursorX_ = 0;
  cursorY_ = 0;
  printer_.StartNextPage();
  printer_.SetPageStarted(true);
  pendingFormFeed_ = false;
}

void PrinterTextDevice::DrawGlyph(std::uint8_t code) {
  if (pendingFormFeed_) NewPage();
  TPrinterCanvas& canvas = printer_.DocumentCanvas();
  const TextMetric metric = canvas.FontMetrics();
  const std::int32_t w = metric.aveCharWidth;
  const std::int32_t h = LineAdvance(metric);

  const std::int32_t penWidth = GlyphPenWidth(canvas.Font().PixelsPerInch);
  if (characters_) {
    characters_->DrawPiece(code, canvas, {cursorX_, cursorY_, cursorX_ + w, cursorY_ + h},
                           penWidth);
    cursorX_ += w;
    return;
  }

  const TPrinterPen savedPen = canvas.Pen();
  const TPrinterBrush savedBrush = canvas.Brush();
  const GlyphShape shape = BoxGlyphShape(code, cursorX_, cursorY_, w, h, penWidth);

  TPrinterPen pen = savedPen;
  pen.Width = penWidth;
  canvas.SetPen(pen);
  for (int s = 0; s < shape.strokeCount; ++s) {
    const GlyphStroke& stroke = shape.strokes[static_cast<std::size_t>(s)];
    canvas.MoveTo(stroke.points[0].x, stroke.points[0].y);
    for (int p = 1; p < stroke.count; ++p)
      canvas.LineTo(stroke.points[static_cast<std::size_t>(p)].x,
                    stroke.points[static_cast<std::size_t>(p)].y);
  }
  if (shape.filled) {
    canvas.SetBrush({kBlack});
    canvas.FillRect(shape.fill);
  }
  canvas.SetPen(savedPen);
  canvas.SetBrush(savedBrush);
  cursorX_ += w;
}

}  // namespace korv
