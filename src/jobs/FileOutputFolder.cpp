#include "jobs/FileOutputFolder.h"

#include <cstdio>
#include <string_view>

#include "printing/EPrinter.h"

namespace korv {

namespace {

constexpr std::string_view kForbidden = "<>:\"/\\|?*";
// Past this many takers of one name in one second, something else is wrong.
constexpr int kMostTakers = 999;

bool IsAbsolute(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (path.size() >= 2 && path[0] == '\\');
}

// Where the folder's own levels begin: after "C:\" or after "\\SERVER\SHARE\".
std::size_t FirstLevel(const std::string& folder) {
  if (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\') {
    std::size_t server = folder.find('\\', 2);
    if (server == std::string::npos) return folder.size();
    std::size_t share = folder.find('\\', server + 1);
    return share == std::string::npos ? folder.size() : share + 1;
  }
  return folder.size() >= 3 && folder[1] == ':' ? 3 : 0;
}

}  // namespace

std::string SafeFileName(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) c = '_';
  return out.empty() ? "_" : out;
}

std::string OutputFileName(const std::string& jobName, const LogTime& time, int n,
                           const std::string& extension) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  std::string name = SafeFileName(jobName);
  name += '-';
  name += stamp;
  if (n > 1) {
    name += '-';
    name += std::to_string(n);
  }
  name += '.';
  name += extension;
  return name;
}

FileOutputKind FileOutputFolder::KindOf(const std::string& printer) {
  if (printer.empty()) return FileOutputKind::None;
  PrinterPortInfo info;
  if (!printers_.PrinterPort(printer, info)) return FileOutputKind::None;
  return PrintToFileKind(printer, info.driverName, info.portName);
}

std::string FileOutputFolder::Folder() {
  std::string folder = profile_.ProfileRead("OutputFolder", "");
  while (!folder.empty() && folder.front() == ' ') folder.erase(0, 1);
  while (!folder.empty() && (folder.back() == ' ' || folder.back() == '\\')) folder.pop_back();
  if (folder.empty()) folder = "PRINTED";
  if (!IsAbsolute(folder)) folder = state_.homeDirectory + folder;
  return folder;
}

std::string FileOutputFolder::FolderFor(const std::string& printer) {
  return KindOf(printer) == FileOutputKind::None ? std::string() : Folder();
}

void FileOutputFolder::MakeFolder(const std::string& folder) {
  // Each missing level in turn; levels that exist refuse, which is fine: the file's
  // creation tells whether the folder is there.
  for (std::size_t end = folder.find('\\', FirstLevel(folder)); end != std::string::npos;
       end = folder.find('\\', end + 1))
    files_.CreateDirectory(folder.substr(0, end));
  files_.CreateDirectory(folder);
}

std::string FileOutputFolder::CreateOutputFile(const std::string& printer,
                                               const std::string& jobName) {
  const FileOutputKind kind = KindOf(printer);
  if (kind == FileOutputKind::None) return "";
  const std::string folder = Folder();
  MakeFolder(folder);
  const LogTime now = clock_.Now();
  for (int n = 1; n <= kMostTakers; ++n) {
    const std::string path = folder + "\\" + OutputFileName(jobName, now, n, FileExtension(kind));
    std::uint32_t error = 0;
    if (files_.CreateNewFile(path, error)) return path;
    if (error != kErrorFileExists && error != kErrorAlreadyExists) break;
  }
  throw EPrinter("Cannot write in the output folder " + folder);
}

}  // namespace korv
