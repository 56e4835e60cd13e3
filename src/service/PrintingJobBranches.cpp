#include "service/PrintingJobBranches.h"

#include "service/RawJob.h"
#include "service/TextJob.h"

namespace korv {

JobOutcome PrintingJobBranches::PrintTextJob(JobFile& job) {
  const TextJobContext context{state_.flags, files_, state_.spoolDirectory, printer_, metrics_};
  return korv::PrintTextJob(job, context);
}

JobOutcome PrintingJobBranches::PrintRawJob(JobFile& job) {
  // A raw job always runs to its end; it is never cut off by a stop.
  RawJobContext context{state_.flags, files_,     state_.spoolDirectory, profile_, osMajorVersion_,
                        spooler_,     rawPrinter_};
  korv::PrintRawJob(job, context);
  return JobOutcome::Printed;
}

}  // namespace korv
