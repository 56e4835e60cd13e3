#pragma once
// The confirmation message box of the service window's handlers.
#include "app/ServiceWindowPorts.h"

namespace korv {

class Win32ConfirmBox : public ConfirmBox {
 public:
  bool Confirm(const std::string& text) override;
};

}  // namespace korv
