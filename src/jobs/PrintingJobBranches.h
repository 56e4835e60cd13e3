#pragma once
// The print loop's two job branches on the printer object and the spooler.
#include <functional>

#include "base/ServiceState.h"
#include "escp/CodeTable.h"
#include "joblog/JobLog.h"
#include "jobs/FileOutputFolder.h"
#include "jobs/RawJobPrinterOnTPrinter.h"
#include "jobs/TextMetrics.h"
#include "printing/Spooler.h"
#include "printing/TPrinter.h"
#include "routing/JobRouting.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"
#include "spool/JobBranches.h"

namespace korv {

class PrintingJobBranches : public TextJobBranch, public RawJobBranch {
 public:
  PrintingJobBranches(ServiceState& state, FileSystem& files, Profile& profile, TPrinter& printer,
                      TextMetrics& metrics, Spooler& spooler, unsigned osMajorVersion)
      : state_(state),
        files_(files),
        profile_(profile),
        printer_(printer),
        metrics_(metrics),
        spooler_(spooler),
        osMajorVersion_(osMajorVersion),
        rawPrinter_(printer) {}

  // Documents on print-to-file printers go into files of this folder; without it they go
  // to the printer as they are.
  void SetFileOutput(FileOutputFolder& output) { output_ = &output; }
  // The system's IBM code pages for the CodePage key; without them only the tables of our
  // own are at hand (437's copy standing in for the other IBM ones).
  void SetCodePages(CodePageConverter& codePages) { codePages_ = &codePages; }

  // Told what drawn raw jobs could not print as sent.
  void SetJobLog(JobLog& log) { log_ = &log; }
  // Jobs go where the routing sends them; without it, to the chosen printer.
  void SetRouting(const JobRouting& routing) { routing_ = &routing; }

  JobOutcome PrintTextJob(JobFile& job) override;
  JobOutcome PrintRawJob(JobFile& job, bool pageFeed) override;

 private:
  // The selected printer's documents of one job go into `path` (none: empty); a document
  // that did not print takes its file away again.
  JobOutcome OnPrinterObject(JobFile& job, const std::function<JobOutcome()>& print);
  // The printer raw jobs go to: the routed one, else the stored choice, else the current
  // printer.
  std::string RawJobPrinterName();
  // A raw job's Epson commands drawn on `printer` through the printer object.
  JobOutcome PrintDrawnRawJob(JobFile& job, bool pageFeed, const std::string& printer);
  // The printer the routing chose for this job; empty: the chosen printer.
  std::string RoutedPrinter() const { return routing_ ? routing_->Current().printer : ""; }

  ServiceState& state_;
  FileSystem& files_;
  Profile& profile_;
  TPrinter& printer_;
  TextMetrics& metrics_;
  Spooler& spooler_;
  unsigned osMajorVersion_;
  RawJobPrinterOnTPrinter rawPrinter_;
  FileOutputFolder* output_ = nullptr;
  CodePageConverter* codePages_ = nullptr;
  JobLog* log_ = nullptr;
  const JobRouting* routing_ = nullptr;
};

}  // namespace korv
