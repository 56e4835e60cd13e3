#pragma once
// A DISABLE control file dropped while a text job prints stops the service the way the
// icon's Remove does: the job's document is thrown away and the job file stays. The loop
// takes one file per poll, so without this a long job would hold the stop off to its end.
#include <string>

#include "base/ServiceFlags.h"
#include "settings/FileSystem.h"

namespace korv {

class DisableWatch {
 public:
  // Job chunks (127 bytes each) between two looks: one directory search per 8 KB of text.
  static constexpr unsigned kChunksBetweenLooks = 64;

  DisableWatch(FileSystem& files, ServiceFlags& flags, std::string spoolDirectory)
      : files_(files), flags_(flags), spoolDirectory_(std::move(spoolDirectory)) {}

  // After each chunk of the job: now and then looks for the control file; when it is
  // there (one byte or more, an ordinary file), deletes it and sets stopRequested.
  void ChunkDone();
  bool Seen() const { return seen_; }

 private:
  bool Look();

  FileSystem& files_;
  ServiceFlags& flags_;
  std::string spoolDirectory_;
  unsigned chunks_ = 0;
  bool seen_ = false;
};

}  // namespace korv
