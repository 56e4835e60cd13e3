#include "app/win32/Win32ConfirmBox.h"

#include "settings/win32/WideNames32.h"
#include "win32/Win32Api.h"

namespace korv {

bool Win32ConfirmBox::Confirm(const std::string& text) {
  // No owner: centred on the screen. A box that cannot be shown answers like Cancel.
  return MessageBoxW(nullptr, win32::WideFromText(text).c_str(), L"Confirm",
                     MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL | MB_SETFOREGROUND) == IDOK;
}

}  // namespace korv
