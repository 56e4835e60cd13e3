#include "jobs/RawJobPrinterOnTPrinter.h"

#include "printing/DeviceContext.h"

namespace korv {

std::optional<std::string> RawJobPrinterOnTPrinter::CurrentPrinterEntry() {
  std::string entry = printer_.SelectedPrinterText();  // empty only for an empty list
  if (entry.empty()) return std::nullopt;
  return entry;
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
