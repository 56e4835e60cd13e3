#include "app/SavedPrinterChoice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "unit/app/PrinterChoiceFixture.h"

namespace korv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PrinterChoiceTest : public ::testing::Test, public testing_support::PrinterChoiceFixture {};

TEST_F(PrinterChoiceTest, NoSectionFollowsTheWindowsDefaultPrinter) {
  choice.LoadPrinterChoice();

  EXPECT_TRUE(view.useDefault);
  EXPECT_FALSE(view.selectPrinter);
  EXPECT_TRUE(view.printerFont);
  EXPECT_TRUE(view.testPage);
  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4");
  EXPECT_EQ(chosenPrinter.Get(), "HP LaserJet 4");
  EXPECT_THAT(printer.writes, ElementsAre(0));
  // Only the printer is stored: the box agreed with the default "Y" all along.
  EXPECT_THAT(TakeWrites(), ElementsAre("Printer=HP LaserJet 4"));
}

TEST_F(PrinterChoiceTest, TheLabelSaysWhereRoutingSendsJobs) {
  Store("RawPrinter", "Receipts");
  store.sections["Routes"] = {{"PICK*", "Warehouse"}, {"INV*", "Office"}};
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4 (raw: Receipts, 2 routes)");
}

TEST_F(PrinterChoiceTest, StoredNameOfNineCharactersIsReplacedByTheCurrentPrinter) {
  Store("UseDefault", "N");
  Store("Printer", "Printer09");  // installed, but too short to count as a choice

  choice.LoadPrinterChoice();

  EXPECT_EQ(Stored("Printer"), "HP LaserJet 4");
  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4");
  EXPECT_THAT(printer.writes, ElementsAre(0));
  EXPECT_FALSE(view.useDefault);
  EXPECT_TRUE(view.selectPrinter);
  EXPECT_EQ(Stored("UseDefault"), "N");
}

TEST_F(PrinterChoiceTest, StoredNameOfTenCharactersThatIsInstalledIsUsed) {
  Store("UseDefault", "N");
  Store("Printer", "Printer-10");

  choice.LoadPrinterChoice();

  EXPECT_EQ(printer.indexReads, 0);  // the current printer is not even asked for
  EXPECT_THAT(printer.writes, ElementsAre(2));
  EXPECT_EQ(view.printerLabel, "Printer: Printer-10");
  EXPECT_EQ(chosenPrinter.Get(), "Printer-10");
  EXPECT_THAT(TakeWrites(), IsEmpty());
}

TEST_F(PrinterChoiceTest, TickingTheBoxKeepsThePrinterSelectedEarlier) {
  Store("UseDefault", "N");
  Store("Printer", "Epson LQ-570+");
  choice.LoadPrinterChoice();
  ASSERT_EQ(printer.selected, 1);
  ASSERT_FALSE(view.useDefault);
  TakeWrites();

  choice.UseDefaultClicked(true);

  EXPECT_EQ(Stored("UseDefault"), "Y");
  EXPECT_EQ(Stored("Printer"), "Epson LQ-570+");
  EXPECT_EQ(view.printerLabel, "Printer: Epson LQ-570+");
  EXPECT_FALSE(view.selectPrinter);
  EXPECT_THAT(TakeWrites(), ElementsAre("UseDefault=Y", "Printer=Epson LQ-570+"));
}

TEST_F(PrinterChoiceTest, ClearingTheBoxStoresNAndEnablesSelectPrinter) {
  choice.LoadPrinterChoice();
  TakeWrites();

  choice.UseDefaultClicked(false);

  EXPECT_THAT(TakeWrites(), ElementsAre("UseDefault=N"));
  EXPECT_TRUE(view.selectPrinter);
  EXPECT_FALSE(view.useDefault);
  EXPECT_THAT(printer.writes, ElementsAre(0));  // no new choice is made
}

TEST_F(PrinterChoiceTest, LowerCaseYIsNeitherYesNorNo) {
  Store("UseDefault", "y");
  Store("Printer", "Epson LQ-570+");

  choice.LoadPrinterChoice();
  EXPECT_FALSE(view.useDefault);
  EXPECT_FALSE(view.selectPrinter);
  EXPECT_EQ(view.printerLabel, "Printer: Epson LQ-570+");
  TakeWrites();

  for (const bool ticked : {true, false}) {
    choice.UseDefaultClicked(ticked);
    // The box goes back to what is stored.
    EXPECT_FALSE(view.useDefault);
    EXPECT_FALSE(view.selectPrinter);
  }
  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_EQ(Stored("UseDefault"), "y");
}

TEST_F(PrinterChoiceTest, RawModeGivesUpTheDefaultPrinterAndTextModeKeepsThatChoice) {
  choice.LoadPrinterChoice();

  flags.rawMode = true;  // RAWPRINT
  choice.LoadPrinterChoice();

  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4 (Raw printing)");
  EXPECT_FALSE(view.useDefault);
  EXPECT_EQ(Stored("UseDefault"), "N");
  EXPECT_FALSE(view.printerFont);
  EXPECT_FALSE(view.testPage);
  EXPECT_TRUE(view.selectPrinter);

  flags.rawMode = false;  // WINPRINT
  choice.LoadPrinterChoice();

  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4");
  EXPECT_TRUE(view.printerFont);
  EXPECT_TRUE(view.testPage);
  EXPECT_TRUE(view.selectPrinter);
  EXPECT_FALSE(view.useDefault);
  EXPECT_EQ(Stored("UseDefault"), "N");
  EXPECT_EQ(Stored("Printer"), "HP LaserJet 4");
}

TEST_F(PrinterChoiceTest, RawModeStoresNEvenWhenUseDefaultHeldNeither) {
  Store("UseDefault", "y");
  Store("Printer", "Epson LQ-570+");
  flags.rawMode = true;

  choice.LoadPrinterChoice();

  EXPECT_EQ(Stored("UseDefault"), "N");
  EXPECT_TRUE(view.selectPrinter);
  EXPECT_FALSE(view.useDefault);
  EXPECT_EQ(view.printerLabel, "Printer: Epson LQ-570+ (Raw printing)");
}

TEST_F(PrinterChoiceTest, FirstEntryOfTheNameIsSelected) {
  printer.printers = {"Label Printer", "Office Laser", "Office Laser"};
  Store("UseDefault", "N");
  Store("Printer", "Office Laser");

  choice.LoadPrinterChoice();

  EXPECT_THAT(printer.writes, ElementsAre(1));
}

TEST_F(PrinterChoiceTest, SavedPrinterNoLongerInstalledIsNamedNotFoundAndNothingElseChanges) {
  Store("UseDefault", "N");
  Store("Printer", "Removed Printer");
  view.printerFont = false;  // as a job left them
  view.testPage = false;

  choice.LoadPrinterChoice();

  EXPECT_EQ(printer.selected, -1);
  EXPECT_THAT(printer.writes, IsEmpty());
  EXPECT_EQ(view.printerLabel, "Printer: Removed Printer - not found");
  EXPECT_FALSE(view.printerFont);
  EXPECT_FALSE(view.testPage);
  EXPECT_EQ(chosenPrinter.Get(), "Removed Printer");
  EXPECT_THAT(TakeWrites(), IsEmpty());
}

TEST_F(PrinterChoiceTest, MissingPrinterInRawModeKeepsTheModeInTheLabel) {
  Store("UseDefault", "N");
  Store("Printer", "Removed Printer");
  flags.rawMode = true;
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: Removed Printer (Raw printing) - not found");
  // Once it is installed again the label is the usual one.
  printer.printers.push_back("Removed Printer");
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: Removed Printer (Raw printing)");
}

TEST_F(PrinterChoiceTest, EmptyPrinterListOnlySetsTheBoxAndSelectPrinter) {
  printer.printers.clear();
  printer.defaultIndex = -1;
  Store("UseDefault", "N");

  choice.LoadPrinterChoice();

  EXPECT_EQ(printer.indexReads, 0);
  EXPECT_FALSE(view.useDefault);
  EXPECT_TRUE(view.selectPrinter);
  EXPECT_EQ(view.printerLabel, "");
  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_THAT(view.log, ElementsAre("selectPrinter=on", "useDefault=off"));
}

TEST_F(PrinterChoiceTest, NoDefaultPrinterPassesTheErrorOn) {
  printer.defaultIndex = -1;
  EXPECT_THROW(
      {
        try {
          choice.LoadPrinterChoice();
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "There is no default printer currently selected");
          throw;
        }
      },
      std::runtime_error);
  EXPECT_EQ(view.printerLabel, "");
}

TEST_F(PrinterChoiceTest, SelectionRefusedDuringADocumentStopsTheRest) {
  choice.LoadPrinterChoice();
  view.log.clear();
  printer.documentOpen = true;
  flags.rawMode = true;

  EXPECT_THROW(
      {
        try {
          choice.LoadPrinterChoice();
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "Printing in progress");
          throw;
        }
      },
      std::runtime_error);

  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4");
  EXPECT_TRUE(view.printerFont);
  EXPECT_TRUE(view.useDefault);
  EXPECT_EQ(Stored("UseDefault"), "<none>");

  // The choice is not left locked: once the document is closed it goes through.
  printer.documentOpen = false;
  choice.LoadPrinterChoice();
  EXPECT_EQ(view.printerLabel, "Printer: HP LaserJet 4 (Raw printing)");
}

}  // namespace
}  // namespace korv
