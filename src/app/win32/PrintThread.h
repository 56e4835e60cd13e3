#pragma once
// The print thread: started once by the start-up, never joined; at exit the window
// thread gives it a bounded time to finish.
#include <functional>

#include "app/WorkerThread.h"
#include "win32/UniqueHandle.h"

namespace korv {

class PrintThread : public WorkerThread {
 public:
  // Starts `body` on a new thread (default security and stack, running at once); false
  // when no thread could be made.
  bool Start(std::function<void()> body) override;
  // Waits up to `milliseconds` for the thread to end, still answering messages sent to
  // this thread's windows; true when it has ended or never started.
  bool WaitForEnd(unsigned milliseconds) override;

 private:
  static DWORD WINAPI Main(LPVOID self);

  std::function<void()> body_;
  UniqueKernelHandle thread_;
};

}  // namespace korv
