#pragma once
// A job file could not be read, or the spool directory could not be entered again while
// a job was printed. The print loop keeps the job file.
#include <stdexcept>
#include <string>

namespace korv {

class JobReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korv
