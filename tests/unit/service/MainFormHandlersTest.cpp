#include "service/MainFormHandlers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "PrinterChoiceFixture.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeMainFormPorts.h"

namespace korv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MainFormHandlersTest : public ::testing::Test, public testing_support::PrinterChoiceFixture {
 protected:
  MainFormHandlersTest() {
    fileSystem.AddDirectory("C:\\KORVELAN");
    fileSystem.AddDirectory("C:\\KORVELAN\\WINPRINT");
    handlers.SetDirectories("C:\\KORVELAN\\", "C:\\KORVELAN\\\\WINPRINT");
  }

  std::vector<std::string> log;  // metrics, prompts and application, in order
  fakes::FakeFileSystem fileSystem;
  fakes::FakeCanvasFont canvasFont;
  fakes::FakeFontDialog fontDialog;
  fakes::FakeListSelector listSelector;
  fakes::FakeTextMetricsReset metrics{log};
  fakes::FakeUserPrompts prompts{log};
  fakes::FakeAppCommands app{log};
  SharedText fontName;
  MainFormHandlers handlers{MainFormDeps{profile, view, flags, fontName, fileSystem, choice,
                                         printer, canvasFont, fontDialog, listSelector, metrics,
                                         prompts, app}};
};

// ---- Select Printer

TEST_F(MainFormHandlersTest, PrnSetupOffersThePrintersWithTheCurrentOneFirst) {
  Store("UseDefault", "N");
  Store("Printer", "Epson LQ-570+");
  choice.LoadPrinterChoice();
  bool openDuringDialog = false;
  listSelector.whileOpen = [&] { openDuringDialog = flags.SettingsOpen; };

  handlers.PrnSetup();

  ASSERT_EQ(listSelector.calls.size(), 1u);
  const auto& call = listSelector.calls[0];
  EXPECT_EQ(call.count, 5);
  EXPECT_EQ(call.initial, 2);
  EXPECT_EQ(call.noun, "printer");
  EXPECT_EQ(call.items, printer.printers);
  EXPECT_EQ(call.position, 6);
  EXPECT_TRUE(openDuringDialog);
  EXPECT_FALSE(flags.SettingsOpen);
}

TEST_F(MainFormHandlersTest, PrnSetupStoresTheChosenPrinterAndAppliesIt) {
  Store("UseDefault", "N");
  Store("Printer", "Epson LQ-570+");
  choice.LoadPrinterChoice();
  TakeWrites();
  listSelector.answer = 3;

  handlers.PrnSetup();

  EXPECT_THAT(TakeWrites(), ElementsAre("Printer=Printer-10"));
  EXPECT_EQ(printer.selected, 2);
  EXPECT_EQ(view.printerLabel, "Printer: Printer-10");
  EXPECT_EQ(Stored("UseDefault"), "N");
}

TEST_F(MainFormHandlersTest, PrnSetupShortNameDoesNotHold) {
  Store("UseDefault", "N");
  Store("Printer", "Printer-10");
  choice.LoadPrinterChoice();
  TakeWrites();
  listSelector.answer = 5;  // "PDF"

  handlers.PrnSetup();

  EXPECT_THAT(TakeWrites(), ElementsAre("Printer=PDF", "Printer=Printer-10"));
  EXPECT_EQ(printer.selected, 2);
  EXPECT_EQ(view.printerLabel, "Printer: Printer-10");
}

TEST_F(MainFormHandlersTest, PrnSetupCancelledStoresNothing) {
  handlers.PrnSetup();

  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_THAT(printer.writes, IsEmpty());
  EXPECT_FALSE(flags.SettingsOpen);
}

TEST_F(MainFormHandlersTest, PrnSetupWithNoPrintersPreselectsNothing) {
  printer.printers.clear();
  printer.defaultIndex = -1;

  handlers.PrnSetup();

  ASSERT_EQ(listSelector.calls.size(), 1u);
  EXPECT_EQ(listSelector.calls[0].count, 0);
  EXPECT_EQ(listSelector.calls[0].initial, 0);
  EXPECT_EQ(printer.indexReads, 0);
}

TEST_F(MainFormHandlersTest, PrnSetupClearsSettingsOpenWhenTheDialogFails) {
  listSelector.fail = true;
  EXPECT_THROW(handlers.PrnSetup(), std::runtime_error);
  EXPECT_FALSE(flags.SettingsOpen);

  listSelector.fail = false;
  listSelector.answer = 2;
  printer.documentOpen = true;  // the choice's selection is refused
  EXPECT_THROW(handlers.PrnSetup(), std::runtime_error);
  EXPECT_FALSE(flags.SettingsOpen);
}

// ---- Printer Font

TEST_F(MainFormHandlersTest, PrinterFontStoresShowsAndAppliesTheChosenFont) {
  canvasFont.font = FontAttributes{"Courier New", 100};
  const FontAttributes chosen{"Lucida Console", 95, true, false, false, false, 0, FontPitch::Fixed};
  fontDialog.answer = chosen;
  bool openDuringDialog = false;
  fontDialog.whileOpen = [&] {
    openDuringDialog = flags.SettingsOpen;
    log.push_back("dialog");
  };

  handlers.PrinterFont();

  EXPECT_THAT(log, ElementsAre("reset", "dialog"));
  ASSERT_EQ(fontDialog.started.size(), 1u);
  EXPECT_EQ(fontDialog.started[0], (FontAttributes{"Courier New", 100}));
  EXPECT_TRUE(openDuringDialog);
  EXPECT_FALSE(flags.SettingsOpen);
  EXPECT_EQ(Stored("Font"), "Lucida Console");
  EXPECT_EQ(fontName.Get(), "Lucida Console");
  EXPECT_EQ(view.fontLabel, "Font: Lucida Console");
  EXPECT_EQ(canvasFont.font, chosen);
}

TEST_F(MainFormHandlersTest, PrinterFontShowsTheNameAsStored) {
  // The store keeps at most 199 characters; the label shows what reads back.
  fontDialog.answer = FontAttributes{std::string(230, 'F')};

  handlers.PrinterFont();

  EXPECT_EQ(fontName.Get(), std::string(199, 'F'));
  EXPECT_EQ(view.fontLabel, "Font: " + std::string(199, 'F'));
}

TEST_F(MainFormHandlersTest, PrinterFontCancelledOnlyResetsTheMetrics) {
  handlers.PrinterFont();

  EXPECT_THAT(log, ElementsAre("reset"));
  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_EQ(canvasFont.sets, 0);
  EXPECT_EQ(view.fontLabel, "");
  EXPECT_FALSE(flags.SettingsOpen);
}

TEST_F(MainFormHandlersTest, PrinterFontClearsSettingsOpenWhenTheDialogFails) {
  fontDialog.fail = true;
  EXPECT_THROW(handlers.PrinterFont(), std::runtime_error);
  EXPECT_FALSE(flags.SettingsOpen);
  EXPECT_EQ(canvasFont.sets, 0);
}

// ---- Print Test Page

TEST_F(MainFormHandlersTest, PrintTestPageCopiesIntoTheSpoolDirectoryOnOk) {
  fileSystem.AddFile("C:\\KORVELAN", "VOZAZAD.TST", "test page text");

  handlers.PrintTestPage();

  EXPECT_THAT(log, ElementsAre("confirm Click on OK to send test page to the printer"));
  EXPECT_THAT(
      fileSystem.log,
      ElementsAre("copy C:\\KORVELAN\\\\VOZAZAD.TST C:\\KORVELAN\\\\WINPRINT\\VOZAZAD.TST"));
  EXPECT_EQ(fileSystem.Contents("C:\\KORVELAN\\WINPRINT", "VOZAZAD.TST"), "test page text");
  EXPECT_FALSE(flags.SettingsOpen);
}

TEST_F(MainFormHandlersTest, PrintTestPageCancelledCopiesNothing) {
  fileSystem.AddFile("C:\\KORVELAN", "VOZAZAD.TST", "test page text");
  prompts.answerOk = false;

  handlers.PrintTestPage();

  EXPECT_THAT(fileSystem.log, IsEmpty());
  EXPECT_FALSE(fileSystem.Exists("C:\\KORVELAN\\WINPRINT", "VOZAZAD.TST"));
}

TEST_F(MainFormHandlersTest, PrintTestPageWithoutTheFileDoesNothingElse) {
  EXPECT_NO_THROW(handlers.PrintTestPage());
  EXPECT_EQ(fileSystem.log.size(), 1u);
  EXPECT_THAT(fileSystem.Names("C:\\KORVELAN\\WINPRINT"), IsEmpty());
}

// ---- Exit, Printer Options, Remove

TEST_F(MainFormHandlersTest, DoStopBeepsAsksAndQuitsOnlyOnOk) {
  prompts.answerOk = false;
  handlers.DoStop();
  prompts.answerOk = true;
  handlers.DoStop();

  const std::string question =
      "confirm Are you sure?  Korvelane will not print\rif the printer is removed";
  EXPECT_THAT(log, ElementsAre("beep 16", question, "beep 16", question, "quit 0"));
}

TEST_F(MainFormHandlersTest, ExitHandsOverToTheHostAndOptionsShowTheWindow) {
  handlers.Dominimize();
  handlers.DoRestore();

  EXPECT_THAT(log, ElementsAre("activate", "show"));
}

TEST_F(MainFormHandlersTest, BoxClickRunsTheChoice) {
  choice.LoadPrinterChoice();
  view.useDefault = false;

  handlers.SetDefaultPrinter();

  EXPECT_EQ(Stored("UseDefault"), "N");
  EXPECT_TRUE(view.selectPrinter);
}

}  // namespace
}  // namespace korv
