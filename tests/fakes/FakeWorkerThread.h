#pragma once
// A print thread that runs nothing by itself: the test runs the body when it likes.
// Waiting only records what was asked and answers as told.
#include <functional>
#include <vector>

#include "app/WorkerThread.h"

namespace korv::fakes {

class FakeWorkerThread : public WorkerThread {
 public:
  bool Start(std::function<void()> b) override {
    ++starts;
    if (!canStart) return false;
    body = std::move(b);
    return true;
  }
  bool WaitForEnd(unsigned milliseconds) override {
    waits.push_back(milliseconds);
    if (whileWaiting) whileWaiting();
    return ends;
  }

  bool canStart = true;
  bool ends = true;  // the body finishes within the wait
  int starts = 0;
  std::function<void()> body;
  std::vector<unsigned> waits;
  std::function<void()> whileWaiting;
};

}  // namespace korv::fakes
