#pragma once
// The text device's host characters from a code table: each byte its Unicode character,
// and every byte whose character is a box-drawing or block character drawn as a piece.
#include <array>
#include <optional>

#include "escp/BoxPieces.h"
#include "escp/CodeTable.h"
#include "printing/HostCharacters.h"

namespace korv {

class TableCharacters : public HostCharacters {
 public:
  explicit TableCharacters(const CodeTable& table);

  char16_t Character(std::uint8_t byte) const override { return table_[byte]; }
  bool IsPiece(std::uint8_t byte) const override { return pieces_[byte].has_value(); }
  void DrawPiece(std::uint8_t byte, TPrinterCanvas& canvas, const Rect& cell,
                 std::int32_t penWidth) const override;

 private:
  CodeTable table_;
  std::array<std::optional<BoxPiece>, 256> pieces_{};
};

}  // namespace korv
