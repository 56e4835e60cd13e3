#pragma once
// The text output device on the printer object: every character in a cell of the font's
// average width on a fixed grid, lines advanced by the line height, new pages on
// overflow and after form feeds, box-drawing characters drawn as lines and blocks.
// What is written is rendered before the write returns. Neighbouring characters of a line
// go to the printer in one call with the cell advance for each, so that every character
// still lands in its own cell.
#include <cstdint>
#include <string>
#include <string_view>

#include "printing/HostCharacters.h"
#include "printing/TPrinter.h"

namespace korv {

class PrinterTextDevice {
 public:
  explicit PrinterTextDevice(TPrinter& printer) : printer_(printer) {}
  // A device still open is aborted: a document left half-written is thrown away.
  ~PrinterTextDevice();
  PrinterTextDevice(const PrinterTextDevice&) = delete;
  PrinterTextDevice& operator=(const PrinterTextDevice&) = delete;

  // The host's character table for the bytes written from now on; null (the start): bytes
  // in the system's ANSI code page, and the thirteen box glyphs drawn as lines.
  void SetHostCharacters(const HostCharacters* characters) { characters_ = characters; }

  // Starts a document and the grid at the top left of its first page.
  void Open();
  void Write(std::string_view bytes);
  void Write(char byte) { Write(std::string_view(&byte, 1)); }
  // Ends the document; a form feed still pending makes no page.
  void Close();
  // Throws the document away instead of ending it.
  void Abort();

  std::int32_t CursorX() const { return cursorX_; }
  std::int32_t CursorY() const { return cursorY_; }
  std::int32_t LineExtent() const { return lineExtent_; }
  bool PendingFormFeed() const { return pendingFormFeed_; }

 private:
  void RenderRun(std::string_view run);
  // Adds a kept character in the cell at x to the text waiting to be drawn.
  void QueueCharacter(std::int32_t x, char byte, std::int32_t cellWidth);
  // Draws the waiting text, if any, in one call.
  void DrawQueued();
  void EndLine();
  void NewPage();
  void DrawGlyph(std::uint8_t code);
  bool IsPiece(std::uint8_t code) const;
  std::int32_t LineAdvance(const TextMetric& metric) const;

  TPrinter& printer_;
  const HostCharacters* characters_ = nullptr;
  bool open_ = false;
  std::int32_t cursorX_ = 0;
  std::int32_t cursorY_ = 0;
  std::int32_t rightLimit_ = 0;
  std::int32_t bottomLimit_ = 0;
  std::int32_t lineExtent_ = 0;
  bool pendingFormFeed_ = false;

  // Characters of the current line waiting to be drawn: from cell x on, one cell each;
  // spaces after the last of them are added only when more text follows.
  struct QueuedText {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t cellWidth = 0;
    std::string text;
    std::size_t trailingSpaces = 0;
  } queued_;
};

}  // namespace korv
