#pragma once
// The notification area and the service's two windows as the user sees them: the icon
// with its tip, which windows are on screen and which is in front, and the icon's menu
// when it is open. Notify calls can be told to fail.
#include <optional>
#include <string>

#include "dialogs/TrayShell.h"

namespace korv::fakes {

class FakeTrayShell : public TrayShell {
 public:
  struct Window {
    bool visible = true;
    bool minimized = false;
  };

  bool NotifyIcon(NotifyIconOp op, const NotifyIconRecord& record) override {
    ++notifyCalls;
    if (failNotify || (failAdd && op == NotifyIconOp::Add)) return false;
    if (op == NotifyIconOp::Delete)
      shown.reset();
    else
      shown = record;
    return true;
  }
  WindowId MessageWindow() override { return 0x77; }
  IconId ApplicationIcon() override { return applicationIcon; }
  IconId StandardApplicationIcon() override { return kStandardIcon; }
  bool IsMinimized(TrayWindow w) override { return Of(w).minimized; }
  void ShowWindow(TrayWindow w, ShowCommand c) override {
    Of(w).visible = c != ShowCommand::Hide;
    if (c == ShowCommand::Restore || c == ShowCommand::ShowNormal) Of(w).minimized = false;
  }
  void SetForegroundWindow(TrayWindow w) override { front = w; }
  void BringWindowToTop(TrayWindow) override {}
  void RestoreApplication() override { application.minimized = false; }
  void ProcessMessages() override {}
  ScreenPoint CursorPos() override { return cursor; }
  bool HasPopupMenu() override { return hasPopupMenu; }
  void PopupMenu(ScreenPoint at) override {
    menuAt = at;
    // The menu only closes properly when the application is in front as it opens.
    menuClosesProperly = front == TrayWindow::Application;
  }

  static constexpr IconId kStandardIcon = 32512;
  std::optional<NotifyIconRecord> shown;  // the icon in the notification area
  Window application, service;
  std::optional<TrayWindow> front;
  std::optional<ScreenPoint> menuAt;  // where the icon's menu opened
  bool menuClosesProperly = false;
  int notifyCalls = 0;
  bool failNotify = false;  // every notify call fails
  bool failAdd = false;     // only adding fails (the icon is there already)
  IconId applicationIcon = 0;
  bool hasPopupMenu = true;
  ScreenPoint cursor{600, 740};

 private:
  Window& Of(TrayWindow w) { return w == TrayWindow::Application ? application : service; }
};

}  // namespace korv::fakes
