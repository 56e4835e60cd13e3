#pragma once
// The interpreter's page on the printer object: text runs in the printer font (the style
// as the font's size, width, weight, slant and underline), box-drawing and block
// characters as lines and blocks joined cell to cell, bit images one image a band, each
// sheet a page of the printer object's open document.
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "escp/BoxPieces.h"
#include "escp/EscpBand.h"
#include "escp/EscpPage.h"
#include "escp/EscpPlacement.h"
#include "printing/TPrinter.h"

namespace korv {

class EscpPainter : public EscpPage {
 public:
  // The printer object's document must be open.
  EscpPainter(TPrinter& printer, std::string face, bool fit);
  // Gives the canvas its font back: text jobs go on in the font they had.
  ~EscpPainter() override;
  EscpPainter(const EscpPainter&) = delete;
  EscpPainter& operator=(const EscpPainter&) = delete;

  void Text(const EscpTextRun& run) override;
  void Image(const EscpImage& image) override;
  void NextPage() override;
  std::int32_t Advance(char16_t ch, const EscpStyle& style) override;
  // Draws the band still being set.
  void Finish();

  // Whether anything fell outside the printable area (and was cut there).
  bool Outside() const { return outside_; }

 private:
  void UseFont(const EscpStyle& style);
  void DrawText(const EscpTextRun& run, std::size_t from, std::size_t to);
  void DrawBand();
  // A box piece's fills, joined to the fills of the piece before where they continue them:
  // a rule across a line is one rectangle, not one a cell.
  void AddPiece(const BoxPiece& piece, const Rect& cell);
  void DrawPieces();

  TPrinter& printer_;
  std::string face_;
  EscpPlacement placement_;
  EscpBand band_;
  TPrinterFont canvasFont_;
  std::int32_t pixelsPerInch_ = 0;  // the font's, vertically
  bool outside_ = false;
  std::vector<std::int32_t> advances_;
  std::vector<BoxFill> pieces_;
  std::map<std::tuple<std::int32_t, bool, bool, char16_t>, std::int32_t> widths_;
};

}  // namespace korv
