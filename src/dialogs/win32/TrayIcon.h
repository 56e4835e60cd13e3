#pragma once
// The notification-area icon on Win32: a hidden window for the icon's notifications,
// Shell_NotifyIconA and the icon's pop-up menu. The service window, which owns it,
// hands it its position changes and system commands. The decisions are
// TrayIconComponent's; this class only carries them out.
//
// Create and destroy it on the window thread. SetActive, SetCloseToTray,
// SetMinimizeToTray and SetHideOnRestore may be called from any thread.
#include "win32/Win32Api.h"

#include <functional>
#include <string>

#include "dialogs/TrayIconComponent.h"
#include "dialogs/TrayIconSetup.h"
#include "win32/RoutedWindow.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

class TrayIcon final : public TrayIconSetup, private TrayShell, private RoutedWindow {
 public:
  // The items of the icon's right-click menu.
  struct TrayMenu {
    std::function<void()> PrinterOptions;  // "&Printer Options": ShowOptions
    std::function<void()> Remove;          // "&Remove": AskToRemove
    std::function<void()> OpenLog;         // "Open &Log", shown when set
    std::string About;                     // a grayed last line, shown when not empty
  };

  // `applicationWindow` may be null (then the service window stands alone);
  // `showError` is the application's standard error display; `applicationIcon` may be
  // null (then the system's application icon is shown).
  TrayIcon(HWND applicationWindow, HWND serviceWindow, TrayMenu menu,
           std::function<void(const std::string&)> showError, HICON applicationIcon = nullptr);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Any thread. From another thread the change of Active is posted to the window thread.
  void SetActive(bool active);
  void SetCloseToTray(bool value) { component_.SetCloseToTray(value); }
  void SetMinimizeToTray(bool value) { component_.SetMinimizeToTray(value); }
  void SetHideOnRestore(bool value) { component_.SetHideOnRestore(value); }
  // The print loop's settings at its start, from the print thread.
  void ApplyPrintLoopSettings(const TraySettings& settings) override;

  // Window thread; may raise ETrayIcon.
  void SetHint(const std::string& hint) { component_.SetHint(hint); }
  void Loaded() { component_.Loaded(); }  // the layout is loaded: the icon appears

  // A message of the service window; true when the icon consumed it (a minimise or close
  // command that hid the window). Window thread; errors go to the standard error display.
  bool ServiceWindowMessage(UINT message, WPARAM wParam);

 private:
  // TrayShell
  bool NotifyIcon(NotifyIconOp op, const NotifyIconRecord& record) override;
  WindowId MessageWindow() override;
  IconId ApplicationIcon() override;
  IconId StandardApplicationIcon() override;
  bool IsMinimized(TrayWindow window) override;
  void ShowWindow(TrayWindow window, ShowCommand command) override;
  void SetForegroundWindow(TrayWindow window) override;
  void BringWindowToTop(TrayWindow window) override;
  void RestoreApplication() override;
  void ProcessMessages() override;
  ScreenPoint CursorPos() override;
  bool HasPopupMenu() override;
  void PopupMenu(ScreenPoint at) override;

  HWND Handle(TrayWindow window) const;
  void Guard(const std::function<void()>& action);
  // The icon's hidden window.
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND application_;
  HWND service_;
  TrayMenu menu_;
  std::function<void(const std::string&)> showError_;
  HICON applicationIcon_;
  DWORD windowThread_;
  UINT taskbarCreated_ = 0;
  TrayIconComponent component_;  // goes first, deleting the icon while its window lives
};

}  // namespace korv::win32
