#pragma once
// A raw job drawn through the printer driver: its ESC/P bytes interpreted, chunk by chunk,
// onto pages of the printer object.
#include <string>
#include <vector>

#include "escp/CodeTable.h"
#include "printing/TPrinter.h"
#include "settings/FileSystem.h"

namespace korv {

struct EscpJobContext {
  TPrinter& printer;
  FileSystem& files;
  std::string spoolDirectory;  // made current again once the document has started
  CodeTable table;
  CodePageConverter* codePages = nullptr;  // for tables a job assigns itself
  std::string face;                        // the printer font
  int pins = 24;                           // EscpPins
  bool fit = false;                        // EscpFit: each sheet scaled into the printable area
  bool pageFeed = false;                   // a CR LF first, the final form feed held back
};

// What the job log is told about a drawn job: the commands not carried out, and content
// that fell outside the printable area.
struct EscpJobNotes {
  std::vector<std::string> lines;
};

// Prints the open job file from its first byte to its end as one document. Throws EPrinter
// when the printer fails and JobReadError when the input fails; no document stays open.
EscpJobNotes PrintEscpJob(JobFile& job, const EscpJobContext& context);

}  // namespace korv
