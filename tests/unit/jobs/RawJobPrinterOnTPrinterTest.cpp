#include "jobs/RawJobPrinterOnTPrinter.h"

#include <gtest/gtest.h>

#include "fakes/FakePrintSystem.h"
#include "printing/EPrinter.h"

namespace korv {
namespace {

struct RawOnPrinter : ::testing::Test {
  RawOnPrinter() {
    system.level4 = {{"First Printer", ""}, {"Second Printer", ""}};
    system.defaults = {{"Second Printer", ""}};
  }
  fakes::FakePrintSystem system;
  TPrinter printer{system};
  RawJobPrinterOnTPrinter raw{printer};
};

TEST_F(RawOnPrinter, CurrentEntryIsTheSelectedPrinterOrNoneForAnEmptyList) {
  EXPECT_EQ(raw.CurrentPrinterEntry(), "Second Printer");
  printer.SetSelectedIndex(0);
  EXPECT_EQ(raw.CurrentPrinterEntry(), "First Printer");

  fakes::FakePrintSystem empty;
  TPrinter none(empty);
  EXPECT_EQ(RawJobPrinterOnTPrinter(none).CurrentPrinterEntry(), std::nullopt);
}

TEST_F(RawOnPrinter, PassThroughDocumentHasNoPageBracketsAndCarriesTheBlock) {
  raw.StartPassThroughDocument("Korvelane");
  EXPECT_TRUE(printer.PassThroughDocument());
  EXPECT_GT(raw.PassThroughEscape(std::string("\x03\x00"
                                              "abc",
                                              5)),
            0);
  raw.EndPassThroughDocument();

  EXPECT_FALSE(printer.PassThroughDocument());
  EXPECT_FALSE(printer.DocumentOpen());
  EXPECT_EQ(system.log.documents, std::vector<std::string>{"Korvelane"});
  EXPECT_EQ(system.log.Count("StartPage"), 0);
  EXPECT_EQ(system.log.Count("EndPage"), 0);
  EXPECT_EQ(system.log.Count("EndDoc"), 1);
  ASSERT_EQ(system.log.escapes.size(), 1u);
  EXPECT_EQ(system.log.escapes[0].escape, 19);
  EXPECT_EQ(system.log.escapes[0].input, std::string("\x03\x00"
                                                     "abc",
                                                     5));
}

TEST_F(RawOnPrinter, AFailedStartLeavesTheNextDocumentWithPages) {
  system.log.failing.insert("StartDocA");
  EXPECT_THROW(raw.StartPassThroughDocument("Korvelane"), EPrinter);
  EXPECT_FALSE(printer.PassThroughDocument());
  EXPECT_FALSE(printer.DocumentOpen());
}

}  // namespace
}  // namespace korv
