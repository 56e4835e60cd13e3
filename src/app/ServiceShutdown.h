#pragma once
#include "app/WorkerThread.h"
#include "base/ServiceFlags.h"

namespace korv {

// How long a job in progress may take to wind down when the service ends.
inline constexpr unsigned kPrintThreadGrace = 5000;

// Asks the print thread to stop (a text job aborts its document) and waits for it, at
// most kPrintThreadGrace ms. True when it has ended, so the objects it uses may go; false
// when the process must end without destroying them.
bool StopPrintThread(ServiceFlags& flags, WorkerThread& thread);

}  // namespace korv
