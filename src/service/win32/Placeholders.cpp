#include "service/win32/Placeholders.h"

#include <stdexcept>

namespace korv {

JobOutcome PlaceholderJobBranches::PrintTextJob(JobFile&) {
  throw std::runtime_error("Printing is not available yet");
}

JobOutcome PlaceholderJobBranches::PrintRawJob(JobFile&) {
  throw std::runtime_error("Printing is not available yet");
}

}  // namespace korv
