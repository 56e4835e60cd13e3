#include "service/win32/ApplicationError.h"

#include "settings/win32/Win32Api.h"

namespace korv {

void ShowApplicationError(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBoxA(nullptr, text.c_str(), "Printer for Korvelane", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace korv
