#pragma once
// The job's input failed: the job file could not be read, or the spool directory could
// not be entered again. It leaves the job; the print loop keeps the file.
#include <stdexcept>
#include <string>

namespace korv {

class JobReadError : public std::runtime_error {
 public:
  explicit JobReadError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace korv
