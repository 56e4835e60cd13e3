#include "Window.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace korv::driver {
namespace {

constexpr UINT kTextTimeoutMs = 2000;

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::string StatusBarPart(HWND statusBar, WPARAM part) {
  DWORD_PTR lengthAndType = 0;
  SendMessageTimeoutA(statusBar, SB_GETTEXTLENGTHA, part, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                      &lengthAndType);
  const SIZE_T size = (lengthAndType & 0xffff) + 1;
  // The control writes into the caller's buffer, so the buffer must live in its process.
  RemoteBuffer buffer(statusBar, size);
  if (buffer.Address() == nullptr) return {};
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer.Address()),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &ignored)) {
    return {};
  }
  return buffer.Read(size);
}

// The same read with the wide messages, as UTF-8: what the window holds, not its code page.
std::string StatusBarPartWide(HWND statusBar, WPARAM part) {
  DWORD_PTR lengthAndType = 0;
  SendMessageTimeoutW(statusBar, SB_GETTEXTLENGTHW, part, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                      &lengthAndType);
  const SIZE_T size = ((lengthAndType & 0xffff) + 1) * sizeof(wchar_t);
  RemoteBuffer buffer(statusBar, size);
  if (buffer.Address() == nullptr) return {};
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer.Address()),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &ignored)) {
    return {};
  }
  const std::string bytes = buffer.ReadBytes(0, size);
  std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
  return Utf8Of(wide.substr(0, wide.find(L'\0')));
}

std::string StatusBarTextWide(HWND statusBar) {
  DWORD_PTR simple = 0;
  SendMessageTimeoutW(statusBar, SB_ISSIMPLE, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &simple);
  if (!simple) return StatusBarPartWide(statusBar, 0);
  std::string text = StatusBarPartWide(statusBar, SB_SIMPLEID);
  return text.empty() ? StatusBarPartWide(statusBar, 0) : text;
}

// A list box's answer to a message without arguments; LB_ERR (-1) when it does not answer.
long long ListBoxValue(HWND listBox, UINT message) {
  DWORD_PTR value = 0;
  if (!SendMessageTimeoutA(listBox, message, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &value))
    return LB_ERR;
  return static_cast<long long>(static_cast<LRESULT>(value));
}

}  // namespace

std::string Utf8Of(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

RemoteBuffer::RemoteBuffer(HWND owner, SIZE_T size) {
  DWORD pid = 0;
  GetWindowThreadProcessId(owner, &pid);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process_ != nullptr) {
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_ != nullptr) CloseHandle(process_);
}

std::string RemoteBuffer::Read(SIZE_T size) const {
  std::string bytes = ReadBytes(0, size);
  return bytes.substr(0, bytes.find('\0'));
}

std::string RemoteBuffer::ReadBytes(SIZE_T offset, SIZE_T size) const {
  std::string bytes(size, '\0');
  SIZE_T got = 0;
  if (!ReadProcessMemory(process_, static_cast<char*>(address_) + offset, bytes.data(), size,
                         &got)) {
    return {};
  }
  bytes.resize(got);
  return bytes;
}

bool RemoteBuffer::Write(SIZE_T offset, const void* data, SIZE_T size) const {
  SIZE_T put = 0;
  return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &put) &&
         put == size;
}

HWND ResolveWindow(const std::string& which) {
  if (which.size() > 1 && which[0] == '#') {
    auto window = reinterpret_cast<HWND>(
        static_cast<std::uintptr_t>(std::strtoull(which.c_str() + 1, nullptr, 10)));
    return IsWindow(window) ? window : nullptr;
  }
  return FindWindowA(nullptr, which.c_str());
}

HWND WaitForWindow(const std::string& which, unsigned timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = ResolveWindow(which)) return window;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(100);
  }
}

long long HandleNumber(HWND window) {
  return static_cast<long long>(reinterpret_cast<std::uintptr_t>(window));
}

std::string WindowText(HWND window) {
  // WM_GETTEXT reaches other processes' controls too (GetWindowTextA would not ask them).
  char buffer[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
    GetWindowTextA(window, buffer, sizeof buffer);
  }
  return buffer;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsCheckable(HWND button) {
  if (lstrcmpiA(ClassOf(button).c_str(), "Button") != 0) return false;
  const auto type = static_cast<unsigned long>(GetWindowLongA(button, GWL_STYLE)) & 0x0fUL;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::string StatusBarText(HWND statusBar) {
  DWORD_PTR simple = 0;
  SendMessageTimeoutA(statusBar, SB_ISSIMPLE, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &simple);
  if (!simple) return StatusBarPart(statusBar, 0);
  // Wine keeps the simple panel's text as part 0 and answers nothing for SB_SIMPLEID.
  std::string text = StatusBarPart(statusBar, SB_SIMPLEID);
  return text.empty() ? StatusBarPart(statusBar, 0) : text;
}

std::vector<long long> RectIn(HWND window, HWND reference) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  MapWindowPoints(nullptr, reference, corners, 2);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindChildByText(HWND parent, const std::string& text) {
  for (HWND child : Descendants(parent)) {
    if (WindowText(child) == text) return child;
  }
  return nullptr;
}

JsonLine DescribeTopLevel(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  JsonLine line;
  line.Number("hwnd", HandleNumber(window))
      .Number("pid", pid)
      .Text("class", ClassOf(window))
      .Text("title", WindowText(window))
      .Flag("visible", IsWindowVisible(window) != FALSE)
      .Flag("minimized", IsIconic(window) != FALSE)
      .Flag("maximized", IsZoomed(window) != FALSE)
      .Flag("foreground", GetForegroundWindow() == window)
      .Number("owner", HandleNumber(GetWindow(window, GW_OWNER)));
  return line;
}

JsonLine DescribeControl(HWND control, HWND top) {
  const std::string cls = ClassOf(control);
  const bool statusBar = lstrcmpiA(cls.c_str(), STATUSCLASSNAMEA) == 0;
  JsonLine line;
  line.Number("hwnd", HandleNumber(control))
      .Number("parent", HandleNumber(GetParent(control)))
      .Text("class", cls)
      .Number("id", GetDlgCtrlID(control))
      .Text("text", statusBar ? StatusBarText(control) : WindowText(control))
      .Text("wide_text", statusBar ? StatusBarTextWide(control) : std::string())
      .Flag("visible", IsWindowVisible(control) != FALSE)
      .Flag("enabled", IsWindowEnabled(control) != FALSE)
      .Numbers("rect", RectIn(control, top));
  if (lstrcmpiA(cls.c_str(), "ListBox") == 0) {
    // What a list drawn on demand (owner-drawn, no data) still tells: its rows are not
    // readable as text, but their number, the current row, the top row and the row height are.
    line.Number("count", ListBoxValue(control, LB_GETCOUNT))
        .Number("selected", ListBoxValue(control, LB_GETCURSEL))
        .Number("top", ListBoxValue(control, LB_GETTOPINDEX))
        .Number("item_height", ListBoxValue(control, LB_GETITEMHEIGHT));
  }
  if (IsCheckable(control)) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &state);
    line.Flag("checked", state == BST_CHECKED);
  }
  return line;
}

}  // namespace korv::driver
