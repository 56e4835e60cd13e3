#include "printing/RawPrint.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "fakes/FakeSpooler.h"

namespace korv {
namespace {

using fakes::FakeSpooler;
using Calls = std::vector<std::string>;

const std::string kPrinter = "Laser Printer 9";

class RawPrintTest : public ::testing::Test {
 protected:
  RawPrintTest() { spooler.printers.insert(kPrinter); }

  // Keeps what the object reports, and who reported it.
  void Watch(TRawPrint& raw) {
    raw.OnError = [this](TRawPrint& sender, const std::string& text) {
      reports.push_back(text);
      senders.push_back(&sender);
    };
  }

  FakeSpooler spooler;
  std::vector<std::string> reports;
  std::vector<TRawPrint*> senders;
};

TEST_F(RawPrintTest, AJobGoesOutAsOneDocumentWithItsBytesUnchanged) {
  TRawPrint raw(spooler, kPrinter);
  EXPECT_EQ(raw.JobName, "RawPrint");
  Watch(raw);
  const std::string bytes(
      "A\0\x0c\x1b"
      "B",
      5);

  ASSERT_TRUE(raw.BeginJob());
  EXPECT_TRUE(raw.JobOpen());
  EXPECT_TRUE(raw.PageOpen());
  EXPECT_TRUE(raw.WriteData(bytes));
  EXPECT_TRUE(raw.NewJobPage());
  EXPECT_TRUE(raw.WriteData(""));  // an empty write still asks the spooler
  EXPECT_TRUE(raw.EndJob());

  EXPECT_EQ(spooler.calls,
            (Calls{"OpenPrinter Laser Printer 9", "StartDocPrinter RawPrint", "StartPagePrinter",
                   "WritePrinter 5", "EndPagePrinter", "StartPagePrinter", "WritePrinter 0",
                   "EndPagePrinter", "EndDocPrinter", "ClosePrinter"}));
  EXPECT_EQ(spooler.written, bytes);
  EXPECT_EQ(spooler.openPrinters, 0);
  EXPECT_FALSE(raw.JobOpen());
  EXPECT_TRUE(reports.empty());
}

TEST_F(RawPrintTest, UnknownPrinterFailsBeginJobWithTheSystemsText) {
  TRawPrint raw(spooler, "No Such Printer");
  Watch(raw);

  EXPECT_FALSE(raw.BeginJob());
  EXPECT_EQ(reports, Calls{FakeSpooler::kInvalidPrinterName});
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], &raw);
  EXPECT_FALSE(raw.JobOpen());
  EXPECT_EQ(spooler.calls, Calls{"OpenPrinter No Such Printer"});
}

TEST_F(RawPrintTest, DocumentThatCannotStartClosesThePrinterAgain) {
  spooler.failAfter["StartDocPrinter"] = 0;
  TRawPrint raw(spooler, kPrinter);
  Watch(raw);

  EXPECT_FALSE(raw.BeginJob());
  EXPECT_EQ(reports, Calls{FakeSpooler::kCallFailed});
  EXPECT_FALSE(raw.JobOpen());
  EXPECT_EQ(spooler.calls.back(), "ClosePrinter");
  EXPECT_EQ(spooler.openPrinters, 0);
  EXPECT_EQ(spooler.releasedUnclosed, 0);
}

TEST_F(RawPrintTest, NothingIsWrittenOrReportedOutsideAJob) {
  TRawPrint raw(spooler, kPrinter);
  Watch(raw);
  EXPECT_FALSE(raw.WriteData("early"));

  ASSERT_TRUE(raw.BeginJob());
  ASSERT_TRUE(raw.EndJob());
  const Calls afterJob = spooler.calls;
  EXPECT_FALSE(raw.WriteData("late"));
  EXPECT_TRUE(raw.EndJob());  // a second end does nothing
  EXPECT_TRUE(raw.NewJobPage());

  EXPECT_EQ(spooler.calls, afterJob);
  EXPECT_EQ(spooler.written, "");
  EXPECT_TRUE(reports.empty());
}

TEST_F(RawPrintTest, DestroyingAnOpenObjectEndsPageAndDocumentAndClosesThePrinter) {
  {
    TRawPrint raw(spooler, kPrinter);
    ASSERT_TRUE(raw.BeginJob());
    ASSERT_TRUE(raw.WriteData("data"));
  }
  EXPECT_EQ(spooler.calls,
            (Calls{"OpenPrinter Laser Printer 9", "StartDocPrinter RawPrint", "StartPagePrinter",
                   "WritePrinter 4", "EndPagePrinter", "EndDocPrinter", "ClosePrinter"}));
  EXPECT_EQ(spooler.openPrinters, 0);
  EXPECT_EQ(spooler.releasedUnclosed, 0);
}

TEST_F(RawPrintTest, FailedWriteIsReportedAndShortWriteTellsTheCount) {
  TRawPrint raw(spooler, kPrinter);
  Watch(raw);
  ASSERT_TRUE(raw.BeginJob());

  spooler.writeLimit = 3;
  std::uint32_t written = 99;
  EXPECT_TRUE(raw.WriteData("abcdef", written));
  EXPECT_EQ(written, 3u);
  EXPECT_TRUE(reports.empty());

  spooler.failAfter["WritePrinter"] = 1;
  EXPECT_FALSE(raw.WriteData("ghi", written));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(reports, Calls{FakeSpooler::kCallFailed});
  EXPECT_EQ(spooler.written, "abc");
}

// A spooler call that fails within a job: what the job's calls answer, what is reported,
// and whether the printer stays open until the object goes.
struct SpoolerFailure {
  const char* call;
  int after;             // calls of it that succeed first
  bool turnPage;         // NewJobPage before EndJob
  bool pageStarts;       // NewJobPage's answer
  bool jobEnds;          // EndJob's answer
  bool openAfterEnd;     // JobOpen() after EndJob
  std::size_t reported;  // OnError calls
  Calls calls;           // the spooler's calls once the object is gone
};

TEST_F(RawPrintTest, SpoolerFailuresWithinAJob) {
  const Calls begin = {"OpenPrinter Laser Printer 9", "StartDocPrinter RawPrint",
                       "StartPagePrinter"};
  auto with = [&](Calls rest) {
    Calls all = begin;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  const SpoolerFailure cases[] = {
      // A page that does not end is passed over.
      {"EndPagePrinter", 0, true, true, true, false, 2,
       with({"EndPagePrinter", "StartPagePrinter", "EndPagePrinter", "EndDocPrinter",
             "ClosePrinter"})},
      // The page that did not start is not ended.
      {"StartPagePrinter", 1, true, false, true, false, 1,
       with({"EndPagePrinter", "StartPagePrinter", "EndDocPrinter", "ClosePrinter"})},
      // A document that does not end keeps the job open; destruction releases the printer.
      {"EndDocPrinter", 0, false, true, false, true, 1, {}},
      // A close that fails still closes the job.
      {"ClosePrinter", 0, false, true, false, false, 1, {}},
  };
  for (const SpoolerFailure& c : cases) {
    SCOPED_TRACE(c.call);
    FakeSpooler failing;
    failing.printers.insert(kPrinter);
    failing.failAfter[c.call] = c.after;
    reports.clear();
    {
      TRawPrint raw(failing, kPrinter);
      Watch(raw);
      ASSERT_TRUE(raw.BeginJob());
      if (c.turnPage) {
        EXPECT_EQ(raw.NewJobPage(), c.pageStarts);
        EXPECT_EQ(raw.PageOpen(), c.pageStarts);
      }
      EXPECT_EQ(raw.EndJob(), c.jobEnds);
      EXPECT_EQ(raw.JobOpen(), c.openAfterEnd);
      EXPECT_EQ(reports.size(), c.reported);
      EXPECT_EQ(reports.back(), FakeSpooler::kCallFailed);
      EXPECT_EQ(failing.openPrinters, c.openAfterEnd ? 1 : 0);
    }
    EXPECT_EQ(failing.openPrinters, 0);
    if (!c.calls.empty()) {
      EXPECT_EQ(failing.calls, c.calls);
    }
  }
}

TEST_F(RawPrintTest, FailuresWithoutAHandlerOnlyShowInTheResults) {
  spooler.failAfter["WritePrinter"] = 0;
  TRawPrint raw(spooler, kPrinter);
  ASSERT_TRUE(raw.BeginJob());
  EXPECT_FALSE(raw.WriteData("x"));
  EXPECT_TRUE(raw.EndJob());
}

}  // namespace
}  // namespace korv
