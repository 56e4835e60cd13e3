#pragma once
// Looking at other programs' windows: lookup by title or handle, texts, states, rectangles.
#include <windows.h>

#include <string>
#include <vector>

#include "JsonLine.h"

namespace korv::driver {

// Memory inside another process, for messages that pass a buffer pointer: the control
// writes into (or reads from) the caller's buffer, so the buffer must live in its process.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND owner, SIZE_T size);
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();
  void* Address() const { return address_; }
  // Up to `size` bytes from the start, cut at the first zero byte.
  std::string Read(SIZE_T size) const;
  std::string ReadBytes(SIZE_T offset, SIZE_T size) const;
  bool Write(SIZE_T offset, const void* data, SIZE_T size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

// A window given on the command line: "#<decimal handle>" or an exact title (top-level windows,
// hidden ones included). Null when there is none.
HWND ResolveWindow(const std::string& which);
// Polls ResolveWindow every 100 ms until the window exists or timeoutMs has passed.
HWND WaitForWindow(const std::string& which, unsigned timeoutMs);

long long HandleNumber(HWND window);
std::string WindowText(HWND window);
std::string ClassOf(HWND window);
bool IsCheckable(HWND button);
// The status bar's text: the simple panel when it is in simple mode, else its first part.
std::string StatusBarText(HWND statusBar);
// The window's rectangle in the client coordinates of `reference` (left, top, right, bottom).
std::vector<long long> RectIn(HWND window, HWND reference);
// Every descendant of `parent`, in the platform's order.
std::vector<HWND> Descendants(HWND parent);
// First descendant whose text is exactly `text` (captions keep their '&').
HWND FindChildByText(HWND parent, const std::string& text);

// Handle, process, class, title, visibility, minimised/maximised and foreground state.
JsonLine DescribeTopLevel(HWND window);
// Handle, class, control id, text, visibility, enabled state, rectangle in `top`'s client
// coordinates, the check state of check boxes and radio buttons, and for list boxes the
// number of rows, the current row, the top row (-1: none) and the row height.
JsonLine DescribeControl(HWND control, HWND top);

// Wide text as UTF-8.
std::string Utf8Of(const std::wstring& wide);

}  // namespace korv::driver
