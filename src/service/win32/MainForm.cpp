#include "service/win32/MainForm.h"

#include <commctrl.h>

#include <stdexcept>

namespace korv::win32 {

namespace {

constexpr int kFontHeight = -16;  // character height in pixels: 12 points at 96 dots per inch
constexpr const char* kFontFace = "MS Sans Serif";

constexpr int kLabelLeft = 10;
constexpr int kLabel2Top = 160;
constexpr int kLabel1Top = 195;

[[noreturn]] void Refused(const char* what) {
  throw std::runtime_error(std::string("Cannot create the service window: ") + what);
}

}  // namespace

void TMainForm::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, kClassName, &existing)) return;
  WNDCLASSA cls{};
  cls.lpfnWndProc = &TMainForm::WindowProc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  if (!cls.hIcon) cls.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  cls.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));              // IDC_ARROW
  cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  cls.lpszClassName = kClassName;
  if (!RegisterClassA(&cls)) Refused("window class");
}

TMainForm::TMainForm(HINSTANCE instance, HWND owner, MainFormEvents events)
    : instance_(instance), events_(std::move(events)) {
  INITCOMMONCONTROLSEX common{};
  common.dwSize = sizeof(common);
  common.dwICC = ICC_BAR_CLASSES;
  if (!InitCommonControlsEx(&common)) Refused("status bar class");
  RegisterWindowClass(instance);

  font_.Reset(CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  if (!font_) Refused("font");

  popupMenu_.Reset(CreatePopupMenu());
  if (!popupMenu_ ||
      !AppendMenuA(popupMenu_.Get(), MF_STRING, kPrinterOptions1, "&Printer Options") ||
      !AppendMenuA(popupMenu_.Get(), MF_STRING, kRemove1, "&Remove"))
    Refused("menu");

  // A fixed dialog frame with a caption and no title-bar buttons.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  if (!AdjustWindowRectEx(&frame, style, FALSE, exStyle)) Refused("frame");
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  HWND window = CreateWindowExA(exStyle, kClassName, "xx", style, left, top, width, height, owner,
                                nullptr, instance, this);
  if (!window) Refused("window");
  window_.Reset(window);
  CreateControls();
  Run(events_.FormCreate);
}

TMainForm::~TMainForm() = default;

HWND TMainForm::AddControl(const char* className, const char* caption, DWORD style, int left,
                           int top, int width, int height, MainFormId id) {
  HWND control = CreateWindowExA(
      0, className, caption, WS_CHILD | WS_VISIBLE | style, left, top, width, height, window_.Get(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (!control) Refused(caption);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return control;
}

void TMainForm::CreateControls() {
  // Created in tab order; the labels and the status bar take no focus.
  AddControl("BUTTON", "&Exit", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 319, 24, 60, 25,
             kButton4);
  AddControl("BUTTON", "Use Windows default printer", WS_TABSTOP | BS_AUTOCHECKBOX, 13, 77, 316, 14,
             kCheckBox1);
  AddControl("BUTTON", "Select &Printer", WS_TABSTOP | BS_PUSHBUTTON, 12, 116, 108, 25, kButton3);
  AddControl("BUTTON", "Printer &Font", WS_TABSTOP | BS_PUSHBUTTON, 12, 24, 100, 25, kButton1);
  AddControl("BUTTON", "Print &Test Page", WS_TABSTOP | BS_PUSHBUTTON, 152, 24, 127, 25, kButton2);
  // Printer and font names are shown as they are: an ampersand is not a mnemonic.
  AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX, kLabelLeft, kLabel2Top, 0, 0, kLabel2);
  AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX, kLabelLeft, kLabel1Top, 0, 0, kLabel1);
  SetAutoSizeLabel(kLabel2, kLabelLeft, kLabel2Top, "");
  SetAutoSizeLabel(kLabel1, kLabelLeft, kLabel1Top, "");
  HWND status = AddControl(STATUSCLASSNAMEA, "", CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 226,
                           kClientWidth, 25, kStatusBar1);
  SendMessageA(status, SB_SIMPLE, TRUE, 0);

  SendDlgItemMessageA(window_.Get(), kCheckBox1, BM_SETCHECK, BST_CHECKED, 0);
  checkBoxTicked_ = true;
  focused_ = GetDlgItem(window_.Get(), kButton4);
}

void TMainForm::ShowMinimised() {
  ShowWindow(window_.Get(), SW_SHOWMINIMIZED);
}

void TMainForm::ShowServiceWindow() {
  ShowWindow(window_.Get(), IsIconic(window_.Get()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_.Get());
}

void TMainForm::SetCaption(const std::string& text) {
  SetWindowTextA(window_.Get(), text.c_str());
}

void TMainForm::SetStatus(const std::string& text) {
  SendDlgItemMessageA(window_.Get(), kStatusBar1, SB_SETTEXTA, SB_SIMPLEID,
                      reinterpret_cast<LPARAM>(text.c_str()));
}

void TMainForm::SetPrinterLabel(const std::string& text) {
  SetAutoSizeLabel(kLabel2, kLabelLeft, kLabel2Top, text);
}

void TMainForm::SetFontLabel(const std::string& text) {
  SetAutoSizeLabel(kLabel1, kLabelLeft, kLabel1Top, text);
}

void TMainForm::SetAutoSizeLabel(MainFormId label, int left, int top, const std::string& text) {
  HWND control = GetDlgItem(window_.Get(), label);
  SetWindowTextA(control, text.c_str());
  // Sized to its text; an empty label keeps the height of one line.
  RECT extent{0, 0, 0, 0};
  WindowDc dc(control);
  if (dc) {
    SelectedObject font(dc.Get(), font_.Get());
    const std::string measured = text.empty() ? std::string(" ") : text;
    DrawTextA(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &extent,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  }
  const int width = text.empty() ? 0 : extent.right - extent.left;
  SetWindowPos(control, nullptr, left, top, width, extent.bottom - extent.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(control, nullptr, TRUE);
}

void TMainForm::EnableControl(MainFormId control, bool enabled) {
  HWND item = GetDlgItem(window_.Get(), control);
  if (!enabled && GetFocus() == item) {
    // A disabled control cannot keep the focus; hand it on to the next tab stop.
    HWND next = GetNextDlgTabItem(window_.Get(), item, FALSE);
    if (next && next != item) SetFocus(next);
  }
  EnableWindow(item, enabled ? TRUE : FALSE);
}

void TMainForm::SetCheckBoxTicked(bool ticked) {
  checkBoxTicked_ = ticked;
  SendDlgItemMessageA(window_.Get(), kCheckBox1, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED,
                      0);
}

bool TMainForm::PreTranslateMessage(MSG& msg) {
  return window_ && IsDialogMessageA(window_.Get(), &msg) != FALSE;
}

void TMainForm::Run(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    if (events_.ShowError) events_.ShowError(e);
  } catch (...) {
    if (events_.ShowError) events_.ShowError(std::runtime_error("Unknown error"));
  }
}

void TMainForm::OnCommand(int id, int notification) {
  switch (id) {
    case kButton4:
    case IDCANCEL:  // Esc
      if (notification == BN_CLICKED) Run(events_.Dominimize);
      break;
    case kCheckBox1:
      if (notification == BN_CLICKED) {
        checkBoxTicked_ =
            SendDlgItemMessageA(window_.Get(), kCheckBox1, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Run(events_.SetDefaultPrinter);
      }
      break;
    case kButton3:
      if (notification == BN_CLICKED) Run(events_.PrnSetup);
      break;
    case kButton1:
      if (notification == BN_CLICKED) Run(events_.PrinterFont);
      break;
    case kButton2:
      if (notification == BN_CLICKED) Run(events_.PrintTestPage);
      break;
    case kPrinterOptions1:
      Run(events_.DoRestore);
      break;
    case kRemove1:
      Run(events_.DoStop);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (!form || !form->window_) return DefWindowProcA(window, message, wParam, lParam);
  return form->OnMessage(message, wParam, lParam);
}

LRESULT TMainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.Get();
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kButton4, DC_HASDEFID);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) focused_ = focus;
        return 0;
      }
      if (!HIWORD(wParam)) {  // not minimised: give the focus back to the last control
        if (!focused_ || !IsWindowEnabled(focused_)) focused_ = GetDlgItem(window, kButton4);
        SetFocus(focused_);
      }
      Run(events_.Korvprint);
      return 0;
    case WM_CLOSE:
      // The service ends only through "&Remove" or the host program; closing hides it.
      ShowWindow(window, SW_HIDE);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace korv::win32
