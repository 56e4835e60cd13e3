#pragma once
// The spooler port on the Win32 print spooler (winspool).
#include "printing/Spooler.h"

namespace korv::win32 {

class Win32Spooler : public Spooler {
 public:
  std::unique_ptr<SpoolerPrinter> Open(const std::string& name) override;
  std::string LastErrorText() override;
};

}  // namespace korv::win32
