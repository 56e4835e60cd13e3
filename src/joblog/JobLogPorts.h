#pragma once
// What the job log writes through: the log file, the clock, and what it asks about a job.
#include <cstdint>
#include <string>

#include "base/LogClock.h"

namespace korv {

// The log file and its one previous file. Called from the log's own thread only.
class LogFile {
 public:
  virtual ~LogFile() = default;
  // Appends the text at the end of the log file, creating it; false when it cannot.
  virtual bool Append(const std::string& text) = 0;
  // The log file's size in bytes: 0 when there is none, -1 when it cannot be told.
  virtual std::int64_t Size() = 0;
  // The log file becomes the previous file, replacing the one there was.
  virtual bool Rotate() = 0;
};

// The printer a job goes to and the pages of the last text document.
struct JobFacts {
  std::string printer;
  int pages = 0;
};

class JobFactsSource {
 public:
  virtual ~JobFactsSource() = default;
  virtual bool LogEnabled() = 0;  // asked once, when the service starts
  virtual JobFacts Facts(bool raw) = 0;
};

}  // namespace korv
