#include "service/FileOutputFolder.h"

#include <gtest/gtest.h>

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
#include "printing/EPrinter.h"
#include "service/PrintLoop.h"
#include "service/PrintingJobBranches.h"
#include "service/RawPrintError.h"
#include "service/SavedPrinterChoice.h"

namespace korv {
namespace {

constexpr char kIni[] = "C:\\KORVELAN\\VOZAZAD.INI";
constexpr char kSpool[] = "C:\\KORVELAN\\\\WINPRINT";
constexpr char kPrinted[] = "C:\\KORVELAN\\PRINTED";

TEST(OutputFileName, JobNameTimeCounterAndExtension) {
  const LogTime time{2026, 3, 7, 9, 5, 1, 999};
  EXPECT_EQ(OutputFileName("JOB1", time, 1, "pdf"), "JOB1-20260307-090501.pdf");
  EXPECT_EQ(OutputFileName("JOB1", time, 2, "prn"), "JOB1-20260307-090501-2.prn");
  EXPECT_EQ(OutputFileName("A.TXT", time, 12, "xps"), "A.TXT-20260307-090501-12.xps");
}

TEST(OutputFileName, CharactersWindowsForbidsBecomeUnderscores) {
  EXPECT_EQ(SafeFileName("a<b>c:d\"e/f\\g|h?i*j"), "a_b_c_d_e_f_g_h_i_j");
  EXPECT_EQ(SafeFileName(std::string("t\x01\x1f\tx", 5)), "t___x");
  EXPECT_EQ(SafeFileName("Ok \xe9 name.1"), "Ok \xe9 name.1");  // 8-bit text stays
  EXPECT_EQ(SafeFileName(""), "_");
}

struct OutputFolder : ::testing::Test {
  OutputFolder() {
    state.homeDirectory = "C:\\KORVELAN\\";
    state.spoolDirectory = kSpool;
    profile.Configure(kIni, "Vozazad");
    files.AddDirectory(kSpool);
    files.SetCurrentDirectory(kSpool);
    system.ports["File Printer 1"] = {"FILE:", "wineps.drv"};
    system.ports["Office Laser"] = {"LPT1:", "HP LaserJet"};
    system.ports["Microsoft Print to PDF"] = {"PORTPROMPT:", "Microsoft Print To PDF"};
  }
  void SetFolder(const std::string& folder) {
    store.Store(kIni, "Vozazad", "OutputFolder", folder);
  }

  ServiceState state;
  fakes::FakeFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  fakes::FakePrintSystem system;
  fakes::FakeLogClock clock;  // 2026-12-08 06:05:04
  FileOutputFolder output{state, system, files, profile, clock};
};

TEST_F(OutputFolder, PaperPrintersAndUnknownPrintersGetNoFile) {
  EXPECT_EQ(output.CreateOutputFile("Office Laser", "JOB1"), "");
  EXPECT_EQ(output.CreateOutputFile("Not Installed", "JOB1"), "");
  EXPECT_EQ(output.FolderFor("Office Laser"), "");
  EXPECT_TRUE(files.Names(kPrinted).empty());
  EXPECT_EQ(files.log, std::vector<std::string>{"cd C:\\KORVELAN\\WINPRINT"});
}

TEST_F(OutputFolder, MissingFolderBesideTheProgramIsMadeAndNamesAreUnique) {
  EXPECT_EQ(output.FolderFor("File Printer 1"), kPrinted);
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "JOB1"),
            "C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504.prn");
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "JOB1"),
            "C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504-2.prn");
  EXPECT_EQ(output.CreateOutputFile("Microsoft Print to PDF", "JOB1"),
            "C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504.pdf");
  files.AddFile(kPrinted, "JOB2-20261208-060504.prn", "older");
  files.AddFile(kPrinted, "JOB2-20261208-060504-2.prn", "older");
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "JOB2"),
            "C:\\KORVELAN\\PRINTED\\JOB2-20261208-060504-3.prn");
  EXPECT_EQ(files.Contents(kPrinted, "JOB2-20261208-060504.prn"), "older");
}

TEST_F(OutputFolder, FolderKeyMayBeNestedRelativeOrClosedByABackslash) {
  SetFolder("D:\\ARCHIVE\\2026\\PDF\\");
  files.AddDirectory("D:\\");
  EXPECT_EQ(output.CreateOutputFile("File Printer 1", "J:1"),
            "D:\\ARCHIVE\\2026\\PDF\\J_1-20261208-060504.prn");
  EXPECT_TRUE(files.Exists("D:\\ARCHIVE\\2026\\PDF", "J_1-20261208-060504.prn"));
  SetFolder("OUT");
  EXPECT_EQ(output.Folder(), "C:\\KORVELAN\\OUT");
  SetFolder("\\\\NAS\\SCANS\\KORV");
  EXPECT_EQ(output.Folder(), "\\\\NAS\\SCANS\\KORV");
}

TEST_F(OutputFolder, FolderThatCannotBeWrittenIsAPrinterError) {
  files.AddDirectory(kPrinted);
  files.unwritable.insert(fakes::FakeFileSystem::Key(kPrinted));
  try {
    output.CreateOutputFile("File Printer 1", "JOB1");
    FAIL() << "no error";
  } catch (const EPrinter& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write in the output folder C:\\KORVELAN\\PRINTED");
  }
  files.failCreateDirectory = true;
  SetFolder("E:\\NOWHERE");
  EXPECT_THROW(output.CreateOutputFile("File Printer 1", "JOB1"), EPrinter);
}

TEST_F(OutputFolder, PrinterLabelNamesTheFolderOfAFilePrinter) {
  fakes::FakeServiceView view;
  fakes::FakePrinterSelection printers;
  printers.printers = {"Office Laser", "File Printer 1"};
  SavedPrinterChoice choice(profile, view, state.flags, state.ChosenPrinter, printers);
  choice.SetFileOutput(output);
  store.Store(kIni, "Vozazad", "UseDefault", "N");
  store.Store(kIni, "Vozazad", "Printer", "File Printer 1");
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: File Printer 1 -> C:\\KORVELAN\\PRINTED");
  state.flags.RawMode = true;
  SetFolder("D:\\OUT");
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: File Printer 1 (Raw printing) -> D:\\OUT");
  store.Store(kIni, "Vozazad", "Printer", "Office Laser");
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: Office Laser (Raw printing)");
}

// The job branches with a file printer selected.
struct FileBranches : OutputFolder {
  FileBranches() {
    system.level4 = {{"File Printer 1", ""}, {"Office Laser", ""}};
    system.defaults = {{"File Printer 1", ""}};
    spooler.printers = {"File Printer 1", "Office Laser"};
    state.flags.Printing = true;
    branches.SetFileOutput(output);
  }
  std::unique_ptr<JobFile> Job(const std::string& bytes) {
    files.AddFile(kSpool, "JOB1", bytes);
    return files.OpenJob("JOB1");
  }
  std::vector<std::string> Printed() { return files.Names(kPrinted); }

  TPrinter printer{system};
  TextMetrics metrics;
  fakes::FakeSpooler spooler;
  PrintingJobBranches branches{state, files, profile, printer, metrics, spooler, 5};
};

TEST_F(FileBranches, TextAndRawDocumentsNameTheirFiles) {
  auto text = Job("HELLO WORLD\r\n");
  EXPECT_EQ(branches.PrintTextJob(*text), JobOutcome::Printed);
  const std::string file = "C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504.prn";
  EXPECT_EQ(system.log.outputs, std::vector<std::string>{file});
  EXPECT_EQ(printer.OutputFile(), "");  // only this job's documents

  EXPECT_EQ(branches.PrintRawJob(*text), JobOutcome::Printed);
  EXPECT_EQ(spooler.outputFiles,
            std::vector<std::string>{"C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504-2.prn"});
  EXPECT_EQ(Printed().size(), 2u);
}

TEST_F(FileBranches, PaperPrinterDocumentsNameNoFile) {
  store.Store(kIni, "Vozazad", "Printer", "Office Laser");
  printer.SetSelectedIndex(1);
  auto job = Job("HELLO WORLD\r\n");
  branches.PrintTextJob(*job);
  branches.PrintRawJob(*job);
  EXPECT_EQ(system.log.outputs, std::vector<std::string>{""});
  EXPECT_TRUE(spooler.outputFiles.empty());
  EXPECT_TRUE(Printed().empty());
}

TEST_F(FileBranches, PassThroughDocumentNamesItsFile) {
  PrintingJobBranches old{state, files, profile, printer, metrics, spooler, 4};
  old.SetFileOutput(output);
  auto job = Job("RAWBYTES");
  EXPECT_EQ(old.PrintRawJob(*job), JobOutcome::Printed);
  EXPECT_EQ(system.log.outputs,
            std::vector<std::string>{"C:\\KORVELAN\\PRINTED\\JOB1-20261208-060504.prn"});
}

TEST_F(FileBranches, DocumentThatFailsTakesItsFileAway) {
  system.log.failing.insert("StartDocA");
  auto job = Job("HELLO WORLD\r\n");
  EXPECT_THROW(branches.PrintTextJob(*job), EPrinter);
  spooler.failAfter["StartDocPrinter"] = 0;
  EXPECT_THROW(branches.PrintRawJob(*job), RawPrintError);
  EXPECT_EQ(system.log.outputs.size(), 1u);
  EXPECT_EQ(spooler.outputFiles.size(), 1u);
  EXPECT_TRUE(Printed().empty());
}

TEST_F(FileBranches, UnwritableFolderFailsTheJobBeforeAnyDocument) {
  files.AddDirectory(kPrinted);
  files.unwritable.insert(fakes::FakeFileSystem::Key(kPrinted));
  auto job = Job("HELLO WORLD\r\n");
  EXPECT_THROW(branches.PrintTextJob(*job), EPrinter);
  EXPECT_THROW(branches.PrintRawJob(*job), EPrinter);
  EXPECT_EQ(system.log.Count("StartDocA"), 0);
  EXPECT_TRUE(spooler.calls.empty());
}

TEST_F(FileBranches, LoopKeepsTheJobWhileTheFolderCannotBeWritten) {
  files.AddDirectory(kPrinted);
  files.unwritable.insert(fakes::FakeFileSystem::Key(kPrinted));
  files.AddFile(kSpool, "JOB1", "HELLO WORLD\r\n");
  fakes::FakeWaiter waiter;
  fakes::FakeServiceView view;
  fakes::FakeAppShell shell;
  fakes::FakeTrayIconSetup tray;
  fakes::FakeHostWindowActivation host;
  fakes::FakePrinterFontSetup font;
  fakes::FakePrinterChoice choice;
  PrintLoop loop{state, PrintLoopPorts{files, profile, waiter, view, shell, tray, host, font,
                                       choice, branches, branches}};
  loop.Poll();
  EXPECT_TRUE(files.Exists(kSpool, "JOB1"));
  EXPECT_EQ(view.status, "Status - error: Cannot write in the output folder C:\\KORVELAN\\PRINTED");

  files.unwritable.clear();  // the folder is fixed: the job goes on its next try
  for (int i = 0; i < 200 && files.Exists(kSpool, "JOB1"); ++i) loop.Poll();
  EXPECT_FALSE(files.Exists(kSpool, "JOB1"));
  EXPECT_EQ(Printed(), std::vector<std::string>{"JOB1-20261208-060504.prn"});
  EXPECT_EQ(view.status, "Status - not printing");
}

}  // namespace
}  // namespace korv
