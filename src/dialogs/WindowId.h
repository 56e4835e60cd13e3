#pragma once
#include <cstdint>

namespace korv {

// An opaque window handle as the core passes it around; 0 is no window.
using WindowId = std::uintptr_t;

}  // namespace korv
