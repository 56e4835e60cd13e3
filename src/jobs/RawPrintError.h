#pragma once
// A raw job could not be put on its printer. The print loop keeps the job file, so the
// job is tried again at a later poll.
#include <stdexcept>
#include <string>

namespace korv {

class RawPrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korv
