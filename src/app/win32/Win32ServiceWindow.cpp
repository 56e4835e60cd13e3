#include "app/win32/Win32ServiceWindow.h"

// clang-format off
#include "win32/ProgramWindowLook.h"
#include "win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

#include "app/win32/ApplicationError.h"
#include "app/win32/Messages.h"
#include "settings/win32/WideNames32.h"
#include "win32/SelectedObject.h"

namespace korv {

namespace {

constexpr const char* kWindowClass = "TMainForm";
// A fixed dialog frame with a caption and no title-bar buttons.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The title until start-up gives the window its own. A running service is known by that
// own title, so a window still being made must not carry it.
constexpr char kPlaceholderTitle[] = "xx";

constexpr int kLabelLeft = 10;
constexpr int kPrinterLabelTop = 160;
constexpr int kFontLabelTop = 195;

}  // namespace

bool Win32ServiceWindow::Create(HWND owner, Events events) {
  events_ = std::move(events);
  SIZE outer{};
  if (!win32::PrepareProgramWindow(ICC_BAR_CLASSES, kWindowClass, font_) ||
      !win32::OuterSize(kClientWidth, kClientHeight, kStyle, kExStyle, outer))
    return false;
  const int width = outer.cx;
  const int height = outer.cy;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (!CreateRoutedWindow(kExStyle, kWindowClass, kPlaceholderTitle, kStyle, left, top, width,
                          height, owner) ||
      !CreateControls())
    return false;
  return true;
}

Win32ServiceWindow::~Win32ServiceWindow() {
  events_ = Events{};
  DiscardPending();
  DestroyRoutedWindow();
}

win32::TrayIcon& Win32ServiceWindow::CreateTrayIcon(
    HWND application, win32::TrayIcon::TrayMenu menu,
    std::function<void(const std::string&)> showError, HICON icon) {
  return trayIcon_.emplace(application, Window(), std::move(menu), std::move(showError), icon);
}

bool Win32ServiceWindow::CreateControls() {
  const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
  // In tab order; the labels and the status bar take no focus. Printer and font names
  // are shown as they are: an ampersand in them is no mnemonic.
  const bool made =
      AddControl("BUTTON", "&Exit", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kExitButton, 319, 24,
                 60, 25) &&
      AddControl("BUTTON", "Use Windows default printer", WS_TABSTOP | BS_AUTOCHECKBOX,
                 kUseDefaultBox, 13, 77, 316, 14) &&
      AddControl("BUTTON", "Select &Printer", button, kSelectPrinterButton, 12, 116, 108, 25) &&
      AddControl("BUTTON", "Printer &Font", button, kPrinterFontButton, 12, 24, 100, 25) &&
      AddControl("BUTTON", "Print &Test Page", button, kTestPageButton, 152, 24, 127, 25) &&
      AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX, kPrinterLabel, kLabelLeft, kPrinterLabelTop,
                 0, 0) &&
      AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX, kFontLabel, kLabelLeft, kFontLabelTop, 0,
                 0) &&
      AddControl(STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE, kStatusBar, 0, 226,
                 kClientWidth, 25);
  if (!made) return false;
  SendDlgItemMessageA(Window(), kStatusBar, SB_SIMPLE, TRUE, 0);
  SetLabel(kPrinterLabel, "");
  SetLabel(kFontLabel, "");
  TickUseDefaultBox(true);  // ticked in the layout
  focused_ = GetDlgItem(Window(), kExitButton);
  return true;
}

HWND Win32ServiceWindow::AddControl(const char* cls, const char* text, DWORD style, Control id,
                                    int left, int top, int width, int height) {
  return AddControl(win32::WideFromText(cls).c_str(), win32::WideFromText(text).c_str(), style, id,
                    left, top, width, height);
}

HWND Win32ServiceWindow::AddControl(const wchar_t* cls, const wchar_t* text, DWORD style,
                                    Control id, int left, int top, int width, int height) {
  // Wide controls: a file or printer name is shown as written, whatever the code page.
  HWND control = CreateWindowExW(
      0, cls, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, Window(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return control;
}

bool Win32ServiceWindow::PreTranslateMessage(MSG& msg) {
  return Window() && IsDialogMessageA(Window(), &msg) != FALSE;
}

void Win32ServiceWindow::ShowMinimised() {
  // Minimised and active, so that the activation starts the service.
  ShowWindow(Window(), SW_SHOWMINIMIZED);
  // Should the window system not activate a minimised window, start all the same; the
  // start-up runs only once either way.
  PostMessageA(Window(), kMsgStartup, 0, 0);
}

void Win32ServiceWindow::Show() {
  ShowWindow(Window(), IsIconic(Window()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Window());
}

void Win32ServiceWindow::DiscardPending() {
  MSG msg;
  while (PeekMessageA(&msg, Window(), kMsgFirst, kMsgLast, PM_REMOVE))
    if (CarriesText(msg.message)) TakeText(msg.lParam);
}

void Win32ServiceWindow::SetLabel(Control label, const std::string& text) {
  HWND control = GetDlgItem(Window(), label);
  // Sized to its text; an empty label keeps the height of a line and no width.
  RECT extent{0, 0, 0, 0};
  {
    WindowDc dc(control);
    if (dc.Get()) {
      SelectedObject font(dc.Get(), font_.Get());
      const std::wstring measured = text.empty() ? std::wstring(L" ") : win32::WideFromText(text);
      DrawTextW(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &extent,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    }
  }
  const int width = text.empty() ? 0 : extent.right - extent.left;
  SetWindowPos(control, nullptr, 0, 0, width, extent.bottom - extent.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextW(control, win32::WideFromText(text).c_str());
}

void Win32ServiceWindow::EnableControl(Control control, bool enabled) {
  HWND item = GetDlgItem(Window(), control);
  if (!enabled && GetFocus() == item) {
    // A disabled control cannot keep the focus: it goes on to the next tab stop.
    HWND next = GetNextDlgTabItem(Window(), item, FALSE);
    if (next && next != item) SetFocus(next);
  }
  EnableWindow(item, enabled ? TRUE : FALSE);
}

void Win32ServiceWindow::TickUseDefaultBox(bool ticked) {
  CheckDlgButton(Window(), kUseDefaultBox, ticked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32ServiceWindow::ApplyText(UINT message, const std::string& text) {
  switch (message) {
    case kMsgSetTitle:
      SetWindowTextA(Window(), text.c_str());
      break;
    case kMsgSetStatus:
      SendDlgItemMessageW(Window(), kStatusBar, SB_SETTEXTW, SB_SIMPLEID,
                          reinterpret_cast<LPARAM>(win32::WideFromText(text).c_str()));
      break;
    case kMsgSetPrinterLabel:
      SetLabel(kPrinterLabel, text);
      break;
    case kMsgSetFontLabel:
      SetLabel(kFontLabel, text);
      break;
    default:
      break;
  }
}

void Win32ServiceWindow::OnCommand(int id, int notification) {
  const bool clicked = notification == BN_CLICKED;  // menu items come with 0 as well
  switch (id) {
    case kExitButton:
    case IDCANCEL:  // Esc
      if (clicked) RunHandler(events_.HandBackToHost);
      break;
    case kUseDefaultBox:
      if (clicked && events_.UseDefaultClicked) {
        const bool ticked = IsDlgButtonChecked(Window(), kUseDefaultBox) == BST_CHECKED;
        RunHandler([&] { events_.UseDefaultClicked(ticked); });
      }
      break;
    case kSelectPrinterButton:
      if (clicked) RunHandler(events_.SelectPrinter);
      break;
    case kPrinterFontButton:
      if (clicked) RunHandler(events_.ChoosePrinterFont);
      break;
    case kTestPageButton:
      if (clicked) RunHandler(events_.PrintTestPage);
      break;
    default:
      break;
  }
}

void Win32ServiceWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Window(), focus)) focused_ = focus;
    return;
  }
  if (!HIWORD(wParam)) {  // not minimised: the focus goes back to where it was
    if (!focused_ || !IsWindowEnabled(focused_)) focused_ = GetDlgItem(Window(), kExitButton);
    SetFocus(focused_);
  }
  if (events_.Activated) RunHandler(events_.Activated);
}

LRESULT Win32ServiceWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (CarriesText(message)) {
    ApplyText(message, *TakeText(lParam));
    return 0;
  }
  if ((message == WM_WINDOWPOSCHANGED || message == WM_SYSCOMMAND) && trayIcon_ &&
      trayIcon_->ServiceWindowMessage(message, wParam))
    return 0;
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case kMsgStartup:
      if (events_.Activated) RunHandler(events_.Activated);
      return 0;
    case kMsgEnableSelectPrinter:
      EnableControl(kSelectPrinterButton, wParam != 0);
      return 0;
    case kMsgEnablePrinterFont:
      EnableControl(kPrinterFontButton, wParam != 0);
      return 0;
    case kMsgEnableTestPage:
      EnableControl(kTestPageButton, wParam != 0);
      return 0;
    case kMsgSetUseDefault:
      TickUseDefaultBox(wParam != 0);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kExitButton, DC_HASDEFID);
    case WM_CLOSE:
      return 0;  // the service ends by its quit message only
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace korv
