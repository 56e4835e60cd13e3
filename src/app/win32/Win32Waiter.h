#pragma once
// Waiting with Sleep, then dispatching the calling thread's messages.
#include "app/win32/Application.h"
#include "base/Waiter.h"

namespace korv {

class Win32Waiter : public Waiter {
 public:
  explicit Win32Waiter(Application& application) : application_(application) {}

  void Sleep(unsigned milliseconds) override;
  void DispatchPending() override;
  bool TerminateRequested() override { return application_.Terminated(); }
  std::uint64_t NowMs() override;

 private:
  Application& application_;
  DWORD lastTicks_ = 0;
  std::uint64_t high_ = 0;
};

}  // namespace korv
