#include "app/win32/Win32ServiceView.h"

#include "app/win32/Messages.h"

namespace korv {

// A change that cannot be posted (the window is gone) is dropped: nobody would see it.

void Win32ServiceView::SetTitle(const std::string& title) {
  PostText(window_, kMsgSetTitle, title);
}

void Win32ServiceView::SetStatus(const std::string& text) {
  PostText(window_, kMsgSetStatus, text);
}

void Win32ServiceView::SetPrinterLabel(const std::string& text) {
  PostText(window_, kMsgSetPrinterLabel, text);
}

void Win32ServiceView::SetFontLabel(const std::string& text) {
  PostText(window_, kMsgSetFontLabel, text);
}

void Win32ServiceView::EnableSelectPrinter(bool enabled) {
  PostFlag(kMsgEnableSelectPrinter, enabled);
}

void Win32ServiceView::EnablePrinterFont(bool enabled) {
  PostFlag(kMsgEnablePrinterFont, enabled);
}

void Win32ServiceView::EnableTestPage(bool enabled) {
  PostFlag(kMsgEnableTestPage, enabled);
}

void Win32ServiceView::SetUseDefaultTicked(bool ticked) {
  PostFlag(kMsgSetUseDefault, ticked);
}

void Win32ServiceView::PostFlag(UINT message, bool on) {
  if (HWND window = window_) PostMessageA(window, message, on ? 1 : 0, 0);
}

}  // namespace korv
