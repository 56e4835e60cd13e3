#include "jobs/RawJobMode.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "base/ServiceConstants.h"

namespace korv {

namespace {

// "ESCP" or "Pass" in any case; none for anything else.
std::optional<bool> DrawValue(std::string value) {
  std::transform(value.begin(), value.end(), value.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (value == "ESCP") return true;
  if (value == "PASS") return false;
  return std::nullopt;
}

}  // namespace

bool DrawsRawJobs(Profile& profile, const std::string& printer, FileOutputKind kind) {
  if (kind == FileOutputKind::Pdf || kind == FileOutputKind::Xps) return true;
  if (!printer.empty()) {
    if (auto own = DrawValue(profile.ReadInSection(kRawJobsSection, printer, ""))) return *own;
  }
  return DrawValue(profile.ProfileRead(kRawJobsKey, kRawJobsPass)).value_or(false);
}

}  // namespace korv
