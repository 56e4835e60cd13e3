#include "app/win32/ApplicationError.h"

#include "dialogs/StandardError.h"

#include "win32/Win32Api.h"

namespace korv {

void ShowApplicationError(const std::string& message) {
  MessageBoxA(nullptr, StandardErrorText(message).c_str(), kApplicationTitle,
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace korv
