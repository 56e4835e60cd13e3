#include "app/win32/Win32Waiter.h"

namespace korv {

void Win32Waiter::Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

std::uint64_t Win32Waiter::NowMs() {
  // GetTickCount wraps after 49.7 days; counting the wraps keeps the clock steady on every
  // Windows this runs on. Only the print thread asks.
  const DWORD ticks = GetTickCount();
  if (ticks < lastTicks_) high_ += std::uint64_t{1} << 32;
  lastTicks_ = ticks;
  return high_ + ticks;
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
