#pragma once
// The drawing surface on the printer object's context. It keeps the font, pen and brush
// as values and makes the platform's objects for them only when a drawing or a
// measurement needs them and they have changed, so unchanged settings cost nothing.
// Every call holds the printer object's lock.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "printing/DeviceContext.h"
#include "printing/TPrinterFont.h"

namespace korv {

class TPrinter;

struct TPrinterPen {
  std::int32_t Width = 1;
  ColorRef Colour = kBlack;
  friend bool operator==(const TPrinterPen&, const TPrinterPen&) = default;
};

struct TPrinterBrush {
  ColorRef Colour = kWhite;
  friend bool operator==(const TPrinterBrush&, const TPrinterBrush&) = default;
};

class TPrinterCanvas {
 public:
  explicit TPrinterCanvas(TPrinter& printer);
  ~TPrinterCanvas();
  TPrinterCanvas(const TPrinterCanvas&) = delete;
  TPrinterCanvas& operator=(const TPrinterCanvas&) = delete;

  TPrinterFont Font() const;
  void SetFont(const TPrinterFont& font);
  // A height alone gives the face's own width for it; a width > 0 narrows or widens it.
  void SetFontHeight(std::int32_t height, std::int32_t width = 0);
  void SetFontBold(bool bold);
  // Rescales the font to the printer's vertical resolution, keeping its point size.
  void UpdateFont();

  TPrinterPen Pen() const;
  void SetPen(const TPrinterPen& pen);
  TPrinterBrush Brush() const;
  void SetBrush(const TPrinterBrush& brush);

  // Drawing: only while a document is open ("Printer is not currently printing").
  void TextOutAt(std::int32_t x, std::int32_t y, std::string_view text);
  // One call for the whole text, each character `cellWidth` after the one before.
  void TextOutCells(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t cellWidth);
  // The same for Unicode text, one cell a UTF-16 unit.
  void TextOutCellsW(std::int32_t x, std::int32_t y, std::u16string_view text,
                     std::int32_t cellWidth);
  void MoveTo(std::int32_t x, std::int32_t y);
  void LineTo(std::int32_t x, std::int32_t y);  // with the pen
  void FillRect(const Rect& rect);              // with the brush
  // Unicode text in one call, each character `advances[i]` after the one before.
  void TextOutAdvances(std::int32_t x, std::int32_t y, std::u16string_view text,
                       std::span<const std::int32_t> advances);
  // A one-bit image's ink, stretched onto `destination`.
  void DrawImage(const Rect& destination, const MonoImage& image);

  // Measuring the font: allowed at any time; it makes an information context if needed.
  Size TextExtent(std::string_view text);
  std::int32_t TextWidth(std::string_view text) { return TextExtent(text).cx; }
  Size TextExtent(std::u16string_view text);
  TextMetric FontMetrics();

 private:
  friend class TPrinter;
  // The printer's context changed (null: released); nothing is selected in the new one.
  void TakeHandle(DeviceContext* context);
  // The context forgot its selections (a new page); select again on the next drawing.
  void DropSelections();
  void RescaleFont();

  void Changing();
  void PrepareText();     // the font and transparent text on a context being drawn on
  void PrepareMeasure();  // the font on a context, scaled to it
  void RequireHandle();
  void RequireFont();
  void RequireTransparentText();
  void RequirePen();
  DrawingObject& RequireBrush();

  TPrinter& printer_;
  DeviceContext* context_ = nullptr;
  std::int32_t contextPixelsY_ = 0;  // LOGPIXELSY of context_, read once; 0 = not yet

  TPrinterFont font_;
  TPrinterPen pen_;
  TPrinterBrush brush_;

  std::unique_ptr<DrawingObject> fontObject_;
  LogFont fontObjectSpec_;
  bool fontSelected_ = false;
  bool textTransparent_ = false;
  std::unique_ptr<DrawingObject> penObject_;
  TPrinterPen penObjectSpec_;
  bool penSelected_ = false;
  std::unique_ptr<DrawingObject> brushObject_;
  TPrinterBrush brushObjectSpec_;
  std::vector<std::int32_t> advances_;  // kept between calls: a page's runs reuse it
};

}  // namespace korv
