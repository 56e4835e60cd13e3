#include "app/win32/Win32AppShell.h"

#include "settings/win32/WideNames32.h"

namespace korv {

bool Win32AppShell::TopLevelWindowExists(const std::string& title) {
  return FindWindowA(nullptr, title.c_str()) != nullptr;
}

void Win32AppShell::MessageBeep(unsigned type) {
  ::MessageBeep(type);  // a missing sound is no reason to stop
}

void Win32AppShell::ErrorBox(const std::string& text, const std::string& caption) {
  // Centred on the screen and in front, as the service's own windows are minimised.
  MessageBoxW(nullptr, win32::WideFromText(text).c_str(), win32::WideFromText(caption).c_str(),
              MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace korv
