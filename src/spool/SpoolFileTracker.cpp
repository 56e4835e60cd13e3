#include "spool/SpoolFileTracker.h"

#include "spool/SpoolProtocol.h"

namespace korv {

bool SpoolFileTracker::NoteFailure(const std::string& name, const Listing& listing,
                                   const std::string& reason, std::uint64_t nowMs) {
  auto [it, added] = troubles_.try_emplace(UpperCaseAscii(name));
  Trouble& t = it->second;
  if (added) {
    t.name = name;
    t.firstMs = nowMs;
    t.unchangedSinceMs = nowMs;
    t.listing = listing;
  } else if (!(t.listing == listing)) {
    t.listing = listing;  // its writer is still at work
    t.unchangedSinceMs = nowMs;
  }
  ++t.tries;
  t.reason = reason;
  t.lastTryMs = nowMs;
  const bool wasPassing = t.passing;
  t.passing = t.tries >= kTriesBeforePassing && nowMs - t.firstMs >= kPassAfterMs;
  return t.passing && !wasPassing;
}

bool SpoolFileTracker::PassOver(const std::string& name, std::uint64_t nowMs) const {
  auto it = troubles_.find(UpperCaseAscii(name));
  if (it == troubles_.end()) return false;
  const Trouble& t = it->second;
  return t.passing && nowMs - t.lastTryMs < kRetryEveryMs;
}

bool SpoolFileTracker::SetAsideDue(const std::string& name, std::uint64_t nowMs) const {
  auto it = troubles_.find(UpperCaseAscii(name));
  return it != troubles_.end() && it->second.passing &&
         nowMs - it->second.unchangedSinceMs >= kSetAsideAfterMs;
}

void SpoolFileTracker::Forget(const std::string& name) {
  troubles_.erase(UpperCaseAscii(name));
}

bool SpoolFileTracker::Refuse(const std::string& name, const Listing& listing,
                              const std::string& reason) {
  troubles_.erase(UpperCaseAscii(name));
  Trouble t;
  t.name = name;
  t.reason = reason;
  t.listing = listing;
  return refused_.try_emplace(UpperCaseAscii(name), t).second;
}

bool SpoolFileTracker::Refused(const std::string& name, const Listing& listing) {
  auto it = refused_.find(UpperCaseAscii(name));
  if (it == refused_.end()) return false;
  if (it->second.listing == listing) return true;
  refused_.erase(it);
  return false;
}

void SpoolFileTracker::KeepOnly(const std::set<std::string>& present) {
  const auto gone = [&](const auto& entry) { return !present.count(entry.first); };
  std::erase_if(troubles_, gone);
  std::erase_if(refused_, gone);
}

std::string SpoolFileTracker::Problem() const {
  for (const auto& [key, t] : troubles_)
    if (t.passing) return "cannot open " + t.name + ": " + t.reason;
  if (refused_.empty()) return {};
  const Trouble& t = refused_.begin()->second;
  return "not taken: " + t.name + ": " + t.reason;
}

}  // namespace korv
