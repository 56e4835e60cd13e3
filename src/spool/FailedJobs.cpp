#include "spool/FailedJobs.h"

#include <algorithm>

#include "spool/SpoolProtocol.h"

namespace korv {

void FailedJobs::NoteFailure(const std::string& name, std::uint64_t now) {
  Failure& f = jobs_[UpperCaseAscii(name)];
  ++f.count;
  std::uint64_t delay = kFirstDelay;
  for (unsigned i = 1; i < f.count && delay < kLongestDelay; ++i) delay *= 2;
  f.nextTry = now + std::min(delay, kLongestDelay);
}

bool FailedJobs::IsWaiting(const std::string& name, std::uint64_t now) const {
  auto it = jobs_.find(UpperCaseAscii(name));
  return it != jobs_.end() && now < it->second.nextTry;
}

std::optional<std::uint64_t> FailedJobs::NextTry() const {
  std::optional<std::uint64_t> earliest;
  for (const auto& job : jobs_)
    if (!earliest || job.second.nextTry < *earliest) earliest = job.second.nextTry;
  return earliest;
}

void FailedJobs::Forget(const std::string& name) {
  jobs_.erase(UpperCaseAscii(name));
}

void FailedJobs::KeepOnly(const std::set<std::string>& present) {
  std::set<std::string> upper;
  for (const std::string& name : present) upper.insert(UpperCaseAscii(name));
  std::erase_if(jobs_, [&](const auto& job) { return !upper.count(job.first); });
}

}  // namespace korv
