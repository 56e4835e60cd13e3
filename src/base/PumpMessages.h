#pragma once
#include "base/ServiceFlags.h"
#include "base/Waiter.h"

namespace korv {

// n pauses of 100 ms, dispatching messages after each; a termination request seen
// meanwhile sets stopRequested. n of 0 or less returns at once.
void PumpMessages(Waiter& waiter, ServiceFlags& flags, int n);

}  // namespace korv
