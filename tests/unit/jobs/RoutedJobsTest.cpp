#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakeJobLog.h"
#include "jobs/PrintingJobBranches.h"
#include "jobs/RoutedJobFacts.h"
#include "printing/EPrinter.h"
#include "unit/jobs/BranchFakes.h"

namespace korv {
namespace {

struct RoutedJobs : ::testing::Test, testing::BranchFakes {
  RoutedJobs() {
    system.level4 = {{"Office Laser", ""}, {"Receipts", ""}, {"Labels", ""}};
    system.defaults = {{"Office Laser", ""}};
    spooler.printers = {"Office Laser", "Receipts", "Labels"};
    store.Store(kIni, "Vozazad", "RawPrinter", "Receipts");
    store.sections["Routes"] = {{"LBL*", "Labels"}, {"GONE*", "Printer Gone Away"}};
    branches.SetRouting(routing);
  }
  std::unique_ptr<JobFile> Job(const std::string& name, const std::string& bytes) {
    files.AddFile(kSpool, name, bytes);
    return files.OpenJob(name);
  }
  // The device the last text document was drawn on.
  std::string LastDevice() {
    std::string device;
    for (const std::string& call : system.calls)
      if (call.rfind("CreateDCA ", 0) == 0) device = call;
    return device;
  }
  JobRouting routing{profile};
  PrintingJobBranches branches{state, files, profile, printer, metrics, spooler, 5};
};

TEST_F(RoutedJobs, RawAndTextJobsGoToTheirOwnPrinters) {
  routing.Decide("JOB1", JobMode::Raw);
  auto raw = Job("JOB1", "RAW");
  branches.PrintRawJob(*raw, false);
  EXPECT_NE(std::find(spooler.calls.begin(), spooler.calls.end(), "OpenPrinter Receipts"),
            spooler.calls.end());

  routing.Decide("JOB2", JobMode::Text);
  auto text = Job("JOB2", "TEXT\r\n");
  branches.PrintTextJob(*text);
  EXPECT_NE(LastDevice().find("Office Laser"), std::string::npos) << LastDevice();

  // A routed text job draws on its printer; the next job finds the chosen one current.
  routing.Decide("LBL7", JobMode::Text);
  auto label = Job("LBL7", "LABEL\r\n");
  branches.PrintTextJob(*label);
  EXPECT_NE(LastDevice().find("Labels"), std::string::npos) << LastDevice();
  EXPECT_EQ(printer.SelectedPrinterText().rfind("Office Laser", 0), 0u);

  fakes::FakeJobFacts log;
  RoutedJobFacts facts(log, routing);
  EXPECT_EQ(facts.Facts(false).printer, "Labels");
  EXPECT_EQ(facts.Facts(false).route, "LBL*");
}

TEST_F(RoutedJobs, ARouteToAMissingPrinterKeepsTheJobInEitherMode) {
  for (const JobMode mode : {JobMode::Text, JobMode::Raw}) {
    routing.Decide("GONE1", mode);
    auto job = Job("GONE1", "DATA\r\n");
    try {
      mode == JobMode::Text ? branches.PrintTextJob(*job) : branches.PrintRawJob(*job, false);
      FAIL() << "printed";
    } catch (const EPrinter& e) {
      EXPECT_STREQ(e.what(), "Cannot print on Printer Gone Away: the printer is not installed");
    }
  }
  EXPECT_TRUE(spooler.written.empty());
  EXPECT_TRUE(system.log.documents.empty());
}

}  // namespace
}  // namespace korv
