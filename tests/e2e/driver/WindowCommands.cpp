// Subcommands that look at and act on other programs' windows.
#include <windows.h>

#include <cstdlib>

#include "Commands.h"
#include "Window.h"

namespace korv::driver {
namespace {

unsigned TimeoutArg(const Args& args, std::size_t index) {
  return args.size() > index ? static_cast<unsigned>(std::strtoul(args[index].c_str(), nullptr, 10))
                             : 0U;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  DescribeTopLevel(window).Print();
  return TRUE;
}

struct DialogSearch {
  DWORD pid = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (IsWindowVisible(window) && ClassOf(window) == "#32770" &&
      (search->pid == 0 || search->pid == pid)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int Fail(int code, const std::string& text) {
  JsonLine().Text("error", text).Print();
  return code;
}

int ListWindows(const Args&) {
  EnumWindows(PrintTopLevel, 0);
  return 0;
}

int FindWindowCommand(const Args& args) {
  if (args.empty()) return Fail(2, "usage: find WINDOW [TIMEOUT_MS]");
  HWND window = WaitForWindow(args[0], TimeoutArg(args, 1));
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  DescribeTopLevel(window).Print();
  return 0;
}

int ListControls(const Args& args) {
  if (args.empty()) return Fail(2, "usage: controls WINDOW");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  for (HWND child : Descendants(window)) DescribeControl(child, window).Print();
  return 0;
}

int ShowRects(const Args& args) {
  if (args.empty()) return Fail(2, "usage: rect WINDOW");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  RECT client{};
  GetClientRect(window, &client);
  RECT outer{};
  GetWindowRect(window, &outer);
  JsonLine()
      .Numbers("client", {client.left, client.top, client.right, client.bottom})
      .Numbers("window", {outer.left, outer.top, outer.right, outer.bottom})
      .Print();
  return 0;
}

int ClickButton(const Args& args) {
  if (args.size() < 2) return Fail(2, "usage: click WINDOW CAPTION");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  HWND button = FindChildByText(window, args[1]);
  if (button == nullptr) return Fail(1, "no control " + args[1]);
  if (!IsWindowEnabled(button)) return Fail(3, "disabled " + args[1]);
  // Posted, not sent: a click that opens a modal box would otherwise block us until it closes.
  if (!PostMessageA(button, BM_CLICK, 0, 0)) return Fail(1, "post failed");
  JsonLine().Number("clicked", HandleNumber(button)).Print();
  return 0;
}

int ReadMessageBox(const Args& args) {
  const unsigned timeoutMs = TimeoutArg(args, 0);
  DialogSearch search;
  search.pid = args.size() > 1 ? std::strtoul(args[1].c_str(), nullptr, 10) : 0;
  const DWORD start = GetTickCount();
  for (;;) {
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) break;
    if (GetTickCount() - start >= timeoutMs) return Fail(1, "no message box");
    Sleep(100);
  }
  std::vector<std::string> texts;
  std::vector<std::string> buttons;
  for (HWND child : Descendants(search.found)) {
    const std::string cls = ClassOf(child);
    const std::string text = WindowText(child);
    if (lstrcmpiA(cls.c_str(), "Button") == 0) {
      buttons.push_back(text);
    } else if (lstrcmpiA(cls.c_str(), "Static") == 0 && !text.empty()) {
      texts.push_back(text);
    }
  }
  std::string text;
  for (const auto& part : texts) text += (text.empty() ? "" : "\n") + part;
  DWORD pid = 0;
  GetWindowThreadProcessId(search.found, &pid);
  JsonLine()
      .Number("hwnd", HandleNumber(search.found))
      .Number("pid", pid)
      .Text("caption", WindowText(search.found))
      .Text("text", text)
      .Texts("buttons", buttons)
      .Print();
  return 0;
}

int PressDialogButton(const Args& args) {
  if (args.size() < 2) return Fail(2, "usage: press WINDOW CAPTION");
  HWND dialog = ResolveWindow(args[0]);
  if (dialog == nullptr) return Fail(1, "no window " + args[0]);
  HWND button = FindChildByText(dialog, args[1]);
  if (button == nullptr) return Fail(1, "no button " + args[1]);
  // What a click on the button tells its dialog.
  const auto id = static_cast<WORD>(GetDlgCtrlID(button));
  if (!PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                    reinterpret_cast<LPARAM>(button))) {
    return Fail(1, "post failed");
  }
  JsonLine().Number("pressed", HandleNumber(button)).Number("id", id).Print();
  return 0;
}

int ShowState(const Args& args) {
  if (args.empty()) return Fail(2, "usage: state WINDOW");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  DescribeTopLevel(window).Print();
  return 0;
}

int SetTitle(const Args& args) {
  if (args.size() < 2) return Fail(2, "usage: title WINDOW TEXT");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  if (!SetWindowTextA(window, args[1].c_str())) return Fail(1, "SetWindowTextA failed");
  JsonLine().Text("title", WindowText(window)).Print();
  return 0;
}

int PostMessageCommand(const Args& args) {
  if (args.size() < 4) return Fail(2, "usage: post WINDOW MESSAGE WPARAM LPARAM");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  const auto message = static_cast<UINT>(std::strtoul(args[1].c_str(), nullptr, 0));
  const auto wParam = static_cast<WPARAM>(std::strtoul(args[2].c_str(), nullptr, 0));
  const auto lParam = static_cast<LPARAM>(std::strtol(args[3].c_str(), nullptr, 0));
  if (!PostMessageA(window, message, wParam, lParam)) return Fail(1, "post failed");
  JsonLine().Flag("posted", true).Print();
  return 0;
}

int TypeCharacters(const Args& args) {
  if (args.size() < 2) return Fail(2, "usage: type WINDOW TEXT");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  // As typing them would reach the window after the keyboard's translation: one WM_CHAR
  // per byte, in order (posted messages of one sender keep their order).
  for (const char c : args[1]) {
    if (!PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1)) {
      return Fail(1, "post failed");
    }
  }
  JsonLine().Number("typed", static_cast<long long>(args[1].size())).Print();
  return 0;
}

}  // namespace korv::driver
