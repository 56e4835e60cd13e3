#include "app/win32/ApplicationError.h"

#include "dialogs/StandardError.h"
#include "settings/win32/WideNames32.h"

#include "win32/Win32Api.h"

namespace korv {

void ShowApplicationError(const std::string& message) {
  MessageBoxW(nullptr, win32::WideFromText(StandardErrorText(message)).c_str(),
              win32::WideFromText(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace korv
