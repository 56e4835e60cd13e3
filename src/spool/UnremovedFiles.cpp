#include "spool/UnremovedFiles.h"

#include "spool/SpoolFileRemoval.h"
#include "spool/SpoolProtocol.h"

namespace korv {

void UnremovedFiles::Add(const std::string& name, const FileIdentity& identity,
                         const Listing& listing, std::uint64_t retryAtMs) {
  files_[name] = Handled{identity, listing, retryAtMs};
}

bool UnremovedFiles::RecheckRetryingRemoval(FileSystem& files, const std::string& name,
                                            const Listing& listing, std::uint64_t nowMs) {
  auto it = files_.find(name);
  if (it == files_.end()) return false;
  if (!(it->second.listing == listing)) {
    files_.erase(it);  // rewritten since: a new job under the old name
    return false;
  }
  SpoolFileOpen opened = files.OpenSpoolFile(name);
  if (opened.file && !(opened.identity == it->second.identity)) {
    files_.erase(it);  // another file of the same size and time: a new job
    return false;
  }
  if (opened.error == SpoolOpenError::Missing) {
    files_.erase(it);
    return true;
  }
  if (opened.file && nowMs >= it->second.retryAtMs) {
    opened.file.reset();
    std::string movedTo;
    it->second.retryAtMs = nowMs + kRetryEveryMs;
    if (RemoveHandledFile(files, name, it->second.identity, movedTo) != Removal::Stuck)
      files_.erase(it);
  }
  return true;  // not yet known to be another file
}

void UnremovedFiles::KeepOnly(const std::set<std::string>& present) {
  std::erase_if(files_,
                [&](const auto& file) { return !present.count(UpperCaseAscii(file.first)); });
}

}  // namespace korv
