#pragma once
// Where the documents of print-to-file printers go: the folder of the profile key
// OutputFolder (default PRINTED beside the program), one new file per document, named
// after its job and the time, so that no printer ever asks for a file name.
#include <string>

#include "base/LogClock.h"
#include "base/ServiceState.h"
#include "printing/PrintSystem.h"
#include "printing/PrintToFile.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"

namespace korv {

// A name Windows allows for a file: characters it forbids and control characters become '_'.
std::string SafeFileName(const std::string& name);

// "<job>-<yyyymmdd-hhmmss>[-<n>].<ext>", `n` from 2 on for the name's later takers.
std::string OutputFileName(const std::string& jobName, const LogTime& time, int n,
                           const std::string& extension);

class FileOutputFolder {
 public:
  // `state`'s home directory is read at each use: start-up sets it later.
  FileOutputFolder(const ServiceState& state, PrintSystem& printers, FileSystem& files,
                   Profile& profile, LogClock& clock)
      : state_(state), printers_(printers), files_(files), profile_(profile), clock_(clock) {}

  // What the printer writes, asked of the spooler; None when it cannot tell.
  FileOutputKind KindOf(const std::string& printer);
  // The folder, full, without a closing backslash.
  std::string Folder();
  // The folder when `printer` writes files, else empty.
  std::string FolderFor(const std::string& printer);
  // For a document of job `jobName` on `printer`: when the printer writes files, a new
  // empty file in the folder (the folder made first when missing) and its full path;
  // else empty. Throws EPrinter when the folder cannot be made or written.
  std::string CreateOutputFile(const std::string& printer, const std::string& jobName);

 private:
  void MakeFolder(const std::string& folder);

  const ServiceState& state_;
  PrintSystem& printers_;
  FileSystem& files_;
  Profile& profile_;
  LogClock& clock_;
};

}  // namespace korv
