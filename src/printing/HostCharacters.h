#pragma once
// The host's character table for the text device, when one is chosen: the Unicode
// character each byte stands for, and which bytes are box pieces the table draws itself.
#include <cstdint>

#include "printing/DeviceContext.h"

namespace korv {

class TPrinterCanvas;

class HostCharacters {
 public:
  virtual ~HostCharacters() = default;
  virtual char16_t Character(std::uint8_t byte) const = 0;
  virtual bool IsPiece(std::uint8_t byte) const = 0;
  // Draws the piece of `byte` in `cell`, its lines `penWidth` wide; the canvas's pen and
  // brush are as they were afterwards.
  virtual void DrawPiece(std::uint8_t byte, TPrinterCanvas& canvas, const Rect& cell,
                         std::int32_t penWidth) const = 0;
};

}  // namespace korv
