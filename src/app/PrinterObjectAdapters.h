#pragma once
// The printer object as the window's handlers and the print loop see it: its printer
// list and selection, its canvas font, and the text metrics fitted on it.
#include "app/PrinterSelection.h"
#include "app/ServiceWindowPorts.h"
#include "base/ServiceFlags.h"
#include "jobs/TextMetrics.h"
#include "printing/TPrinter.h"
#include "spool/PrinterFontSetup.h"

namespace korv {

class PrinterSelectionOnTPrinter : public PrinterSelection {
 public:
  explicit PrinterSelectionOnTPrinter(TPrinter& printer) : printer_(printer) {}
  std::vector<std::string> PrinterList() override { return printer_.PrinterTexts(); }
  int SelectedIndex() override { return printer_.SelectedIndex(); }
  void SetSelectedIndex(int index) override { printer_.SetSelectedIndex(index); }

 private:
  TPrinter& printer_;
};

// The font dialog's choice becomes the printer font; its height is set per job.
class CanvasFontOnTPrinter : public CanvasFont, public PrinterFontSetup {
 public:
  explicit CanvasFontOnTPrinter(TPrinter& printer) : printer_(printer) {}
  TPrinterFont Font() override;
  void SetFont(const TPrinterFont& font) override;
  void CreatePrinterFont(const PrinterFontRequest& request) override;

 private:
  TPrinter& printer_;
};

class TextMetricsResetOnTPrinter : public TextMetricsReset {
 public:
  TextMetricsResetOnTPrinter(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags)
      : metrics_(metrics), printer_(printer), flags_(flags) {}
  void ResetTextMetrics() override { korv::ResetTextMetrics(metrics_, printer_, flags_); }

 private:
  TextMetrics& metrics_;
  TPrinter& printer_;
  const ServiceFlags& flags_;
};

}  // namespace korv
