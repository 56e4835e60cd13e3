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

#include "escp/EscpBand.h"
#include "escp/EscpPage.h"
#include "escp/EscpPlacement.h"
#include "printing/TPrinter.h"

namespace korv {

class EscpPainter : public EscpPage {
 public:
  // The printer object's document must be open.
  EscpPainter(TPrinter& printer, std::string face, bool fit);

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

  TPrinter& printer_;
  std::string face_;
  EscpPlacement placement_;
  EscpBand band_;
  bool outside_ = false;
  std::vector<std::int32_t> advances_;
  std::map<std::tuple<std::int32_t, bool, bool, char16_t>, std::int32_t> widths_;
};

}  // namespace korv
