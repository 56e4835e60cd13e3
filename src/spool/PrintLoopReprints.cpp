#include "spool/PrintLoop.h"

namespace korv {

bool PrintLoop::Reprinted() {
  if (!kept_) return false;
  ReprintStep step{state_,
                   ports_.view,
                   *log_,
                   routing_,
                   ports_.textJobs,
                   ports_.rawJobs,
                   [this](const std::string& text) { NoteError(text); }};
  return kept_->ReprintOne(step);
}

}  // namespace korv
