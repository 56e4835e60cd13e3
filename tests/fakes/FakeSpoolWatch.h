#pragma once
// A spool-directory watch in the fake waiter's virtual time. Each wait plays the next
// scripted event: after `after` ms its action changes the world, then the wait returns its
// wake, or, for a lost notification (no wake), runs on to its full time. With nothing
// scripted a wait times out.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeWaiter.h"
#include "spool/SpoolWatch.h"

namespace korv::fakes {

class FakeSpoolWatch : public SpoolWatch {
 public:
  struct Event {
    unsigned after = 0;
    std::optional<Wake> wake;
    std::function<void()> action;
  };

  explicit FakeSpoolWatch(FakeWaiter& waiter) : waiter_(waiter) {}

  bool Arm(const std::string& directory) override {
    ++arms;
    armedOn = directory;
    return canArm;
  }
  bool Rearm() override {
    ++rearms;
    return canRearm;
  }
  Wake Wait(unsigned ms) override {
    waits.push_back(ms);
    if (script.empty() || script.front().after > ms) {
      if (!script.empty()) script.front().after -= ms;
      waiter_.now += ms;
      return Wake::TimedOut;
    }
    Event e = std::move(script.front());
    script.pop_front();
    waiter_.now += e.wake ? e.after : ms;
    if (e.action) e.action();
    return e.wake.value_or(Wake::TimedOut);
  }

  bool canArm = true, canRearm = true;
  std::string armedOn;
  int arms = 0, rearms = 0;
  std::vector<unsigned> waits;  // the timeout of every wait
  std::deque<Event> script;

 private:
  FakeWaiter& waiter_;
};

}  // namespace korv::fakes
