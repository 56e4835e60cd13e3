#include "service/win32/Win32MonotonicClock.h"

#include "win32/Win32Api.h"

namespace korv::win32 {

std::uint64_t Win32MonotonicClock::NowMs() {
  const std::uint32_t now = GetTickCount();
  if (started_) total_ += static_cast<std::uint32_t>(now - last_);  // unsigned: wraps right
  started_ = true;
  last_ = now;
  return total_;
}

}  // namespace korv::win32
