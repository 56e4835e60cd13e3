#include "jobs/RawJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeRawJobPrinter.h"
#include "fakes/FakeSpooler.h"
#include "jobs/JobErrors.h"

namespace korv {
namespace {

using Blocks = std::vector<std::string>;

const std::string kHome = "C:\\KORVELAN";
const std::string kSpool = "C:\\KORVELAN\\WINPRINT";
const std::string kIni = "C:\\KORVELAN\\VOZAZAD.INI";
const std::string kPrinter = "Laser Printer 9";

// A pass-through block as the printer must receive it: 16-bit little-endian count, bytes.
std::string Block(const std::string& bytes) {
  const std::size_t n = bytes.size();
  return std::string{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)} + bytes;
}

// A job of `size` bytes that are neither form feeds nor repeating every chunk.
std::string Text(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < size; ++i) text.push_back("abcdefghijklmnopqrstuvwxyz"[i % 26]);
  return text;
}

class RawJobTest : public ::testing::Test {
 protected:
  RawJobTest() {
    files.AddDirectory(kHome);
    files.AddDirectory(kSpool);
    files.SetCurrentDirectory(kSpool);
    profile.Configure(kIni, "Vozazad");
    spooler.printers.insert(kPrinter);
    printer.entries = {"Other Printer 1", kPrinter};
    printer.defaultIndex = 1;
  }

  // Drops the job into the spool directory and prints it on Windows `major`.
  void Print(const std::string& data, unsigned major) {
    files.AddFile(kSpool, "JOB1", data);
    PrintAgain(major);
  }
  // Prints the job that is still in the spool directory, as a later poll would.
  void PrintAgain(unsigned major) {
    context.osMajorVersion = major;
    std::unique_ptr<JobFile> job = files.OpenJob("JOB1");
    ASSERT_NE(job, nullptr);
    PrintRawJob(*job, context);
  }
  void PrintAgainExpectingReadError(unsigned major = 4) {
    EXPECT_THROW(PrintAgain(major), JobReadError);
  }

  fakes::FakeFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  ServiceFlags flags;
  fakes::FakeSpooler spooler;
  fakes::FakeRawJobPrinter printer;
  RawJobContext context{flags, files, kSpool, profile, 4, spooler, printer};
};

// --- pass-through path (Windows 4 and before) ---

TEST_F(RawJobTest, PageFeedModeLeadsWithLineBreakAndDropsTheFinalFormFeed) {
  flags.pageFeedMode = true;
  Print(std::string("Hello\0World\r\n\f", 14), 4);

  EXPECT_EQ(printer.blocks, (Blocks{Block("\r\n"), Block(std::string("Hello\0World\r\n", 13))}));
  EXPECT_EQ(printer.events, (Blocks{"start Korvelane", "escape", "escape", "end"}));
  EXPECT_FALSE(printer.documentOpen);
}

TEST_F(RawJobTest, PageFeedModeSendsAHeldFormFeedJustBeforeTheNextChunk) {
  flags.pageFeedMode = true;
  const std::string first = Text(126);
  Print(first + "\f" + "tail", 4);

  EXPECT_EQ(printer.blocks, (Blocks{Block("\r\n"), Block(first), Block("\f"), Block("tail")}));
}

TEST_F(RawJobTest, PageFeedModeSendsNothingForALoneFinalFormFeed) {
  flags.pageFeedMode = true;
  const std::string first = Text(127);
  Print(first + "\f", 4);

  EXPECT_EQ(printer.blocks, (Blocks{Block("\r\n"), Block(first)}));
}

TEST_F(RawJobTest, WithoutPageFeedModeEveryByteGoesInChunksOf127) {
  std::string job = Text(300);
  job[3] = '\0';
  job[126] = '\f';  // ends the first chunk
  job[299] = '\f';  // ends the job
  Print(job, 3);

  EXPECT_EQ(printer.blocks, (Blocks{Block(job.substr(0, 127)), Block(job.substr(127, 127)),
                                    Block(job.substr(254))}));
  ASSERT_EQ(printer.blocks[0].substr(0, 2), std::string("\x7f\x00", 2));
}

TEST_F(RawJobTest, PassThroughDocumentReentersTheSpoolDirectory) {
  files.AddFile(kSpool, "JOB1", "12345678");
  std::unique_ptr<JobFile> job = files.OpenJob("JOB1");
  files.SetCurrentDirectory(kHome);  // as a printer driver might leave it

  PrintRawJob(*job, context);
  EXPECT_EQ(fakes::FakeFileSystem::Key(files.CurrentDirectory()),
            fakes::FakeFileSystem::Key(kSpool));
}

TEST_F(RawJobTest, RefusedEscapeFailsTheJobAndEndsTheDocument) {
  printer.escapeResults = {127, 0};
  EXPECT_THROW(Print(Text(300), 4), RawPrintError);
  EXPECT_EQ(printer.blocks.size(), 2u);
  EXPECT_EQ(printer.events.back(), "end");

  printer.escapeResults = {-1};
  EXPECT_THROW(PrintAgain(4), RawPrintError);
}

TEST_F(RawJobTest, EscapeTakingFewerBytesFailsTheJobNamingThePrinter) {
  printer.escapeResults = {126};
  try {
    Print(Text(300), 4);
    FAIL() << "no error";
  } catch (const RawPrintError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot print on Laser Printer 9: the printer did not take the data");
  }
  EXPECT_FALSE(printer.documentOpen);
}

TEST_F(RawJobTest, PassThroughDocumentThatCannotStartLeavesTheErrorToTheLoop) {
  printer.failStart = true;
  EXPECT_THROW(Print(Text(20), 4), std::runtime_error);
  EXPECT_TRUE(printer.blocks.empty());
  EXPECT_EQ(printer.events, Blocks{"start Korvelane"});
}

TEST_F(RawJobTest, UnreadableJobOrSpoolDirectoryEndsThePassThroughDocument) {
  files.AddFile(kSpool, "JOB1", Text(300)).failRead = true;
  PrintAgainExpectingReadError();
  EXPECT_FALSE(printer.documentOpen);
  EXPECT_EQ(printer.blocks.size(), 1u);

  files.unenterable.insert(fakes::FakeFileSystem::Key(kSpool));
  printer.blocks.clear();
  PrintAgainExpectingReadError();
  EXPECT_TRUE(printer.blocks.empty());
  EXPECT_FALSE(printer.documentOpen);
}

// --- spooler path (Windows 5 and later) ---

TEST_F(RawJobTest, SpoolerPathIgnoresPageFeedMode) {
  flags.pageFeedMode = true;
  store.Store(kIni, "Vozazad", "Printer", kPrinter);
  std::string job = Text(200);
  job[5] = '\0';
  job[199] = '\f';
  Print(job, 5);

  EXPECT_EQ(spooler.written, job);
  EXPECT_EQ(spooler.calls, (Blocks{"OpenPrinter Laser Printer 9", "StartDocPrinter Korvelane",
                                   "StartPagePrinter", "WritePrinter 127", "WritePrinter 73",
                                   "EndPagePrinter", "EndDocPrinter", "ClosePrinter"}));
  EXPECT_EQ(context.spoolerDocument, nullptr);
  EXPECT_EQ(spooler.openPrinters, 0);
  EXPECT_TRUE(printer.blocks.empty());
}

TEST_F(RawJobTest, EmptyPrinterKeyTakesTheCurrentPrinterAndStoresIt) {
  store.Store(kIni, "Vozazad", "Printer", "");
  Print(Text(10), 10);

  EXPECT_EQ(spooler.calls.front(), "OpenPrinter Laser Printer 9");
  EXPECT_EQ(store.Stored(kIni, "Vozazad", "Printer"), kPrinter);
  EXPECT_EQ(spooler.written, Text(10));
}

TEST_F(RawJobTest, ShortWritesGoOnWithTheRestOfTheChunk) {
  store.Store(kIni, "Vozazad", "Printer", kPrinter);
  spooler.writeLimit = 50;
  const std::string job = Text(130);
  Print(job, 6);

  EXPECT_EQ(spooler.written, job);
  EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "WritePrinter 127"), 1);
  EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "WritePrinter 77"), 1);
  EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "WritePrinter 27"), 1);
  EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "WritePrinter 3"), 1);
}

TEST_F(RawJobTest, WriteThatTakesNothingFailsTheJob) {
  store.Store(kIni, "Vozazad", "Printer", kPrinter);
  spooler.writeLimit = 0;
  EXPECT_THROW(Print(Text(10), 5), RawPrintError);
  EXPECT_EQ(spooler.openPrinters, 0);
}

TEST_F(RawJobTest, NoPrinterAtAllKeepsTheJob) {
  printer.entries.clear();
  EXPECT_THROW(Print(Text(10), 5), RawPrintError);
  EXPECT_TRUE(spooler.calls.empty());
  EXPECT_EQ(store.Stored(kIni, "Vozazad", "Printer"), "<none>");
}

TEST_F(RawJobTest, VanishedPrinterKeepsTheJobWithTheSystemsText) {
  store.Store(kIni, "Vozazad", "Printer", "Gone Printer 77");
  try {
    Print(Text(10), 5);
    FAIL() << "no error";
  } catch (const RawPrintError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot print on Gone Printer 77: the printer cannot be opened (OpenPrinter: The "
              "printer name is invalid.)");
  }
  EXPECT_EQ(context.spoolerDocument, nullptr);
}

// Every spooler failure keeps the job; once the printer recovers, the next poll prints it.
TEST_F(RawJobTest, SpoolerFailuresKeepTheJobForALaterPoll) {
  store.Store(kIni, "Vozazad", "Printer", kPrinter);
  const std::string job = Text(300);
  files.AddFile(kSpool, "JOB1", job);
  // Each failure says what it means for the job, which call failed and the system's text.
  const std::map<std::string, std::string> meaning{
      {"OpenPrinter", "the printer cannot be opened"},
      {"StartDocPrinter", "the spooler refused the document"},
      {"StartPagePrinter", "the spooler refused the document"},
      {"WritePrinter", "the spooler did not take the data"},
      {"EndDocPrinter", "the spooler did not accept the finished document"},
      {"ClosePrinter", "the printer could not be closed"}};
  for (const auto& [call, what] : meaning) {
    SCOPED_TRACE(call);
    spooler.failAfter = {{call, call == "WritePrinter" ? 1 : 0}};
    spooler.written.clear();
    try {
      PrintAgain(5);
      FAIL() << "no error";
    } catch (const RawPrintError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot print on Laser Printer 9: " + what + " (" +
                                               call + ": The printer is out of paper.)");
    }
    EXPECT_EQ(context.spoolerDocument, nullptr);
    EXPECT_EQ(spooler.openPrinters, 0);

    spooler.failAfter.clear();
    spooler.written.clear();
    PrintAgain(5);
    EXPECT_EQ(spooler.written, job);
  }
}

TEST_F(RawJobTest, UnreadableJobClosesTheSpoolerDocument) {
  store.Store(kIni, "Vozazad", "Printer", kPrinter);
  files.AddFile(kSpool, "JOB1", Text(300)).failRead = true;
  PrintAgainExpectingReadError(5);
  EXPECT_EQ(context.spoolerDocument, nullptr);
  EXPECT_EQ(spooler.openPrinters, 0);
}

}  // namespace
}  // namespace korv
