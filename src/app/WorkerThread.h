#pragma once
// The print thread as the service sees it: started once, never joined, and given a
// bounded time to finish when the service ends.
#include <functional>

namespace korv {

class WorkerThread {
 public:
  virtual ~WorkerThread() = default;
  // Starts `body` on a new thread, running at once; false when no thread could be made.
  virtual bool Start(std::function<void()> body) = 0;
  // Waits up to `milliseconds` for the thread to end; true when it has ended or never started.
  virtual bool WaitForEnd(unsigned milliseconds) = 0;
};

}  // namespace korv
