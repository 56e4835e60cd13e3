#pragma once
// The reprints the window asked for, waiting for the print thread, in the order asked.
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

#include "history/JobHistory.h"

namespace korv {

class ReprintRequests final : public ReprintQueue {
 public:
  // `wake` rings the print thread's doorbell.
  explicit ReprintRequests(std::function<void()> wake) : wake_(std::move(wake)) {}

  void Add(ReprintRequest request) override {
    {
      std::lock_guard guard(lock_);
      requests_.push_back(std::move(request));
    }
    if (wake_) wake_();
  }
  std::optional<ReprintRequest> Take() override {
    std::lock_guard guard(lock_);
    if (requests_.empty()) return std::nullopt;
    ReprintRequest request = std::move(requests_.front());
    requests_.pop_front();
    return request;
  }

 private:
  std::function<void()> wake_;
  std::mutex lock_;
  std::deque<ReprintRequest> requests_;
};

}  // namespace korv
