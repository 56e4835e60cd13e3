#pragma once
// Printing one text job: the host program's bytes on the printer's text device, with
// the leading orientation byte and the in-band codes for pitch, line spacing and bold.
#include <string>
#include <string_view>

#include "base/ServiceFlags.h"
#include "jobs/DisableWatch.h"
#include "jobs/TextMetrics.h"
#include "printing/HostCharacters.h"
#include "printing/PrinterTextDevice.h"
#include "printing/TPrinter.h"
#include "settings/FileSystem.h"
#include "spool/JobOutcome.h"

namespace korv {

struct TextJobContext {
  ServiceFlags& flags;
  FileSystem& fileSystem;
  std::string spoolDirectory;  // made current again once the document has started
  TPrinter& printer;
  TextMetrics& metrics;
  // Told of every chunk read; may set stopRequested. None: only stopRequested counts.
  DisableWatch* watch = nullptr;
  // The host's character table; none: bytes in the system's ANSI code page.
  const HostCharacters* characters = nullptr;
};

// Prints the open job file from its first byte to its end. Printed when the document
// was ended; Stopped when stopRequested was seen, the document then thrown away.
// Throws EPrinter when the printer fails and JobReadError when the input fails; no
// document stays open either way.
JobOutcome PrintTextJob(JobFile& job, const TextJobContext& context);

// Writes job text holding no control code and no zero byte, split at its form feeds.
void WriteTextRun(const TextJobContext& context, PrinterTextDevice& device, std::string_view text);

}  // namespace korv
