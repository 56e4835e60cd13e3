// The print loop's side of the spool files: taking the selected file, noting files that
// will not open, and removing handled ones.
#include "spool/PrintLoop.h"
#include "spool/SpoolFileRemoval.h"

namespace korv {

namespace {

constexpr const char* kInSpoolFolder = "WINPRINT\\";
constexpr std::uint64_t kMsPerMinute = 60 * 1000;

}  // namespace

SpoolFileTracker::Listing PrintLoop::ListingOf(const SearchRecord& entry) {
  const std::uint64_t size =
      (std::uint64_t{entry.EntryData.sizeHigh} << 32) | entry.EntryData.sizeLow;
  return {size, entry.EntryData.lastWriteTime};
}

bool PrintLoop::PassOverRetryingUnremoved(const SearchRecord& entry) {
  const std::uint64_t now = ports_.waiter.NowMs();
  return tracker_.Refused(entry.EntryName) || tracker_.PassOver(entry.EntryName, now) ||
         unremoved_.RecheckRetryingRemoval(ports_.files, entry.EntryName, ListingOf(entry), now);
}

std::unique_ptr<JobFile> PrintLoop::TakeSelected(const Selected& file, FileIdentity& identity) {
  SpoolFileOpen opened = ports_.files.OpenSpoolFile(file.name);
  if (opened.file &&
      !(SpoolFileTracker::Listing{opened.size, opened.lastWriteTime} == file.listing)) {
    opened.file.reset();  // changed since the listing: its writer is still at work
    opened.error = SpoolOpenError::InUse;
    opened.reason = "it is still being written";
  }
  if (!opened.file) {
    NoteUntakeable(file, opened);
    return nullptr;
  }
  tracker_.Forget(file.name);
  identity = opened.identity;
  return std::move(opened.file);
}

void PrintLoop::NoteUntakeable(const Selected& file, const SpoolFileOpen& opened) {
  if (opened.error == SpoolOpenError::NotInSpool) {
    // Never read, deleted or moved: under Wine that would reach the file it points to.
    if (tracker_.Refuse(file.name, opened.reason))
      NoteError("not taken: " + file.name + ": " + opened.reason);
    return;
  }
  const std::uint64_t now = ports_.waiter.NowMs();
  const bool passing = tracker_.NoteFailure(file.name, file.listing, opened.reason, now);
  if (tracker_.SetAsideDue(file.name, now)) {
    const std::string movedTo = SetAside(ports_.files, file.name);
    if (movedTo.empty()) return;
    tracker_.Forget(file.name);
    NoteError(file.name + " could not be opened for " +
              std::to_string(SpoolFileTracker::kSetAsideAfterMs / kMsPerMinute) +
              " minutes and was moved to " + kInSpoolFolder + movedTo + ": " + opened.reason);
  } else if (passing) {
    NoteError("cannot open " + file.name + " (the files after it go ahead): " + opened.reason);
  }
}

void PrintLoop::RemoveHandled(const Selected& file, const FileIdentity& identity) {
  std::string movedTo;
  switch (RemoveHandledFile(ports_.files, file.name, identity, movedTo)) {
    case Removal::Deleted:
    case Removal::Gone:
      break;
    case Removal::SetAside:
      NoteError(file.name + " could not be deleted; moved to " + kInSpoolFolder + movedTo);
      break;
    case Removal::Stuck:
      unremoved_.Add(file.name, identity, file.listing,
                     ports_.waiter.NowMs() + UnremovedFiles::kRetryEveryMs);
      NoteError(file.name + " could not be deleted or moved; it is not taken again");
      break;
  }
}

}  // namespace korv
