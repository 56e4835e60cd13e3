// The print loop's pace: the next pass follows at once while files remain; otherwise the
// thread sleeps until the spool directory changes, the doorbell rings, the safety poll is
// due or a failed job's retry time comes, dispatching its window messages meanwhile.
#include <algorithm>

#include "base/PumpMessages.h"
#include "spool/PrintLoop.h"

namespace korv {

void PrintLoop::DispatchMessages() {
  ports_.waiter.DispatchPending();
  if (ports_.waiter.TerminateRequested()) state_.flags.stopRequested = true;
}

void PrintLoop::WaitForNextPass(Pass last) {
  ServiceFlags& flags = state_.flags;
  if (!watching_) {
    PumpMessages(ports_.waiter, flags, 1);
    return;
  }
  // Back-to-back passes still answer the thread's messages and see a stop.
  DispatchMessages();
  const std::uint64_t due =
      pacer_.NextPassAt(last == Pass::Took, ports_.waiter.NowMs(), failed_.NextTry());
  for (;;) {
    if (flags.stopRequested) return;
    const std::uint64_t now = ports_.waiter.NowMs();
    if (now >= due) return;
    const auto wait = static_cast<unsigned>(std::min(due - now, PassPacer::kSafetyPollMs));
    const SpoolWatch::Wake wake = watch_->Wait(wait);
    if (wake == SpoolWatch::Wake::Failed) {
      // Look at once; if waiting keeps failing, fall back to the fixed cadence meanwhile.
      if (++failedWaits_ > 1) PumpMessages(ports_.waiter, flags, 1);
      return;
    }
    failedWaits_ = 0;
    switch (wake) {
      case SpoolWatch::Wake::Changed:
        // Watch again before listing, so nothing that changes during the pass is missed.
        if (!watch_->Rearm()) watching_ = watch_->Arm(state_.spoolDirectory);
        return;
      case SpoolWatch::Wake::Rung:
        pacer_.ProfileMayHaveChanged();
        return;
      case SpoolWatch::Wake::Messages:
        DispatchMessages();
        break;
      case SpoolWatch::Wake::TimedOut:
      case SpoolWatch::Wake::Failed:
        break;
    }
  }
}

}  // namespace korv
