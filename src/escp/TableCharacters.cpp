#include "escp/TableCharacters.h"

#include <cstddef>

#include "printing/TPrinterCanvas.h"

namespace korv {

TableCharacters::TableCharacters(const CodeTable& table) : table_(table) {
  // Below 0x80 the bytes are ASCII: control codes, never pieces.
  for (std::size_t byte = 0x80; byte < table_.size(); ++byte)
    pieces_[byte] = BoxPieceOf(table_[byte]);
}

void TableCharacters::DrawPiece(std::uint8_t byte, TPrinterCanvas& canvas, const Rect& cell,
                                std::int32_t penWidth) const {
  if (!pieces_[byte]) return;
  const TPrinterBrush saved = canvas.Brush();
  for (const BoxFill& fill : BoxPieceFills(*pieces_[byte], cell, penWidth)) {
    canvas.SetBrush({fill.colour});
    canvas.FillRect(fill.rect);
  }
  canvas.SetBrush(saved);
}

}  // namespace korv
