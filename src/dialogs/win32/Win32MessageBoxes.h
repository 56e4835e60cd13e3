#pragma once
// Message boxes through MessageBoxA and the beep through MessageBeep.
#include "settings/win32/Win32Api.h"

#include "dialogs/MessageBoxPort.h"

namespace korv::win32 {

class Win32MessageBoxes final : public MessageBoxPort {
 public:
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}

  int Show(const std::string& text, const std::string& caption, unsigned style) override;
  void Beep(unsigned type) override;

 private:
  HWND owner_;
};

}  // namespace korv::win32
