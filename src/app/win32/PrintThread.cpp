#include "app/win32/PrintThread.h"

namespace korv {

bool PrintThread::Start(std::function<void()> body) {
  body_ = std::move(body);
  DWORD id = 0;
  thread_.Reset(CreateThread(nullptr, 0, Main, this, 0, &id));
  return thread_.Valid();
}

DWORD WINAPI PrintThread::Main(LPVOID self) {
  try {
    static_cast<PrintThread*>(self)->body_();
  } catch (...) {
    // Nothing may unwind out of a thread's procedure; the body reports its own failures.
  }
  return 0;
}

bool PrintThread::WaitForEnd(unsigned milliseconds) {
  if (!thread_) return true;
  const HANDLE thread = thread_.Get();
  const DWORD deadline = GetTickCount() + milliseconds;
  for (;;) {
    const DWORD now = GetTickCount();
    const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
    // A print thread changing our windows sends us messages; answer them, or it would wait
    // for us while we wait for it.
    const DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;  // timed out or failed
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace korv
