#pragma once
// How a job branch ended. Failures are exceptions (EPrinter, JobReadError); the print
// loop keeps the job file in the spool directory for all of them.
namespace korv {

enum class JobOutcome {
  Printed,  // the whole job reached the printer; the loop deletes the file
  Stopped,  // the service is stopping; the document was aborted, the file stays
};

}  // namespace korv
