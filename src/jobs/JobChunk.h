#pragma once
// Reading a job file for printing, text or raw.
#include <cstddef>

#include "base/ServiceConstants.h"
#include "settings/FileSystem.h"

namespace korv {

// Reads up to `size` bytes of the job into `into`; the count read, 0 at the end of the
// file. Raises JobReadError when the file cannot be read.
std::size_t ReadJobChunk(JobFile& job, char* into, std::size_t size = kJobChunkSize);

}  // namespace korv
