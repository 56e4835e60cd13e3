#include "printing/win32/DialogRefusal.h"

#include <cstring>

namespace korv::win32 {

namespace {

thread_local int refusedDialogs = 0;

LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    char className[16] = {};
    GetClassNameA(reinterpret_cast<HWND>(wParam), className, static_cast<int>(sizeof className));
    if (std::strcmp(className, "#32770") == 0) {
      ++refusedDialogs;
      return 1;  // the window is not created; its creator sees a failure
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogRefusal::DialogRefusal()
    : hook_(SetWindowsHookExA(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId())),
      refusedBefore_(refusedDialogs) {}

DialogRefusal::~DialogRefusal() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

int DialogRefusal::Refused() const {
  return refusedDialogs - refusedBefore_;
}

}  // namespace korv::win32
