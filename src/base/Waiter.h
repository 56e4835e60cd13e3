#pragma once
// Waiting on the calling thread while its window messages keep flowing.
#include <cstdint>

namespace korv {

class Waiter {
 public:
  virtual ~Waiter() = default;
  virtual void Sleep(unsigned milliseconds) = 0;
  virtual void DispatchPending() = 0;     // the calling thread's waiting messages
  virtual bool TerminateRequested() = 0;  // the application has been told to end
  virtual std::uint64_t NowMs() = 0;      // a steady clock in milliseconds, for deadlines
};

}  // namespace korv
