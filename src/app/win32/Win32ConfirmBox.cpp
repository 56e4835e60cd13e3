#include "app/win32/Win32ConfirmBox.h"

#include "win32/Win32Api.h"

namespace korv {

bool Win32ConfirmBox::Confirm(const std::string& text) {
  // No owner: centred on the screen. A box that cannot be shown answers like Cancel.
  return MessageBoxA(nullptr, text.c_str(), "Confirm",
                     MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL | MB_SETFOREGROUND) == IDOK;
}

}  // namespace korv
