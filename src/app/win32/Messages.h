#pragma once
// Every message the service posts to its own windows. A message carrying text has a heap
// std::string in lParam: the receiver owns and frees it (TakeText); when the post fails,
// the sender frees it (PostText).
#include <memory>
#include <string>

#include "win32/Win32Api.h"

namespace korv {

enum ServiceMessage : UINT {
  kMsgFirst = WM_APP + 1,
  kMsgStartup = kMsgFirst,  // runs the start-up when no activation has run it yet
  kMsgSetTitle,             // lParam: text
  kMsgSetStatus,            // lParam: text
  kMsgSetPrinterLabel,      // lParam: text
  kMsgSetFontLabel,         // lParam: text
  kMsgEnableSelectPrinter,  // wParam: enabled
  kMsgEnablePrinterFont,    // wParam: enabled
  kMsgEnableTestPage,       // wParam: enabled
  kMsgSetUseDefault,        // wParam: ticked
  kMsgLast = kMsgSetUseDefault,
};

inline bool CarriesText(UINT message) {
  return message >= kMsgSetTitle && message <= kMsgSetFontLabel;
}

// Posts `text` to `window`; false when the post failed (the copy is freed then).
inline bool PostText(HWND window, UINT message, const std::string& text) {
  if (!window) return false;  // a null window would make it a thread message nobody frees
  auto payload = std::make_unique<std::string>(text);
  if (!PostMessageA(window, message, 0, reinterpret_cast<LPARAM>(payload.get()))) return false;
  payload.release();  // the receiver owns it now
  return true;
}

// Takes ownership of a posted text.
inline std::unique_ptr<std::string> TakeText(LPARAM lParam) {
  return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(lParam));
}

}  // namespace korv
