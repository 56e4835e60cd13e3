#pragma once
// Counts LoadPrinterChoice calls and runs a hook in each (to see the modes it was called in).
#include <functional>
#include <stdexcept>
#include <string>

#include "spool/PrinterChoice.h"

namespace korv::fakes {

class FakePrinterChoice : public PrinterChoice {
 public:
  void LoadPrinterChoice() override {
    ++calls;
    if (onLoad) onLoad();
    if (!failWith.empty()) throw std::runtime_error(failWith);
  }

  int calls = 0;
  std::function<void()> onLoad;
  std::string failWith;
};

}  // namespace korv::fakes
