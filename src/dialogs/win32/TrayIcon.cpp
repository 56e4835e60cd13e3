#include "dialogs/win32/TrayIcon.h"

#include <shellapi.h>

#include <cstring>
#include <exception>

namespace korv::win32 {

static_assert(nif::kMessage == NIF_MESSAGE && nif::kIcon == NIF_ICON && nif::kTip == NIF_TIP);
static_assert(wm::kWindowPosChanged == WM_WINDOWPOSCHANGED && wm::kSysCommand == WM_SYSCOMMAND);
static_assert(wm::kScMinimize == SC_MINIMIZE && wm::kScClose == SC_CLOSE);
static_assert(wm::kLButtonDown == WM_LBUTTONDOWN && wm::kRButtonDown == WM_RBUTTONDOWN &&
              wm::kMButtonDblClk == WM_MBUTTONDBLCLK);
static_assert(static_cast<int>(ShowCommand::Hide) == SW_HIDE &&
              static_cast<int>(ShowCommand::ShowNormal) == SW_SHOWNORMAL &&
              static_cast<int>(ShowCommand::Show) == SW_SHOW &&
              static_cast<int>(ShowCommand::Restore) == SW_RESTORE);
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == kNotifyIconRecordSize);

namespace {

constexpr char kClassName[] = "KorvTrayIconWindow";
constexpr UINT kApplyActive = WM_APP + 1;  // wParam: the new Active; from the print thread
constexpr UINT kPrinterOptionsItem = 1;
constexpr UINT kRemoveItem = 2;
constexpr UINT kOpenLogItem = 3;
constexpr UINT kAboutItem = 4;

}  // namespace

TrayIcon::TrayIcon(HWND applicationWindow, HWND serviceWindow, TrayMenu menu,
                   std::function<void(const std::string&)> showError, HICON applicationIcon)
    : application_(applicationWindow),
      service_(serviceWindow),
      menu_(std::move(menu)),
      showError_(std::move(showError)),
      applicationIcon_(applicationIcon),
      windowThread_(GetCurrentThreadId()),
      component_(*this, showError_) {
  WindowClass cls;
  cls.name = kClassName;
  // A hidden top-level window, not a message-only one: those miss the broadcasts
  // (the taskbar's re-creation, the end of the session).
  if (!RegisterWindowClass(cls) ||
      !CreateRoutedWindow(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr))
    throw ETrayIcon("Tray icon error");
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

void TrayIcon::SetActive(bool active) {
  if (GetCurrentThreadId() == windowThread_) {
    Guard([&] { component_.SetActive(active); });
    return;
  }
  // The print thread never touches the windows itself: the window thread applies it.
  PostMessageA(Window(), kApplyActive, active ? 1 : 0, 0);
}

void TrayIcon::ApplyPrintLoopSettings(const TraySettings& settings) {
  SetActive(settings.active);
  SetCloseToTray(settings.closeToTray);
  SetHideOnRestore(settings.hideOnRestore);
  SetMinimizeToTray(settings.minimizeToTray);
}

void TrayIcon::Guard(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    if (showError_) showError_(error.what());
  }
}

// TrayShell ------------------------------------------------------------------------

bool TrayIcon::NotifyIcon(NotifyIconOp op, const NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the first layout: every version of the shell
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  const std::size_t length =
      record.tip.size() < sizeof(data.szTip) - 1 ? record.tip.size() : sizeof(data.szTip) - 1;
  std::memcpy(data.szTip, record.tip.data(), length);
  data.szTip[length] = '\0';
  const DWORD message = op == NotifyIconOp::Add      ? NIM_ADD
                        : op == NotifyIconOp::Modify ? NIM_MODIFY
                                                     : NIM_DELETE;
  return Shell_NotifyIconA(message, &data) != FALSE;
}

WindowId TrayIcon::MessageWindow() {
  return reinterpret_cast<WindowId>(Window());
}

IconId TrayIcon::ApplicationIcon() {
  return reinterpret_cast<IconId>(applicationIcon_);
}

IconId TrayIcon::StandardApplicationIcon() {
  return reinterpret_cast<IconId>(LoadIcon(nullptr, IDI_APPLICATION));
}

HWND TrayIcon::Handle(TrayWindow window) const {
  return window == TrayWindow::Application ? application_ : service_;
}

bool TrayIcon::IsMinimized(TrayWindow window) {
  HWND handle = Handle(window);
  return handle && IsIconic(handle);
}

void TrayIcon::ShowWindow(TrayWindow window, ShowCommand command) {
  if (HWND handle = Handle(window)) ::ShowWindow(handle, static_cast<int>(command));
}

void TrayIcon::SetForegroundWindow(TrayWindow window) {
  HWND handle = Handle(window);
  // Without an application window of its own, the icon's window takes the foreground
  // for the menu.
  if (!handle && window == TrayWindow::Application) handle = Window();
  if (handle) ::SetForegroundWindow(handle);
}

void TrayIcon::BringWindowToTop(TrayWindow window) {
  if (HWND handle = Handle(window)) ::BringWindowToTop(handle);
}

void TrayIcon::RestoreApplication() {
  if (application_ && IsIconic(application_)) ::ShowWindow(application_, SW_RESTORE);
}

void TrayIcon::ProcessMessages() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the application's own loop
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

ScreenPoint TrayIcon::CursorPos() {
  POINT point{};
  if (!GetCursorPos(&point)) return {};
  return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

bool TrayIcon::HasPopupMenu() {
  return menu_.PrinterOptions || menu_.Remove;
}

void TrayIcon::PopupMenu(ScreenPoint at) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  if (!AppendMenuA(menu.Get(), MF_STRING, kPrinterOptionsItem, "&Printer Options") ||
      (menu_.OpenLog && !AppendMenuA(menu.Get(), MF_STRING, kOpenLogItem, "Open &Log")) ||
      !AppendMenuA(menu.Get(), MF_STRING, kRemoveItem, "&Remove"))
    return;
  // Which version runs, for whoever supports it; a line to read, not to choose.
  if (!menu_.About.empty() && AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr))
    AppendMenuA(menu.Get(), MF_STRING | MF_GRAYED, kAboutItem, menu_.About.c_str());
  HWND owner = application_ ? application_ : Window();
  // Automatic popup is off: the chosen item comes back here instead of as a command.
  const BOOL chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                     at.x, at.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
  menu.Reset();
  if (chosen == static_cast<BOOL>(kPrinterOptionsItem) && menu_.PrinterOptions)
    menu_.PrinterOptions();
  else if (chosen == static_cast<BOOL>(kRemoveItem) && menu_.Remove)
    menu_.Remove();
  else if (chosen == static_cast<BOOL>(kOpenLogItem) && menu_.OpenLog)
    menu_.OpenLog();
}

// Messages ----------------------------------------------------------------

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    Guard([&] { component_.IconNotification(static_cast<std::uintptr_t>(lParam)); });
  } else if (message == kApplyActive) {
    Guard([&] { component_.SetActive(wParam != 0); });
    return 0;
  } else if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    Guard([&] { component_.ShellRestarted(); });
  } else if (message == WM_QUERYENDSESSION) {
    return 1;  // log-off and shutdown may go ahead
  }
  return DefaultHandling(message, wParam, lParam);
}

bool TrayIcon::ServiceWindowMessage(UINT message, WPARAM wParam) {
  bool consumed = false;
  Guard([&] {
    consumed = component_.ServiceWindowMessage(message, static_cast<std::uintptr_t>(wParam));
  });
  return consumed;
}

}  // namespace korv::win32
