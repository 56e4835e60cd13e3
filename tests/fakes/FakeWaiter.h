#pragma once
// Virtual time: sleeping only advances a clock. A hook runs after every pause, so a
// test can change the world "while" the service waits.
#include <cstdint>
#include <functional>

#include "base/Waiter.h"

namespace korv::fakes {

class FakeWaiter : public Waiter {
 public:
  void Sleep(unsigned ms) override {
    now += ms;
    ++sleeps;
    if (afterSleep) afterSleep();
  }
  void DispatchPending() override { ++dispatches; }
  bool TerminateRequested() override { return terminate; }
  std::uint64_t NowMs() override { return now; }

  unsigned long long now = 0;  // virtual milliseconds
  int sleeps = 0, dispatches = 0;
  bool terminate = false;
  std::function<void()> afterSleep;
};

}  // namespace korv::fakes
