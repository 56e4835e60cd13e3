#include "spool/SpoolFileRemoval.h"

namespace korv {

namespace {

constexpr int kMostNameTries = 20;

// Whether the file under `name` may still be the handled one.
bool MayBeIt(FileSystem& files, const std::string& name, const FileIdentity& identity) {
  const SpoolFileOpen opened = files.OpenSpoolFile(name);
  if (opened.file) return opened.identity == identity;
  return opened.error != SpoolOpenError::Missing && opened.error != SpoolOpenError::NotInSpool;
}

}  // namespace

std::string SetAside(FileSystem& files, const std::string& name) {
  files.CreateDirectory(kSetAsideFolder);  // usually there already
  for (int n = 1; n <= kMostNameTries; ++n) {
    const std::string target = std::string(kSetAsideFolder) + "\\" + name +
                               (n == 1 ? std::string() : " (" + std::to_string(n) + ")");
    if (files.MoveFile(name, target)) return target;
  }
  return {};
}

Removal RemoveHandledFile(FileSystem& files, const std::string& name, const FileIdentity& identity,
                          std::string& movedTo) {
  if (!MayBeIt(files, name, identity)) return Removal::Gone;
  if (files.DeleteFile(name)) return Removal::Deleted;
  if (!MayBeIt(files, name, identity)) return Removal::Gone;
  if (files.ClearReadOnly(name) && files.DeleteFile(name)) return Removal::Deleted;
  movedTo = SetAside(files, name);
  return movedTo.empty() ? Removal::Stuck : Removal::SetAside;
}

}  // namespace korv
