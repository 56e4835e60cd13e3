#pragma once
// Records every printer font the service asked for.
#include <stdexcept>
#include <string>
#include <vector>

#include "spool/PrinterFontSetup.h"

namespace korv::fakes {

class FakePrinterFontSetup : public PrinterFontSetup {
 public:
  void CreatePrinterFont(const PrinterFontRequest& request) override {
    created.push_back(request);
    if (!failWith.empty()) throw std::runtime_error(failWith);
  }

  std::vector<PrinterFontRequest> created;
  std::string failWith;
};

}  // namespace korv::fakes
