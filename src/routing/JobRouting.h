#pragma once
// Where the print thread's current job goes: decided before each job from the profile as
// it is then (a changed routing counts from the next job on), read by the job branches
// and the job log. Print thread only.
#include <string>

#include "routing/Routing.h"

namespace korv {

class JobRouting {
 public:
  explicit JobRouting(Profile& profile) : profile_(profile) {}

  const JobTarget& Decide(const std::string& jobName, JobMode mode) {
    target_ = TargetFor(ReadRouting(profile_), jobName, mode);
    return target_;
  }
  // A job whose printer is already known (a reprint).
  void Set(JobTarget target) { target_ = std::move(target); }
  const JobTarget& Current() const { return target_; }

 private:
  Profile& profile_;
  JobTarget target_;
};

}  // namespace korv
