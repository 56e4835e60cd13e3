#include "app/win32/Win32ConfirmBox.h"

#include "settings/win32/WideNames32.h"
#include "win32/Win32Api.h"

namespace korv {

bool Win32ConfirmBox::Confirm(const std::string& text) {
  // No owner: centred on the screen. A box that cannot be shown answers like Cancel. Wide:
  // a question may name a job file in any script (UTF-8, like every file name).
  return MessageBoxW(nullptr, win32::WideFromWtf8(text).c_str(), L"Confirm",
                     MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL | MB_SETFOREGROUND) == IDOK;
}

}  // namespace korv
