// A stand-in for the host program's window: a top-level window with a given title that stays
// until killed or for a number of seconds, and reports what happens to it as JSON lines
// ("ready", "title", "activate", "size", "answer", "closed"). With --controls it also carries
// a push button "&Ask" (asks "Proceed?" in an OK/Cancel box titled "Confirm" and shows the
// answer in the status bar), a check box "&Tick", a label "Label text" and a status bar "Ready",
// so the driver's own commands can be tried on it.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "Commands.h"
#include "Window.h"

namespace korv::driver {
namespace {

constexpr int kAskId = 101;
constexpr int kTickId = 102;
constexpr int kLabelId = 103;
constexpr int kStatusId = 104;
constexpr UINT_PTR kLifetimeTimer = 1;

HWND statusBar = nullptr;

HMENU ControlId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

void AddControls(HWND window) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  CreateWindowExA(0, "BUTTON", "&Ask", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 25,
                  window, ControlId(kAskId), instance, nullptr);
  CreateWindowExA(0, "BUTTON", "&Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 45, 120, 20,
                  window, ControlId(kTickId), instance, nullptr);
  CreateWindowExA(0, "STATIC", "Label text", WS_CHILD | WS_VISIBLE, 10, 75, 120, 20, window,
                  ControlId(kLabelId), instance, nullptr);
  statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                              ControlId(kStatusId), instance, nullptr);
  SendMessageA(statusBar, SB_SIMPLE, TRUE, 0);
  SendMessageA(statusBar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("Ready"));
}

void Ask(HWND window) {
  const int answer =
      MessageBoxA(window, "Proceed?\rSecond line", "Confirm", MB_OKCANCEL | MB_ICONQUESTION);
  const char* name = answer == IDOK ? "OK" : "Cancel";
  const std::string text = std::string("Answer: ") + name;
  SendMessageA(statusBar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
  JsonLine().Text("event", "answer").Text("button", name).Print();
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      JsonLine()
          .Text("event", "title")
          .Text("title", reinterpret_cast<const char*>(lParam))
          .Print();
      return result;
    }
    case WM_ACTIVATE:
      JsonLine().Text("event", "activate").Flag("active", LOWORD(wParam) != WA_INACTIVE).Print();
      break;
    case WM_SIZE:
      // wParam: SIZE_RESTORED 0, SIZE_MINIMIZED 1, SIZE_MAXIMIZED 2.
      JsonLine().Text("event", "size").Number("type", static_cast<long long>(wParam)).Print();
      if (statusBar != nullptr) SendMessageA(statusBar, WM_SIZE, 0, 0);
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kAskId && HIWORD(wParam) == BN_CLICKED) Ask(window);
      return 0;
    case WM_TIMER:
      if (wParam == kLifetimeTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      JsonLine().Text("event", "closed").Print();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunHostWindow(const Args& args) {
  if (args.empty()) return Fail(2, "usage: host TITLE [SECONDS] [--controls]");
  unsigned seconds = 0;
  bool controls = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--controls") {
      controls = true;
    } else {
      seconds = static_cast<unsigned>(std::strtoul(args[i].c_str(), nullptr, 10));
    }
  }
  INITCOMMONCONTROLSEX common{sizeof common, ICC_BAR_CLASSES};
  InitCommonControlsEx(&common);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA cls{};
  cls.lpfnWndProc = HostProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  cls.lpszClassName = "KorvHostStandIn";
  if (!RegisterClassA(&cls)) return Fail(1, "cannot register the window class");
  HWND window =
      CreateWindowExA(0, cls.lpszClassName, args[0].c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return Fail(1, "cannot create the window");
  if (controls) AddControls(window);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  if (seconds > 0) SetTimer(window, kLifetimeTimer, seconds * 1000U, nullptr);
  JsonLine().Text("event", "ready").Number("hwnd", HandleNumber(window)).Print();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace korv::driver
