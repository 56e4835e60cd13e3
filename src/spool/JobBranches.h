#pragma once
// The two ways a job reaches the printer. Each is given the open job file at its first
// byte, with the spool directory current and Printing set, reads it to its end and opens
// and closes its own printer output. Failures are exceptions (std::exception); the print
// loop then keeps the job file.
#include "settings/FileSystem.h"
#include "spool/JobOutcome.h"

namespace korv {

class TextJobBranch {
 public:
  virtual ~TextJobBranch() = default;
  virtual JobOutcome PrintTextJob(JobFile& job) = 0;
};

class RawJobBranch {
 public:
  virtual ~RawJobBranch() = default;
  // `pageFeed`: the job's page-feed handling, which its mode fixed when it was taken.
  virtual JobOutcome PrintRawJob(JobFile& job, bool pageFeed) = 0;
};

}  // namespace korv
