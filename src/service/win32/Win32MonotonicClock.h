#pragma once
// Milliseconds from GetTickCount, carried past its wrap every 49.7 days (the 64-bit
// count is not on every system the service runs on). One thread reads it.
#include <cstdint>

#include "service/MonotonicClock.h"

namespace korv::win32 {

class Win32MonotonicClock final : public MonotonicClock {
 public:
  std::uint64_t NowMs() override;

 private:
  bool started_ = false;
  std::uint32_t last_ = 0;
  std::uint64_t total_ = 0;
};

}  // namespace korv::win32
