#include "app/ServiceShutdown.h"

namespace korv {

bool StopPrintThread(ServiceFlags& flags, WorkerThread& thread) {
  flags.stopRequested = true;
  return thread.WaitForEnd(kPrintThreadGrace);
}

}  // namespace korv
