// The text branch on the printer object: a chosen printer that is not installed keeps
// the job (never printed elsewhere), a failure names the printer and the system's text,
// and a DISABLE file dropped during a long job ends it with the document thrown away.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <memory>
#include <string>

#include "jobs/PrintingJobBranches.h"
#include "printing/EPrinter.h"
#include "unit/jobs/BranchFakes.h"

namespace korv {
namespace {

struct TextOnChosenPrinter : ::testing::Test, testing::BranchFakes {
  TextOnChosenPrinter() {
    system.level4 = {{"Office Laser", ""}, {"Label Printer 2", ""}};
    system.defaults = {{"Office Laser", ""}};
  }
  void Choose(const std::string& useDefault, const std::string& printerName) {
    store.Store(kIni, "Vozazad", "UseDefault", useDefault);
    store.Store(kIni, "Vozazad", "Printer", printerName);
  }
  // Prints a new job of `bytes`; the error's text, or "" when it printed.
  std::string Print(const std::string& bytes, JobOutcome* outcome = nullptr) {
    const std::string name = "JOB" + std::to_string(++jobs);
    files.AddFile(kSpool, name, bytes);
    auto job = files.OpenJob(name);
    try {
      const JobOutcome result = branches.PrintTextJob(*job);
      if (outcome) *outcome = result;
      return "";
    } catch (const std::exception& e) {
      return e.what();
    }
  }

  PrintingJobBranches branches{state, files, profile, printer, metrics, spooler, 5};
  int jobs = 0;
};

TEST_F(TextOnChosenPrinter, WhereTheTextJobGoes) {
  struct Case {
    const char* useDefault;
    const char* chosen;
    const char* error;      // "" when it prints
    const char* printedOn;  // the device of the document's context
  };
  for (const Case& c : {
           Case{"N", "Gone Printer 9",
                "Cannot print on Gone Printer 9: the printer is not installed", ""},
           Case{"Y", "Gone Printer 9", "", "Office Laser"},      // the default is followed
           Case{"N", "Short", "", "Office Laser"},               // not a choice: the current one
           Case{"N", "Label Printer 2", "", "Label Printer 2"},  // installed: made current
       }) {
    SCOPED_TRACE(std::string(c.useDefault) + " " + c.chosen);
    system.contexts.clear();
    system.log.documents.clear();
    Choose(c.useDefault, c.chosen);
    EXPECT_EQ(Print("HELLO WORLD\r\n"), c.error);
    if (*c.printedOn == 0) {
      EXPECT_TRUE(system.log.documents.empty());  // nothing went to any printer
      continue;
    }
    ASSERT_FALSE(system.contexts.empty());
    EXPECT_EQ(system.contexts.back().device, c.printedOn);
    EXPECT_EQ(system.log.documents.size(), 1u);
  }
}

TEST_F(TextOnChosenPrinter, AFailedDocumentNamesThePrinterAndTheSystemsText) {
  system.messages[63] = "Your file waiting to be printed was deleted.";
  system.log.lastError = 63;
  system.log.failing = {"EndDoc"};
  EXPECT_EQ(Print("HELLO WORLD\r\n"),
            "Cannot print on Office Laser: Printing failed (EndDoc failed, error 63: Your file "
            "waiting to be printed was deleted.)");
  EXPECT_FALSE(printer.DocumentOpen());
}

std::string LongText(std::size_t lines) {
  std::string text;
  for (std::size_t i = 0; i < lines; ++i)
    text += "A LINE OF A LONG TEXT JOB " + std::to_string(i) + "\r\n";
  return text;
}

TEST_F(TextOnChosenPrinter, DisableDuringALongJobThrowsTheDocumentAway) {
  files.AddFile(kSpool, "disable", "1");
  JobOutcome outcome = JobOutcome::Printed;
  EXPECT_EQ(Print(LongText(2000), &outcome), "");  // about 60 KB: looked at every 8 KB
  EXPECT_EQ(outcome, JobOutcome::Stopped);
  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);
  EXPECT_EQ(system.log.Count("EndDoc"), 0);
  EXPECT_FALSE(files.Exists(kSpool, "disable"));
  EXPECT_NE(std::find(files.log.begin(), files.log.end(), "delete opened disable"),
            files.log.end());  // through the file as the loop opens it, never by name
  EXPECT_TRUE(files.Exists(kSpool, "JOB1"));  // the loop leaves a stopped job in place
  // It was seen early, not at the end of the job.
  EXPECT_LT(system.log.texts.size(), 20000u);
}

// An empty or hidden DISABLE, one in a subfolder, or a link named so that leads out of the
// spool folder is not the control file.
TEST_F(TextOnChosenPrinter, WhatIsNotAControlFileDoesNotStopAJob) {
  files.AddDirectory(std::string(kSpool) + "\\SUB");
  struct Case {
    std::string dir, data;
    std::uint32_t attributes;
    bool outside = false;
  };
  for (const Case& c : {Case{kSpool, "", kAttrArchive}, Case{kSpool, "1", kAttrHidden},
                        Case{std::string(kSpool) + "\\SUB", "1", kAttrArchive},
                        Case{kSpool, "1", kAttrArchive, true}}) {
    SCOPED_TRACE(c.dir + " " + std::to_string(c.attributes) + (c.outside ? " link" : ""));
    files.AddFile(c.dir, "DISABLE", c.data, c.attributes).outside = c.outside;
    JobOutcome outcome = JobOutcome::Stopped;
    EXPECT_EQ(Print(LongText(400), &outcome), "");
    EXPECT_EQ(outcome, JobOutcome::Printed);
    EXPECT_FALSE(state.flags.stopRequested);
    EXPECT_TRUE(files.Exists(c.dir, "DISABLE"));
    files.DeleteFile(c.dir + "\\DISABLE");
  }
}

}  // namespace
}  // namespace korv
