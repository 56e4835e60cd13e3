#include "app/ServiceWindowHandlers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeAppShell.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeServiceWindowPorts.h"
#include "unit/app/PrinterChoiceFixture.h"

namespace korv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ServiceWindowHandlersTest : public ::testing::Test,
                                  public testing_support::PrinterChoiceFixture {
 protected:
  ServiceWindowHandlersTest() {
    fileSystem.AddDirectory("C:\\KORVELAN");
    fileSystem.AddDirectory("C:\\KORVELAN\\WINPRINT");
    state.homeDirectory = "C:\\KORVELAN\\";
    state.spoolDirectory = "C:\\KORVELAN\\\\WINPRINT";
  }

  std::vector<std::string> log;  // the metrics reset and the font dialog, in order
  fakes::FakeFileSystem fileSystem;
  fakes::FakeCanvasFont canvasFont;
  fakes::FakeFontDialog fontDialog;
  fakes::FakeListSelector listSelector;
  fakes::FakeTextMetricsReset metrics{log};
  fakes::FakeConfirmBox confirmBox;
  fakes::FakeAppShell shell;
  ServiceWindowHandlers handlers{ServiceWindowDeps{state, profile, view, fileSystem, choice,
                                                   printer, canvasFont, fontDialog, listSelector,
                                                   metrics, confirmBox, shell}};
};

// ---- Select Printer

TEST_F(ServiceWindowHandlersTest, SelectPrinterOffersThePrintersWithTheCurrentOneFirst) {
  Store("UseDefault", "N");
  Store("Printer", "Epson LQ-570+");
  choice.LoadPrinterChoice();
  bool openDuringDialog = false;
  listSelector.whileOpen = [&] { openDuringDialog = flags.settingsOpen; };

  handlers.SelectPrinter();

  ASSERT_EQ(listSelector.calls.size(), 1u);
  const auto& call = listSelector.calls[0];
  EXPECT_EQ(call.count, 5);
  EXPECT_EQ(call.initial, 2);
  EXPECT_EQ(call.noun, "printer");
  EXPECT_EQ(call.items, printer.printers);
  EXPECT_EQ(call.position, 6);
  EXPECT_TRUE(openDuringDialog);
  EXPECT_FALSE(flags.settingsOpen);
}

TEST_F(ServiceWindowHandlersTest, SelectPrinterStoresTheChosenPrinterAndAppliesIt) {
  Store("UseDefault", "N");
  Store("Printer", "Epson LQ-570+");
  choice.LoadPrinterChoice();
  TakeWrites();
  listSelector.answer = 3;

  handlers.SelectPrinter();

  EXPECT_THAT(TakeWrites(), ElementsAre("Printer=Printer-10"));
  EXPECT_EQ(printer.selected, 2);
  EXPECT_EQ(view.printerLabel, "Printer: Printer-10");
  EXPECT_EQ(Stored("UseDefault"), "N");
}

TEST_F(ServiceWindowHandlersTest, SelectPrinterShortNameDoesNotHold) {
  Store("UseDefault", "N");
  Store("Printer", "Printer-10");
  choice.LoadPrinterChoice();
  TakeWrites();
  listSelector.answer = 5;  // "PDF"

  handlers.SelectPrinter();

  EXPECT_THAT(TakeWrites(), ElementsAre("Printer=PDF", "Printer=Printer-10"));
  EXPECT_EQ(printer.selected, 2);
  EXPECT_EQ(view.printerLabel, "Printer: Printer-10");
}

TEST_F(ServiceWindowHandlersTest, SelectPrinterCancelledStoresNothing) {
  handlers.SelectPrinter();

  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_THAT(printer.writes, IsEmpty());
  EXPECT_FALSE(flags.settingsOpen);
}

TEST_F(ServiceWindowHandlersTest, SelectPrinterWithNoPrintersPreselectsNothing) {
  printer.printers.clear();
  printer.defaultIndex = -1;

  handlers.SelectPrinter();

  ASSERT_EQ(listSelector.calls.size(), 1u);
  EXPECT_EQ(listSelector.calls[0].count, 0);
  EXPECT_EQ(listSelector.calls[0].initial, 0);
  EXPECT_EQ(printer.indexReads, 0);
}

TEST_F(ServiceWindowHandlersTest, SelectPrinterClearsSettingsOpenWhenTheDialogFails) {
  listSelector.fail = true;
  EXPECT_THROW(handlers.SelectPrinter(), std::runtime_error);
  EXPECT_FALSE(flags.settingsOpen);

  listSelector.fail = false;
  listSelector.answer = 2;
  printer.documentOpen = true;  // the choice's selection is refused
  EXPECT_THROW(handlers.SelectPrinter(), std::runtime_error);
  EXPECT_FALSE(flags.settingsOpen);
}

// ---- Printer Font

TEST_F(ServiceWindowHandlersTest, ChoosePrinterFontStoresShowsAndAppliesTheChosenFont) {
  const TPrinterFont chosen{"Lucida Console", 0, FontPitch::Fixed, -95, 0, 720, true};
  fontDialog.answer = chosen;
  bool openDuringDialog = false;
  fontDialog.whileOpen = [&] {
    openDuringDialog = flags.settingsOpen;
    log.push_back("dialog");
  };

  handlers.ChoosePrinterFont();

  EXPECT_THAT(log, ElementsAre("reset", "dialog"));
  ASSERT_EQ(fontDialog.started.size(), 1u);
  EXPECT_EQ(fontDialog.started[0], TPrinterFont{});  // the canvas's font
  EXPECT_TRUE(openDuringDialog);
  EXPECT_FALSE(flags.settingsOpen);
  EXPECT_EQ(Stored("Font"), "Lucida Console");
  EXPECT_EQ(state.fontName.Get(), "Lucida Console");
  EXPECT_EQ(view.fontLabel, "Font: Lucida Console");
  EXPECT_EQ(canvasFont.font, chosen);
}

TEST_F(ServiceWindowHandlersTest, ChoosePrinterFontShowsTheNameAsStored) {
  // The store keeps at most 199 characters; the label shows what reads back.
  fontDialog.answer = TPrinterFont{std::string(230, 'F')};

  handlers.ChoosePrinterFont();

  EXPECT_EQ(state.fontName.Get(), std::string(199, 'F'));
  EXPECT_EQ(view.fontLabel, "Font: " + std::string(199, 'F'));
}

TEST_F(ServiceWindowHandlersTest, ChoosePrinterFontCancelledOnlyResetsTheMetrics) {
  handlers.ChoosePrinterFont();

  EXPECT_THAT(log, ElementsAre("reset"));
  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_EQ(canvasFont.sets, 0);
  EXPECT_EQ(view.fontLabel, "");
  EXPECT_FALSE(flags.settingsOpen);
}

TEST_F(ServiceWindowHandlersTest, ChoosePrinterFontClearsSettingsOpenWhenTheDialogFails) {
  fontDialog.fail = true;
  EXPECT_THROW(handlers.ChoosePrinterFont(), std::runtime_error);
  EXPECT_FALSE(flags.settingsOpen);
  EXPECT_EQ(canvasFont.sets, 0);
}

// ---- Print Test Page

TEST_F(ServiceWindowHandlersTest, PrintTestPageCopiesIntoTheSpoolDirectoryOnOk) {
  fileSystem.AddFile("C:\\KORVELAN", "VOZAZAD.TST", "test page text");

  handlers.PrintTestPage();

  EXPECT_THAT(confirmBox.asked, ElementsAre("Click on OK to send test page to the printer"));
  EXPECT_THAT(
      fileSystem.log,
      ElementsAre("copy C:\\KORVELAN\\\\VOZAZAD.TST C:\\KORVELAN\\\\WINPRINT\\VOZAZAD.TST"));
  EXPECT_EQ(fileSystem.Contents("C:\\KORVELAN\\WINPRINT", "VOZAZAD.TST"), "test page text");
  EXPECT_FALSE(flags.settingsOpen);
}

TEST_F(ServiceWindowHandlersTest, PrintTestPageCancelledCopiesNothing) {
  fileSystem.AddFile("C:\\KORVELAN", "VOZAZAD.TST", "test page text");
  confirmBox.answerOk = false;

  handlers.PrintTestPage();

  EXPECT_THAT(fileSystem.log, IsEmpty());
  EXPECT_FALSE(fileSystem.Exists("C:\\KORVELAN\\WINPRINT", "VOZAZAD.TST"));
}

TEST_F(ServiceWindowHandlersTest, PrintTestPageWithoutTheFileDoesNothingElse) {
  EXPECT_NO_THROW(handlers.PrintTestPage());
  EXPECT_EQ(fileSystem.log.size(), 1u);
  EXPECT_THAT(fileSystem.Names("C:\\KORVELAN\\WINPRINT"), IsEmpty());
}

// ---- Exit, Printer Options, Remove

TEST_F(ServiceWindowHandlersTest, AskToRemoveBeepsAsksAndQuitsOnlyOnOk) {
  std::vector<std::size_t> beepsWhileAsked;
  confirmBox.whileShown = [&] { beepsWhileAsked.push_back(shell.beeps.size()); };

  confirmBox.answerOk = false;
  handlers.AskToRemove();
  EXPECT_EQ(shell.quits, 0);
  confirmBox.answerOk = true;
  handlers.AskToRemove();
  EXPECT_EQ(shell.quits, 1);

  EXPECT_THAT(shell.beeps, ElementsAre(16u, 16u));
  EXPECT_THAT(beepsWhileAsked, ElementsAre(1u, 2u));  // the beep comes before the question
  const std::string question = "Are you sure?  Korvelane will not print\rif the printer is removed";
  EXPECT_THAT(confirmBox.asked, ElementsAre(question, question));
  EXPECT_FALSE(flags.settingsOpen);
}

}  // namespace
}  // namespace korv
