#pragma once
// Milliseconds that only ever go forward, from an arbitrary start.
#include <cstdint>

namespace korv {

class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  virtual std::uint64_t NowMs() = 0;
};

}  // namespace korv
