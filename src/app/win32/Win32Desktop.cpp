#include "app/win32/Win32Desktop.h"

#include <vector>

namespace korv::win32 {

namespace {

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
  const auto& visit = *reinterpret_cast<const std::function<bool(WindowId)>*>(context);
  return visit(Win32Desktop::ToId(window)) ? TRUE : FALSE;
}

// Our own windows belong to the window thread. From the print thread the change is
// posted to that thread (ShowWindowAsync), so the print thread never waits on it.
void ShowOwnWindow(HWND window, int command) {
  if (!window) return;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
    ShowWindow(window, command);
  else
    ShowWindowAsync(window, command);
}

}  // namespace

void Win32Desktop::EnumerateTopLevelWindows(const std::function<bool(WindowId)>& visit) {
  // EnumWindows also reports FALSE when the callback stopped it; nothing to check.
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

std::string Win32Desktop::WindowTitle(WindowId window, int bufferSize) {
  if (bufferSize <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize), '\0');
  const int length = GetWindowTextA(ToHandle(window), buffer.data(), bufferSize);
  if (length <= 0) return {};
  return std::string(buffer.data(),
                     static_cast<std::size_t>(length < bufferSize ? length : bufferSize - 1));
}

bool Win32Desktop::SetWindowTitle(WindowId window, const std::string& title) {
  return SetWindowTextA(ToHandle(window), title.c_str()) != FALSE;
}

bool Win32Desktop::BringToTop(WindowId window) {
  return BringWindowToTop(ToHandle(window)) != FALSE;
}

void Win32Desktop::Show(WindowId window, int showCommand) {
  // The result is the window's previous visibility, not success.
  ShowWindow(ToHandle(window), showCommand);
}

bool Win32Desktop::SetForeground(WindowId window) {
  return SetForegroundWindow(ToHandle(window)) != FALSE;
}

void Win32Desktop::MinimizeApplication() {
  HWND application = application_ ? application_ : service_;
  if (application && !IsIconic(application)) ShowOwnWindow(application, SW_MINIMIZE);
}

void Win32Desktop::HideServiceWindow() {
  ShowOwnWindow(service_, SW_HIDE);
}

}  // namespace korv::win32
