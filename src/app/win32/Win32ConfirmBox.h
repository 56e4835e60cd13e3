#pragma once
// The confirmation message box of the service window's handlers.
#include "app/MainFormPorts.h"

namespace korv {

class Win32ConfirmBox : public ConfirmBox {
 public:
  bool Confirm(const std::string& text) override;
};

}  // namespace korv
