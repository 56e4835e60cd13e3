#pragma once
// The local time and a steady millisecond count of the platform.
#include "base/LogClock.h"

namespace korv::win32 {

class Win32LogClock final : public LogClock {
 public:
  LogTime Now() override;
  std::int64_t Milliseconds() override;
};

}  // namespace korv::win32
