#include "app/ServiceShutdown.h"

namespace korv {

bool StopPrintThread(ServiceFlags& flags, WorkerThread& thread) {
  flags.StopRequested = true;
  return thread.WaitForEnd(kPrintThreadGrace);
}

}  // namespace korv
