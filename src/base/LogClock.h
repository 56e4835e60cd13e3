#pragma once
// The clock that stamps what the service writes: the job log's lines and the names of the
// files print-to-file printers write.
#include <cstdint>

namespace korv {

struct LogTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

class LogClock {
 public:
  virtual ~LogClock() = default;
  virtual LogTime Now() = 0;                // local time
  virtual std::int64_t Milliseconds() = 0;  // steady, for durations
};

}  // namespace korv
