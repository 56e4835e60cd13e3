#pragma once
// The notification-area icon on Win32: a hidden window for the icon's notifications,
// Shell_NotifyIconA, the subclassed service window and the pop-up menu PopupMenu1.
// The decisions are TrayIconComponent's; this class only carries them out.
//
// Create and destroy it on the window thread. SetActive, SetCloseToTray,
// SetMinimizeToTray and SetHideOnRestore may be called from any thread.
#include "win32/Win32Api.h"

#include <functional>
#include <string>

#include "dialogs/TrayIconComponent.h"
#include "service/TrayIconSetup.h"
#include "win32/RoutedWindow.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

class TrayIcon final : public TrayIconSetup, private TrayShell, private RoutedWindow {
 public:
  // The items of PopupMenu1.
  struct PopupMenu1 {
    std::function<void()> PrinterOptions1;  // "&Printer Options": DoRestore
    std::function<void()> Remove1;          // "&Remove": DoStop
    std::function<void()> OpenLog;          // "Open &Log", shown when set
    std::string About;                      // a grayed last line, shown when not empty
  };

  // `applicationWindow` may be null (then the service window stands alone);
  // `showError` is the application's standard error display; `applicationIcon` may be
  // null (then the system's application icon is shown).
  TrayIcon(HWND applicationWindow, HWND serviceWindow, PopupMenu1 menu,
           std::function<void(const std::string&)> showError, HICON applicationIcon = nullptr);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() override;

  // Any thread. From another thread the change of Active is posted to the window thread.
  void SetActive(bool active);
  void SetCloseToTray(bool value) { component_.SetCloseToTray(value); }
  void SetMinimizeToTray(bool value) { component_.SetMinimizeToTray(value); }
  void SetHideOnRestore(bool value) { component_.SetHideOnRestore(value); }
  // The print loop's settings at its start, from the print thread.
  void ApplyPrintLoopSettings(const TraySettings& settings) override;

  // Window thread; may raise ETrayIcon.
  void SetShowHint(bool show) { component_.SetShowHint(show); }
  void SetHint(const std::string& hint) { component_.SetHint(hint); }
  void SetIcon(HICON icon) { component_.SetIcon(reinterpret_cast<IconId>(icon)); }
  void Loaded() { component_.Loaded(); }  // the layout is loaded: the icon appears

  TrayIconComponent& Component() { return component_; }

 private:
  // TrayShell
  bool NotifyIcon(NotifyIconOp op, const NotifyIconRecord& record) override;
  WindowId MessageWindow() override;
  IconId ApplicationIcon() override;
  IconId StandardApplicationIcon() override;
  void HookServiceWindow() override;
  bool IsMinimized(TrayWindow window) override;
  void ShowWindow(TrayWindow window, ShowCommand command) override;
  void SetForegroundWindow(TrayWindow window) override;
  void BringWindowToTop(TrayWindow window) override;
  void RestoreApplication() override;
  void ProcessMessages() override;
  ScreenPoint CursorPos() override;
  bool HasPopupMenu() override;
  void PopupMenu(ScreenPoint at) override;
  KeyState ShiftState() override;

  HWND Handle(TrayWindow window) const;
  void Unhook();
  void Guard(const std::function<void()>& action);
  // The icon's hidden window.
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT CALLBACK ServiceWindowProc(HWND, UINT, WPARAM, LPARAM);

  HWND application_;
  HWND service_;
  PopupMenu1 menu_;
  std::function<void(const std::string&)> showError_;
  HICON applicationIcon_;
  DWORD windowThread_;
  UINT taskbarCreated_ = 0;
  WNDPROC previous_ = nullptr;   // the service window's own procedure while hooked
  TrayIconComponent component_;  // goes first, deleting the icon while its window lives
};

}  // namespace korv::win32
