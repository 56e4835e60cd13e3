#include "dialogs/TrayIconComponent.h"

namespace korv {

namespace {

std::atomic<bool> instanceExists{false};

enum class TrayMouseAction { None, DoubleClick, Popup };

// What the icon does with the mouse message its callback carries.
TrayMouseAction DecideTrayMouse(std::uintptr_t mouseMessage) {
  switch (mouseMessage) {
    case wm::kLButtonDblClk:
    case wm::kRButtonDblClk:
    case wm::kMButtonDblClk:
      return TrayMouseAction::DoubleClick;
    case wm::kRButtonDown:
      return TrayMouseAction::Popup;
    default:
      return TrayMouseAction::None;  // single clicks and button-up messages
  }
}

}  // namespace

TrayIconComponent::TrayIconComponent(TrayShell& shell,
                                     std::function<void(const std::string&)> showError)
    : shell_(shell), showError_(std::move(showError)) {
  if (instanceExists.exchange(true))
    throw std::logic_error("Only one notification-area icon per application");
}

TrayIconComponent::~TrayIconComponent() {
  if (added_) shell_.NotifyIcon(NotifyIconOp::Delete, Record());
  instanceExists = false;
}

NotifyIconRecord TrayIconComponent::Record() {
  NotifyIconRecord record;
  record.window = shell_.MessageWindow();
  record.flags = nif::kMessage | nif::kIcon | nif::kTip;
  record.icon = shell_.ApplicationIcon();
  if (!record.icon) record.icon = shell_.StandardApplicationIcon();
  record.tip = hint_.substr(0, kTrayTipLimit);
  return record;
}

void TrayIconComponent::AddIcon() {
  added_ = shell_.NotifyIcon(NotifyIconOp::Add, Record());
  if (!added_) throw ETrayIcon("Error adding tray icon");
}

void TrayIconComponent::ModifyIcon() {
  if (added_ && !shell_.NotifyIcon(NotifyIconOp::Modify, Record()))
    throw ETrayIcon("Tray icon error");
}

void TrayIconComponent::DeleteIcon() {
  if (!added_) return;
  shell_.NotifyIcon(NotifyIconOp::Delete, Record());
  added_ = false;
}

void TrayIconComponent::SetActive(bool active) {
  active_ = active;
  if (!loaded_) return;
  if (active && !added_) AddIcon();
  if (!active) DeleteIcon();
}

void TrayIconComponent::SetHint(const std::string& hint) {
  hint_ = hint;
  ModifyIcon();
}

void TrayIconComponent::Loaded() {
  loaded_ = true;
  if (active_ && !added_) AddIcon();
}

void TrayIconComponent::IconNotification(std::uintptr_t mouseMessage) {
  switch (DecideTrayMouse(mouseMessage)) {
    case TrayMouseAction::DoubleClick:
      Restore();
      break;
    case TrayMouseAction::Popup:
      if (!shell_.HasPopupMenu()) break;
      // The menu only closes properly when the application is in the foreground.
      shell_.SetForegroundWindow(TrayWindow::Application);
      shell_.ProcessMessages();
      shell_.PopupMenu(shell_.CursorPos());
      break;
    case TrayMouseAction::None:
      break;
  }
}

void TrayIconComponent::Restore() {
  if (shell_.IsMinimized(TrayWindow::Service) && startupCounter_ >= 2)
    shell_.ShowWindow(TrayWindow::Service, ShowCommand::Restore);
  shell_.ShowWindow(TrayWindow::Service, ShowCommand::Show);
  shell_.SetForegroundWindow(TrayWindow::Service);
  shell_.ShowWindow(TrayWindow::Application, ShowCommand::ShowNormal);
  shell_.RestoreApplication();
  shell_.BringWindowToTop(TrayWindow::Application);
  if (hideOnRestore_) DeleteIcon();
}

bool TrayIconComponent::ServiceWindowMessage(std::uint32_t message, std::uintptr_t wParam) {
  if (!loaded_) return false;
  if (message == wm::kWindowPosChanged && startupCounter_ < 2) {
    // The window starts minimised: keep it and the application out of sight.
    if (shell_.IsMinimized(TrayWindow::Service)) {
      shell_.ShowWindow(TrayWindow::Application, ShowCommand::Hide);
      shell_.ShowWindow(TrayWindow::Service, ShowCommand::Hide);
      ++startupCounter_;
    } else {
      startupCounter_ = 2;
    }
    return false;
  }
  if (message != wm::kSysCommand) return false;
  const bool toTray =
      (wParam == wm::kScMinimize && minimizeToTray_) || (wParam == wm::kScClose && closeToTray_);
  if (!toTray || !active_) return false;
  try {
    if (!added_) AddIcon();
  } catch (const ETrayIcon& error) {
    // Without the icon the window would be out of reach: it stays; the command is
    // consumed all the same.
    showError_(error.what());
    return true;
  }
  shell_.ShowWindow(TrayWindow::Application, ShowCommand::Hide);
  shell_.ShowWindow(TrayWindow::Service, ShowCommand::Hide);
  return true;
}

void TrayIconComponent::ShellRestarted() {
  if (!added_) return;
  // A new taskbar has lost the icon; one that kept it refuses the add but takes a modify.
  if (shell_.NotifyIcon(NotifyIconOp::Add, Record())) return;
  if (shell_.NotifyIcon(NotifyIconOp::Modify, Record())) return;
  added_ = false;
  throw ETrayIcon("Error adding tray icon");
}

}  // namespace korv
