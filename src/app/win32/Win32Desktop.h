#pragma once
// The desktop on Win32: EnumWindows and the window calls host-window activation makes.
// The service's own windows are handed in; a null application window means the service
// window stands for the application when it is minimised.
#include "win32/Win32Api.h"

#include "app/Desktop.h"

namespace korv::win32 {

class Win32Desktop final : public Desktop {
 public:
  Win32Desktop(HWND applicationWindow, HWND serviceWindow)
      : application_(applicationWindow), service_(serviceWindow) {}

  void EnumerateTopLevelWindows(const std::function<bool(WindowId)>& visit) override;
  std::string WindowTitle(WindowId window, int bufferSize) override;
  bool SetWindowTitle(WindowId window, const std::string& title) override;
  bool BringToTop(WindowId window) override;
  void Show(WindowId window, int showCommand) override;
  bool SetForeground(WindowId window) override;
  void MinimizeApplication() override;
  void HideServiceWindow() override;

  static HWND ToHandle(WindowId window) { return reinterpret_cast<HWND>(window); }
  static WindowId ToId(HWND window) { return reinterpret_cast<WindowId>(window); }

 private:
  HWND application_;
  HWND service_;
};

}  // namespace korv::win32
