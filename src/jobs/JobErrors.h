#pragma once
// The failures of a job branch that keep the job file: the print loop tries it again at a
// later poll. Each is a type of its own, so a caller can tell them apart.
#include <stdexcept>

namespace korv {

template <typename Kind>
class JobError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A job file could not be read, or the spool directory could not be entered again while
// a job was printed.
using JobReadError = JobError<struct JobReadKind>;
// A raw job could not be put on its printer.
using RawPrintError = JobError<struct RawPrintKind>;

}  // namespace korv
