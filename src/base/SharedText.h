#pragma once
// A string that both service threads read and write (the chosen printer, the font name).
#include <mutex>
#include <string>

namespace korv {

class SharedText {
 public:
  std::string Get() const {
    std::lock_guard guard(lock_);
    return value_;
  }
  void Set(std::string value) {
    std::lock_guard guard(lock_);
    value_ = std::move(value);
  }

 private:
  mutable std::mutex lock_;
  std::string value_;
};

}  // namespace korv
