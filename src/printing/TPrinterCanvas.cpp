#include "printing/TPrinterCanvas.h"

#include "printing/EPrinter.h"
#include "printing/TPrinter.h"

namespace korv {

TPrinterCanvas::TPrinterCanvas(TPrinter& printer) : printer_(printer) {}

// The printer releases its context before the canvas goes, so nothing is selected now.
TPrinterCanvas::~TPrinterCanvas() = default;

TPrinterFont TPrinterCanvas::Font() const {
  auto guard = printer_.Lock();
  return font_;
}

void TPrinterCanvas::SetFont(const TPrinterFont& font) {
  auto guard = printer_.Lock();
  font_ = font;
}

void TPrinterCanvas::SetFontHeight(std::int32_t height, std::int32_t width) {
  auto guard = printer_.Lock();
  font_.Height = height;
  font_.Width = width;
}

void TPrinterCanvas::SetFontBold(bool bold) {
  auto guard = printer_.Lock();
  font_.Bold = bold;
}

void TPrinterCanvas::UpdateFont() {
  auto guard = printer_.Lock();
  RequireHandle();
  RescaleFont();
}

TPrinterPen TPrinterCanvas::Pen() const {
  auto guard = printer_.Lock();
  return pen_;
}

void TPrinterCanvas::SetPen(const TPrinterPen& pen) {
  auto guard = printer_.Lock();
  pen_ = pen;
}

TPrinterBrush TPrinterCanvas::Brush() const {
  auto guard = printer_.Lock();
  return brush_;
}

void TPrinterCanvas::SetBrush(const TPrinterBrush& brush) {
  auto guard = printer_.Lock();
  brush_ = brush;
}

// ---- drawing ----

void TPrinterCanvas::TextOutAt(std::int32_t x, std::int32_t y, std::string_view text) {
  auto guard = printer_.Lock();
  PrepareText();
  context_->TextOutA(x, y, text);
}

void TPrinterCanvas::TextOutCells(std::int32_t x, std::int32_t y, std::string_view text,
                                  std::int32_t cellWidth) {
  auto guard = printer_.Lock();
  PrepareText();
  advances_.assign(text.size(), cellWidth);
  context_->ExtTextOutA(x, y, text, advances_);
}

void TPrinterCanvas::TextOutCellsW(std::int32_t x, std::int32_t y, std::u16string_view text,
                                   std::int32_t cellWidth) {
  auto guard = printer_.Lock();
  PrepareText();
  advances_.assign(text.size(), cellWidth);
  context_->ExtTextOutW(x, y, text, advances_);
}

void TPrinterCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  auto guard = printer_.Lock();
  Changing();
  context_->MoveToEx(x, y);
}

void TPrinterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  auto guard = printer_.Lock();
  Changing();
  RequirePen();
  context_->LineTo(x, y);
}

void TPrinterCanvas::FillRect(const Rect& rect) {
  auto guard = printer_.Lock();
  Changing();
  context_->FillRect(rect, RequireBrush());
}

void TPrinterCanvas::TextOutAdvances(std::int32_t x, std::int32_t y, std::u16string_view text,
                                     std::span<const std::int32_t> advances) {
  auto guard = printer_.Lock();
  PrepareText();
  if (!context_->ExtTextOutW(x, y, text, advances)) throw EPrinter(kPrintingFailedText);
}

void TPrinterCanvas::DrawImage(const Rect& destination, const MonoImage& image) {
  auto guard = printer_.Lock();
  Changing();
  if (!context_->DrawMonoImage(destination, image)) throw EPrinter(kPrintingFailedText);
}

// ---- measuring ----

Size TPrinterCanvas::TextExtent(std::u16string_view text) {
  auto guard = printer_.Lock();
  PrepareMeasure();
  Size size;
  if (!context_->GetTextExtentPointW(text, size)) throw EPrinter(kPrintingFailedText);
  return size;
}

Size TPrinterCanvas::TextExtent(std::string_view text) {
  auto guard = printer_.Lock();
  PrepareMeasure();
  Size size;
  if (!context_->GetTextExtentPointA(text, size)) throw EPrinter(kPrintingFailedText);
  return size;
}

TextMetric TPrinterCanvas::FontMetrics() {
  auto guard = printer_.Lock();
  RequireHandle();
  RescaleFont();
  RequireFont();
  TextMetric metric;
  if (!context_->GetTextMetricsA(metric)) throw EPrinter(kPrintingFailedText);
  return metric;
}

// ---- the context and its objects ----

void TPrinterCanvas::TakeHandle(DeviceContext* context) {
  context_ = context;
  contextPixelsY_ = 0;
  fontSelected_ = false;
  textTransparent_ = false;
  penSelected_ = false;
}

void TPrinterCanvas::DropSelections() {
  fontSelected_ = false;
  textTransparent_ = false;
  penSelected_ = false;
}

void TPrinterCanvas::PrepareText() {
  Changing();
  RequireFont();
  RequireTransparentText();
}

void TPrinterCanvas::PrepareMeasure() {
  RequireHandle();
  RescaleFont();
  RequireFont();
}

void TPrinterCanvas::RequireHandle() {
  if (!context_) printer_.RequireInformationContext();
}

void TPrinterCanvas::Changing() {
  if (!printer_.DocumentOpen()) throw EPrinter(kNotPrintingText);
  RequireHandle();
  RescaleFont();
}

void TPrinterCanvas::RescaleFont() {
  if (!context_) return;
  if (contextPixelsY_ == 0) contextPixelsY_ = context_->GetDeviceCaps(DeviceCap::LogPixelsY);
  if (contextPixelsY_ <= 0 || font_.PixelsPerInch == contextPixelsY_) return;
  std::int32_t points = font_.Size();
  if (font_.Width != 0) font_.Width = MulDiv(font_.Width, contextPixelsY_, font_.PixelsPerInch);
  font_.PixelsPerInch = contextPixelsY_;
  font_.SetSize(points);
}

// A changed object is made anew and selected before its predecessor is deleted.
void TPrinterCanvas::RequireFont() {
  LogFont wanted = font_.ToLogFont();
  if (!fontObject_ || !(fontObjectSpec_ == wanted)) {
    auto font = context_->CreateFontIndirectA(wanted);
    if (!font || !context_->SelectObject(*font)) throw EPrinter(kPrintingFailedText);
    fontObject_ = std::move(font);
    fontObjectSpec_ = wanted;
    fontSelected_ = true;
  } else if (!fontSelected_) {
    if (!context_->SelectObject(*fontObject_)) throw EPrinter(kPrintingFailedText);
    fontSelected_ = true;
  }
}

// A line's character cells are taller than the line when the line spacing is tight; an
// opaque cell would erase the bottom of the line above. A context that refuses the mode
// still prints, and is asked again at the next text.
void TPrinterCanvas::RequireTransparentText() {
  if (!textTransparent_) textTransparent_ = context_->SetBkMode(BackgroundMode::Transparent);
}

void TPrinterCanvas::RequirePen() {
  if (!penObject_ || !(penObjectSpec_ == pen_)) {
    auto pen = context_->CreatePen(pen_.Width, pen_.Colour);
    if (!pen || !context_->SelectObject(*pen)) throw EPrinter(kPrintingFailedText);
    penObject_ = std::move(pen);
    penObjectSpec_ = pen_;
    penSelected_ = true;
  } else if (!penSelected_) {
    if (!context_->SelectObject(*penObject_)) throw EPrinter(kPrintingFailedText);
    penSelected_ = true;
  }
}

DrawingObject& TPrinterCanvas::RequireBrush() {
  if (!brushObject_ || !(brushObjectSpec_ == brush_)) {
    auto brush = context_->CreateSolidBrush(brush_.Colour);
    if (!brush) throw EPrinter(kPrintingFailedText);
    brushObject_ = std::move(brush);
    brushObjectSpec_ = brush_;
  }
  return *brushObject_;
}

}  // namespace korv
