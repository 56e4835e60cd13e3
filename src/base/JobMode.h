#pragma once
// The way a job is printed, as the mode control files set it when the job is taken.
// A job kept after a failure keeps its mode, whatever control files came since.
#include "base/ServiceFlags.h"

namespace korv {

enum class JobMode {
  Text,     // through the printer driver on the cell grid
  Raw,      // bytes untouched
  RawPage,  // raw with the page-feed handling
};

inline JobMode CurrentJobMode(const ServiceFlags& flags) {
  if (!flags.rawMode) return JobMode::Text;
  return flags.pageFeedMode ? JobMode::RawPage : JobMode::Raw;
}

}  // namespace korv
