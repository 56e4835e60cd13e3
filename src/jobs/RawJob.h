#pragma once
// The raw branch of the print loop: a job's bytes go to the printer uninterpreted.
// Before Windows 5 they go through pass-through escapes in a page-less document of the
// printer object, from 5 on into a spooler document of a TRawPrint.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/ServiceFlags.h"
#include "jobs/RawJobPrinter.h"
#include "printing/RawPrint.h"
#include "printing/Spooler.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"

namespace korv {

struct RawJobContext {
  ServiceFlags& flags;
  FileSystem& files;
  std::string spoolDirectory;  // made current again once the pass-through document started
  Profile& profile;
  unsigned osMajorVersion;  // GetVersionExA's major version: the pass-through path up to 4
  Spooler& spooler;
  RawJobPrinter& printer;

  // The printer a route chose; empty: the one named under kPrinterKey.
  std::string printerName{};
  // The job's own page-feed handling; pageFeedMode when none is given.
  std::optional<bool> pageFeed{};
  // The spooler document of the job in progress; none between jobs.
  std::unique_ptr<TRawPrint> spoolerDocument{};
  // What the spooler document last reported; set when any of its spooler calls failed.
  std::optional<std::string> spoolerError{};
  // The file a spooler document on the named printer goes into (empty: the printer);
  // may raise the printer object's errors. None: every document goes to its printer.
  std::function<std::string(const std::string& printer)> outputFileFor{};
};

// Prints one raw job from the open job file, positioned at its start, to its end.
// A job that did not wholly reach the printer raises RawPrintError (printer failures) or
// JobReadError (the file or the spool directory), and the loop keeps the job file.
void PrintRawJob(JobFile& job, RawJobContext& context);

// Opens the spooler document, unless one is open, on the printer named under kPrinterKey
// (stored from the current printer when empty); raises RawPrintError when it cannot.
void OpenRawJob(RawJobContext& context);

// Ends the spooler document and discards it; raises RawPrintError when it did not end
// cleanly.
void CloseRawJob(RawJobContext& context);

}  // namespace korv
