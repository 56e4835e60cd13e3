#include "service/win32/MainWindow.h"

// clang-format off
#include "settings/win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

#include "service/win32/ApplicationError.h"
#include "service/win32/Messages.h"

namespace korv {

namespace {

constexpr const char* kWindowClass = "TMainForm";
constexpr int kClientWidth = 415;
constexpr int kClientHeight = 251;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;  // no title-bar buttons
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr WPARAM kSimplePanel = 255;  // SB_SIMPLEID

}  // namespace

bool MainWindow::Create(HINSTANCE instance, HWND owner, Handlers handlers) {
  handlers_ = std::move(handlers);
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&controls)) return false;

  WNDCLASSA cls{};
  cls.lpfnWndProc = Procedure;
  cls.hInstance = instance;
  cls.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));      // IDI_APPLICATION
  cls.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  cls.lpszClassName = kWindowClass;
  if (!RegisterClassA(&cls)) return false;

  RECT frame{0, 0, kClientWidth, kClientHeight};
  if (!AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle)) return false;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_.Reset(CreateWindowExA(kExStyle, kWindowClass, "xx", kStyle, left, top, width, height,
                                owner, nullptr, instance, this));
  if (!window_) return false;
  return CreateControls(instance);
}

bool MainWindow::CreateControls(HINSTANCE instance) {
  // "MS Sans Serif", 16 pixels high, whatever the screen's resolution.
  font_.Reset(CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
  if (!font_) return false;

  const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  // In tab order. The box changes only through the service view until its handler exists.
  const bool made =
      AddControl(instance, "BUTTON", "&Exit", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                 kButton4, 319, 24, 60, 25) &&
      AddControl(instance, "BUTTON", "Use Windows default printer",
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, kCheckBox1, 13, 77, 316, 14) &&
      AddControl(instance, "BUTTON", "Select &Printer", button, kButton3, 12, 116, 108, 25) &&
      AddControl(instance, "BUTTON", "Printer &Font", button, kButton1, 12, 24, 100, 25) &&
      AddControl(instance, "BUTTON", "Print &Test Page", button, kButton2, 152, 24, 127, 25);
  if (!made) return false;
  CheckDlgButton(window_.Get(), kCheckBox1, BST_CHECKED);  // ticked in the layout

  printerLabel_ =
      AddControl(instance, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 10, 160, 0, 0);
  fontLabel_ =
      AddControl(instance, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 10, 195, 0, 0);
  statusBar_ = AddControl(instance, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 226,
                          kClientWidth, 25);
  if (!printerLabel_ || !fontLabel_ || !statusBar_) return false;
  SendMessageA(statusBar_, SB_SIMPLE, TRUE, 0);
  return true;
}

HWND MainWindow::AddControl(HINSTANCE instance, const char* cls, const char* text, DWORD style,
                            int id, int left, int top, int width, int height) {
  HWND control =
      CreateWindowExA(0, cls, text, style, left, top, width, height, window_.Get(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return control;
}

void MainWindow::ShowMinimised() {
  // Minimised and active, so that the activation starts the service.
  ShowWindow(window_.Get(), SW_SHOWMINIMIZED);
  // Should the window system not activate a minimised window, start all the same; the
  // start-up runs only once either way.
  PostMessageA(window_.Get(), kMsgStartup, 0, 0);
}

void MainWindow::DiscardPending() {
  MSG msg;
  while (PeekMessageA(&msg, window_.Get(), kMsgFirst, kMsgLast, PM_REMOVE))
    if (CarriesText(msg.message)) TakeText(msg.lParam);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return self->OnMessage(window, message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (CarriesText(message)) {
    ApplyText(message, *TakeText(lParam));
    return 0;
  }
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && handlers_.activate) RunHandler(handlers_.activate);
      break;
    case kMsgStartup:
      if (handlers_.activate) RunHandler(handlers_.activate);
      return 0;
    case kMsgEnableSelectPrinter:
      EnableWindow(GetDlgItem(window, kButton3), wParam != 0);
      return 0;
    case kMsgEnablePrinterFont:
      EnableWindow(GetDlgItem(window, kButton1), wParam != 0);
      return 0;
    case kMsgEnableTestPage:
      EnableWindow(GetDlgItem(window, kButton2), wParam != 0);
      return 0;
    case kMsgSetUseDefault:
      CheckDlgButton(window, kCheckBox1, wParam ? BST_CHECKED : BST_UNCHECKED);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && handlers_.command) {
        const auto control = static_cast<Control>(LOWORD(wParam));
        RunHandler([&] { handlers_.command(control); });
      }
      return 0;
    case WM_CLOSE:
      return 0;  // the service ends by its quit message only
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void MainWindow::ApplyText(UINT message, const std::string& text) {
  switch (message) {
    case kMsgSetTitle:
      SetWindowTextA(window_.Get(), text.c_str());
      break;
    case kMsgSetStatus:
      SendMessageA(statusBar_, SB_SETTEXTA, kSimplePanel, reinterpret_cast<LPARAM>(text.c_str()));
      break;
    case kMsgSetPrinterLabel:
      SetLabel(printerLabel_, text);
      break;
    case kMsgSetFontLabel:
      SetLabel(fontLabel_, text);
      break;
    default:
      break;
  }
}

void MainWindow::SetLabel(HWND label, const std::string& text) {
  // Labels are sized to their text.
  SIZE size{0, 0};
  {
    WindowDc dc(label);
    if (dc.Get()) {
      SelectedObject font(dc.Get(), font_.Get());
      GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    }
  }
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(label, text.c_str());
}

}  // namespace korv
