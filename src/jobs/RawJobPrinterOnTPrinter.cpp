#include "jobs/RawJobPrinterOnTPrinter.h"

#include "printing/DeviceContext.h"

namespace korv {

std::optional<std::string> RawJobPrinterOnTPrinter::CurrentPrinterEntry() {
  if (printer_.PrinterTexts().empty()) return std::nullopt;
  return printer_.SelectedPrinterText();
}

void RawJobPrinterOnTPrinter::StartPassThroughDocument(const std::string& title) {
  auto guard = printer_.Lock();
  printer_.SetPassThroughDocument(true);
  printer_.SetDocumentTitle(title);
  printer_.StartDocument();  // a failed start clears PassThroughDocument again
}

int RawJobPrinterOnTPrinter::PassThroughEscape(const std::string& block) {
  return printer_.Escape(kPassThrough, block);
}

void RawJobPrinterOnTPrinter::EndPassThroughDocument() {
  printer_.EndDocument();
}

}  // namespace korv
