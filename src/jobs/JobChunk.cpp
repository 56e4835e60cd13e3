#include "jobs/JobChunk.h"

#include <algorithm>

#include "jobs/JobErrors.h"

namespace korv {

std::size_t ReadJobChunk(JobFile& job, char* into, std::size_t size) {
  std::size_t got = 0;
  if (!job.Read(into, size, got)) throw JobReadError("Cannot read the job file");
  return std::min(got, size);
}

}  // namespace korv
