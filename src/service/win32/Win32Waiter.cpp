#include "service/win32/Win32Waiter.h"

namespace korv {

void Win32Waiter::Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

void Win32Waiter::DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Taken out of the queue here, so the message loop must learn of it from the flag.
      application_.QuitReceived();
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace korv
