#pragma once
// The printer object as the raw branch sees it.
#include "jobs/RawJobPrinter.h"
#include "printing/TPrinter.h"

namespace korv {

class RawJobPrinterOnTPrinter : public RawJobPrinter {
 public:
  explicit RawJobPrinterOnTPrinter(TPrinter& printer) : printer_(printer) {}

  std::optional<std::string> CurrentPrinterEntry() override;
  void StartPassThroughDocument(const std::string& title) override;
  int PassThroughEscape(const std::string& block) override;
  void EndPassThroughDocument() override;

 private:
  TPrinter& printer_;
};

}  // namespace korv
