#pragma once
// Spool files the service handled (printed, or obeyed as control files) but could not
// remove. Left in place such a file would be handled again; so while it is the same file,
// unchanged, it is passed over, and its removal is tried again every few seconds.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "settings/FileSystem.h"
#include "spool/SpoolFileTracker.h"

namespace korv {

class UnremovedFiles {
 public:
  static constexpr std::uint64_t kRetryEveryMs = 5000;
  using Listing = SpoolFileTracker::Listing;

  // `name` was `identity`, listed as `listing`, when it was handled; its removal is tried
  // again from `retryAtMs` on.
  void Add(const std::string& name, const FileIdentity& identity, const Listing& listing,
           std::uint64_t retryAtMs);

  // The listing at `nowMs` shows `name` as `listing`. True while that is a handled file, to
  // be passed over. Opens the file to tell a new job under the old name, retries the
  // removal when due, and forgets the file once it is gone, removed or another file.
  bool RecheckRetryingRemoval(FileSystem& files, const std::string& name, const Listing& listing,
                              std::uint64_t nowMs);

  // Forgets every file not among `present` (upper-case names of a whole listing).
  void KeepOnly(const std::set<std::string>& present);

 private:
  struct Handled {
    FileIdentity identity;
    Listing listing;
    std::uint64_t retryAtMs = 0;
  };
  std::map<std::string, Handled> files_;  // by name as listed
};

}  // namespace korv
