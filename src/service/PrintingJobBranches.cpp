#include "service/PrintingJobBranches.h"

#include <string>

#include "printing/EPrinter.h"
#include "service/ChosenPrinter.h"
#include "service/DisableWatch.h"
#include "service/PrintFailureText.h"
#include "service/RawJob.h"
#include "service/TextJob.h"

namespace korv {

namespace {

// The printer a failed text job was meant for; empty when even that cannot be told.
std::string CurrentPrinterText(TPrinter& printer) {
  try {
    return printer.SelectedPrinterText();
  } catch (...) {
    return "";
  }
}

// A refusal of the printer object, told with the printer it was meant for and what the
// system said about it.
[[noreturn]] void ThrowNamingPrinter(const EPrinter& e, TPrinter& printer) {
  const std::string name = CurrentPrinterText(printer);
  if (name.empty()) throw e;
  std::string why = e.what();
  if (!e.Detail().empty()) why += " (" + e.Detail() + ")";
  throw EPrinter(CannotPrintOn(name, why), e.Detail());
}

}  // namespace

JobOutcome PrintingJobBranches::PrintTextJob(JobFile& job) {
  RequireChosenPrinter(profile_, printer_);
  DisableWatch watch(files_, state_.flags, state_.spoolDirectory);
  TextJobContext context{state_.flags, files_, state_.spoolDirectory, printer_, metrics_};
  context.watch = &watch;
  try {
    return korv::PrintTextJob(job, context);
  } catch (const EPrinter& e) {
    ThrowNamingPrinter(e, printer_);
  }
}

JobOutcome PrintingJobBranches::PrintRawJob(JobFile& job, bool pageFeed) {
  // A raw job always runs to its end; it is never cut off by a stop.
  RawJobContext context{state_.flags, files_,     state_.spoolDirectory, profile_, osMajorVersion_,
                        spooler_,     rawPrinter_};
  context.pageFeed = pageFeed;
  try {
    korv::PrintRawJob(job, context);
  } catch (const EPrinter& e) {
    ThrowNamingPrinter(e, printer_);  // the pass-through document's printer object
  }
  return JobOutcome::Printed;
}

}  // namespace korv
