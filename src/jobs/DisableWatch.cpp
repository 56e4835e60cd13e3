#include "jobs/DisableWatch.h"

#include <cstdint>
#include <memory>

#include "spool/SpoolFileRemoval.h"
#include "spool/SpoolProtocol.h"

namespace korv {

namespace {

constexpr std::uint32_t kNeverTaken =
    kAttrHidden | kAttrSystem | kAttrVolumeLabel | kAttrDirectory | kAttrReparsePoint;

}  // namespace

void DisableWatch::ChunkDone() {
  if (seen_ || ++chunks_ < kChunksBetweenLooks) return;
  chunks_ = 0;
  if (!Look()) return;
  seen_ = true;
  flags_.stopRequested = true;
}

bool DisableWatch::Look() {
  const std::string path = spoolDirectory_ + "\\DISABLE";
  FindData entry;
  std::uint32_t error = 0;
  std::unique_ptr<FindSession> search = files_.FindFirst(path, entry, error);
  if (!search) return false;
  search.reset();
  // Only what the listing would take as the control file counts.
  if ((entry.attributes & kNeverTaken) != 0) return false;
  if (entry.sizeHigh == 0 && entry.sizeLow == 0) return false;
  if (ControlCommand(entry.name) != SpoolCommand::Disable) return false;
  // Opened and removed as the loop does: a link, whatever its name, is never obeyed and
  // never removed (under Wine that would reach the file it points to).
  if (!files_.SetCurrentDirectory(spoolDirectory_)) return false;
  SpoolFileOpen opened = files_.OpenSpoolFile(entry.name);
  if (!opened.file || opened.size == 0) return false;
  std::string movedTo;
  RemoveHandledFile(files_, *opened.file, movedTo);  // obeyed once, even when it stays
  return true;
}

}  // namespace korv
