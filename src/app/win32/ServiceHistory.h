#pragma once
// Routing, the history in HISTORY beside the program and its reprints, made once and
// handed to the print loop, the job branches, the job log and the "Recent jobs" window.
#include <string>

#include "history/HistoryStore.h"
#include "history/ReprintRequests.h"
#include "history/win32/Win32IndexFile.h"
#include "jobs/PrintingJobBranches.h"
#include "jobs/RoutedJobFacts.h"
#include "routing/JobRouting.h"
#include "spool/Doorbell.h"
#include "spool/KeptJobs.h"
#include "spool/PrintLoop.h"

namespace korv {

class ServiceHistory {
 public:
  ServiceHistory(FileSystem& files, Profile& profile, JobFactsSource& facts, Doorbell& doorbell)
      : profile_(profile),
        routing_(profile),
        logFacts_(facts, routing_),
        store_(files, index_, clock_, FolderBeside(files.ModulePath())),
        reprints_([&doorbell] { doorbell.Ring(); }),
        kept_(files, profile, store_, reprints_, logFacts_) {}

  // The job log names each job's routed printer and route.
  JobFactsSource& LogFacts() { return logFacts_; }
  void Attach(PrintLoop& loop, PrintingJobBranches& jobs) {
    loop.SetRouting(routing_);
    loop.SetKeptJobs(kept_);
    jobs.SetRouting(routing_);
  }
  // On the print thread, once the profile is known and before the first job.
  void Open() { store_.Open(ReadHistoryLimits(profile_)); }

  JobHistory& History() { return store_; }
  ReprintQueue& Reprints() { return reprints_; }

 private:
  static std::string FolderBeside(const std::string& program) {
    return program.substr(0, program.find_last_of('\\') + 1) + kHistoryFolder;
  }

  Profile& profile_;
  JobRouting routing_;
  RoutedJobFacts logFacts_;
  win32::Win32IndexFile index_;
  win32::Win32HistoryClock clock_;
  HistoryStore store_;
  ReprintRequests reprints_;
  KeptJobs kept_;
};

}  // namespace korv
