#include "jobs/FileOutputFolder.h"

#include <gtest/gtest.h>

#include "app/SavedPrinterChoice.h"
#include "fakes/FakeAppShell.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeHostWindowActivation.h"
#include "fakes/FakeJobLog.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/FakePrinterChoice.h"
#include "fakes/FakePrinterFontSetup.h"
#include "fakes/FakePrinterSelection.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeServiceView.h"
#include "fakes/FakeSpooler.h"
#include "fakes/FakeTrayIconSetup.h"
#include "fakes/FakeWaiter.h"
#include "jobs/JobErrors.h"
#include "jobs/PrintingJobBranches.h"
#include "printing/EPrinter.h"
#include "spool/PrintLoop.h"
#include "unit/spool/PrintLoopFixture.h"

namespace korv {
namespace {

constexpr char kIni[] = "C:\\KORVELAN\\VOZAZAD.INI";
constexpr char kSpool[] = "C:\\KORVELAN\\\\WINPRINT";
constexpr char kPrinted[] = "C:\\KORVELAN\\PRINTED";

TEST(OutputFileName, JobTimeCounterExtensionAndForbiddenCharacters) {
  const LogTime time{2026, 3, 7, 9, 5, 1, 999};
  EXPECT_EQ(OutputFileName("JOB1", time, 1, "pdf"), "JOB1-20260307-090501.pdf");
  EXPECT_EQ(OutputFileName("A.TXT", time, 12, "xps"), "A.TXT-20260307-090501-12.xps");
  EXPECT_EQ(OutputFileName("a<b>c:d\"e/f\\g|h?i*j", time, 1, "prn"),
            "a_b_c_d_e_f_g_h_i_j-20260307-090501.prn");
  EXPECT_EQ(SafeFileName(std::string("t\x01\x1f\xe9", 4)), "t__\xe9");  // 8-bit text stays
}

// A file printer (the default), a paper printer and the PDF writer.
struct FileOutput : ::testing::Test {
  FileOutput() {
    state.homeDirectory = "C:\\KORVELAN\\";
    state.spoolDirectory = kSpool;
    profile.Configure(kIni, "Vozazad");
    files.AddFile(kSpool, "JOB1", "HELLO WORLD\r\n");
    files.SetCurrentDirectory(kSpool);
    system.ports = {{"File Printer 1", {"FILE:", "wineps.drv"}},
                    {"Office Laser", {"LPT1:", "HP LaserJet"}},
                    {"Microsoft Print to PDF", {"PORTPROMPT:", "Microsoft Print To PDF"}}};
    system.level4 = {{"File Printer 1", ""}, {"Office Laser", ""}};
    system.defaults = {{"File Printer 1", ""}};
    spooler.printers = {"File Printer 1", "Office Laser"};
    state.flags.printing = true;
    branches.SetFileOutput(output);
  }
  void Set(const std::string& key, const std::string& value) {
    store.Store(kIni, "Vozazad", key, value);
  }
  std::unique_ptr<JobFile> Job() { return files.OpenJob("JOB1"); }
  void BlockFolder() {
    files.AddDirectory(kPrinted);
    files.unwritable.insert(fakes::FakeFileSystem::Key(kPrinted));
  }

  ServiceState state;
  fakes::FakeFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  fakes::FakePrintSystem system;
  fakes::FakeLogClock clock;  // 2026-12-08 06:05:04
  FileOutputFolder output{state, system, files, profile, clock};
  TPrinter printer{system};
  TextMetrics metrics;
  fakes::FakeSpooler spooler;
  PrintingJobBranches branches{state, files, profile, printer, metrics, spooler, 5};
};

TEST_F(FileOutput, NamesAreUniqueInAFolderMadeWhenMissing) {
  EXPECT_EQ(output.CreateOutputFile("Office Laser", "JOB1"), "");
  EXPECT_EQ(output.CreateOutputFile("Not Installed", "JOB1"), "");
  const std::string first = "C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504";
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "JOB1"), first + ".prn");
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "JOB1"), first + "-2.prn");
  EXPECT_EQ(output.CreateOutputFile("Microsoft Print to PDF", "JOB1"), first + ".pdf");
  files.AddFile(kPrinted, "JOB1-20261208-060504-3.prn", "older");
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "JOB1"), first + "-4.prn");
  EXPECT_EQ(files.Contents(kPrinted, "JOB1-20261208-060504-3.prn"), "older");

  Set("OutputFolder", "D:\\ARCHIVE\\2026\\");  // levels made one by one
  files.AddDirectory("D:\\");
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "J"),
            "D:\\ARCHIVE\\2026\\J-20261208-060504.prn");
  Set("OutputFolder", "OUT");
  EXPECT_EQ(output.Folder(), "C:\\KORVELAN\\OUT");
}

TEST_F(FileOutput, DocumentsNameTheirFilesOnFilePrintersOnly) {
  const std::string file = "C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504";
  EXPECT_EQ(branches.PrintTextJob(*Job()), JobOutcome::Printed);
  EXPECT_EQ(branches.PrintRawJob(*Job(), false), JobOutcome::Printed);
  PrintingJobBranches passThrough{state, files, profile, printer, metrics, spooler, 4};
  passThrough.SetFileOutput(output);
  EXPECT_EQ(passThrough.PrintRawJob(*Job(), false), JobOutcome::Printed);
  EXPECT_EQ(system.log.outputs, (std::vector<std::string>{file + ".prn", file + "-3.prn"}));
  EXPECT_EQ(spooler.outputFiles, std::vector<std::string>{file + "-2.prn"});
  EXPECT_EQ(printer.OutputFile(), "");  // that job's documents only

  Set("Printer", "Office Laser");
  printer.SetSelectedIndex(1);
  branches.PrintTextJob(*Job());
  branches.PrintRawJob(*Job(), false);
  EXPECT_EQ(system.log.outputs.back(), "");
  EXPECT_EQ(spooler.outputFiles.size(), 1u);
  EXPECT_EQ(files.Names(kPrinted).size(), 3u);
}

TEST_F(FileOutput, DocumentThatFailsTakesItsFileAway) {
  system.log.failing.insert("StartDocA");
  EXPECT_THROW(branches.PrintTextJob(*Job()), EPrinter);
  spooler.failAfter["StartDocPrinter"] = 0;
  EXPECT_THROW(branches.PrintRawJob(*Job(), false), RawPrintError);
  EXPECT_EQ(system.log.outputs.size(), 1u);
  EXPECT_EQ(spooler.outputFiles.size(), 1u);
  EXPECT_TRUE(files.Names(kPrinted).empty());
}

TEST_F(FileOutput, LoopKeepsTheJobWhileTheFolderCannotBeWritten) {
  BlockFolder();
  testing::LoopSideFakes side;
  auto& waiter = side.waiter;
  auto& view = side.view;
  PrintLoop loop{state, side.Ports(files, profile, branches, branches)};
  loop.Poll();
  EXPECT_TRUE(files.Exists(kSpool, "JOB1"));
  EXPECT_EQ(view.status,
            "Status - error: Cannot print on File Printer 1: Cannot write in the output folder "
            "C:\\KORVELAN\\PRINTED");
  EXPECT_EQ(system.log.Count("StartDocA"), 0);

  files.unwritable.clear();  // the folder is fixed: the job goes at its next try
  for (int i = 0; i < 200 && files.Exists(kSpool, "JOB1"); ++i) {
    waiter.now += 1000;  // past the failed job's wait
    loop.Poll();
  }
  EXPECT_FALSE(files.Exists(kSpool, "JOB1"));
  EXPECT_EQ(files.Names(kPrinted), std::vector<std::string>{"JOB1-20261208-060504.prn"});
  EXPECT_EQ(view.status, "Status - not printing");
}

TEST_F(FileOutput, PrinterLabelNamesTheFolderOfAFilePrinter) {
  fakes::FakeServiceView view;
  fakes::FakePrinterSelection printers;
  printers.printers = {"Office Laser", "File Printer 1"};
  SavedPrinterChoice choice(profile, view, state.flags, state.chosenPrinter, printers);
  choice.SetFileOutput(output);
  Set("UseDefault", "N");
  Set("Printer", "File Printer 1");
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: File Printer 1 -> C:\\KORVELAN\\PRINTED");
  state.flags.rawMode = true;
  Set("Printer", "Office Laser");
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: Office Laser (Raw printing)");
}

}  // namespace
}  // namespace korv
