#include "base/PumpMessages.h"

namespace korv {

void PumpMessages(Waiter& waiter, ServiceFlags& flags, int n) {
  for (int i = 0; i < n; ++i) {
    waiter.Sleep(100);
    waiter.DispatchPending();
    if (waiter.TerminateRequested()) flags.stopRequested = true;
  }
}

}  // namespace korv
