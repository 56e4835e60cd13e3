#include "spool/SpoolFileRemoval.h"

namespace korv {

namespace {

constexpr int kMostNameTries = 20;

}  // namespace

std::string SetAside(FileSystem& files, SpoolFile& opened) {
  files.CreateDirectory(kSetAsideFolder);  // usually there already
  const std::string name = opened.Name();
  for (int n = 1; n <= kMostNameTries; ++n) {
    const std::string target = std::string(kSetAsideFolder) + "\\" + name +
                               (n == 1 ? std::string() : " (" + std::to_string(n) + ")");
    if (opened.MoveTo(target)) return target;
  }
  return {};
}

Removal RemoveHandledFile(FileSystem& files, SpoolFile& opened, std::string& movedTo) {
  if (opened.Delete()) return Removal::Deleted;
  movedTo = SetAside(files, opened);
  return movedTo.empty() ? Removal::Stuck : Removal::SetAside;
}

}  // namespace korv
