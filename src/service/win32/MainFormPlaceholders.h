#pragma once
// Stand-ins, in the program only, for what the service window's handlers use of parts
// not built yet: the printer object's list and font, the text metrics and the list
// selection dialog. With no printers listed, the printer choice stops after the box.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/MainFormPorts.h"
#include "service/PrinterSelection.h"

namespace korv {

class PlaceholderPrinterSelection : public PrinterSelection {
 public:
  std::vector<std::string> PrinterList() override { return {}; }
  int SelectedIndex() override {
    throw std::runtime_error("There is no default printer currently selected");
  }
  void SetSelectedIndex(int) override { throw std::runtime_error("Printer index out of range"); }
};

// Keeps the font the dialog chose; nothing prints in it yet.
class PlaceholderCanvasFont : public CanvasFont {
 public:
  FontAttributes Font() override { return font_; }
  void SetFont(const FontAttributes& font) override { font_ = font; }

 private:
  FontAttributes font_{"Courier New"};
};

class PlaceholderTextMetrics : public TextMetricsReset {
 public:
  void ResetTextMetrics() override {}
};

// As if the user cancelled the list.
class PlaceholderListSelector : public ListSelector {
 public:
  std::int16_t VListSelect(std::uint16_t, std::uint16_t, const std::string&,
                           const std::vector<std::string>&, std::uint8_t) override {
    return 0;
  }
};

}  // namespace korv
