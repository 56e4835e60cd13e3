#pragma once
// The notification area and the service's windows in memory: a log of every call, the
// icon's current record, window states, and a switch that makes notify calls fail.
#include <optional>
#include <string>
#include <vector>

#include "dialogs/TrayShell.h"

namespace korv::fakes {

class FakeTrayShell : public TrayShell {
 public:
  bool NotifyIcon(NotifyIconOp op, const NotifyIconRecord& record) override {
    static const char* names[] = {"add", "modify", "delete"};
    log.push_back(std::string("notify ") + names[static_cast<int>(op)]);
    records.push_back(record);
    if (failNotify || (failAdd && op == NotifyIconOp::Add)) return false;
    if (op == NotifyIconOp::Delete)
      shown.reset();
    else
      shown = record;
    return true;
  }
  WindowId MessageWindow() override { return 0x77; }
  IconId ApplicationIcon() override { return applicationIcon; }
  IconId StandardApplicationIcon() override { return 32512; }
  bool IsMinimized(TrayWindow w) override { return minimized[Index(w)]; }
  void ShowWindow(TrayWindow w, ShowCommand c) override {
    log.push_back("show " + Name(w) + " " + std::to_string(static_cast<int>(c)));
    if (c == ShowCommand::Restore || c == ShowCommand::ShowNormal) minimized[Index(w)] = false;
  }
  void SetForegroundWindow(TrayWindow w) override { log.push_back("foreground " + Name(w)); }
  void BringWindowToTop(TrayWindow w) override { log.push_back("top " + Name(w)); }
  void RestoreApplication() override { log.push_back("restore application"); }
  void ProcessMessages() override { log.push_back("process messages"); }
  ScreenPoint CursorPos() override { return cursor; }
  bool HasPopupMenu() override { return hasPopupMenu; }
  void PopupMenu(ScreenPoint at) override {
    log.push_back("popup " + std::to_string(at.x) + "," + std::to_string(at.y));
  }

  std::vector<std::string> log;
  std::vector<NotifyIconRecord> records;  // every record handed to the shell
  std::optional<NotifyIconRecord> shown;  // the icon as the notification area shows it
  bool failNotify = false;                // every notify call fails
  bool failAdd = false;                   // only adding fails (the icon is there already)
  IconId applicationIcon = 0;
  bool minimized[2] = {false, false};  // application, service
  bool hasPopupMenu = true;
  ScreenPoint cursor{600, 740};

 private:
  static int Index(TrayWindow w) { return w == TrayWindow::Application ? 0 : 1; }
  static std::string Name(TrayWindow w) {
    return w == TrayWindow::Application ? "application" : "service";
  }
};

}  // namespace korv::fakes
