// The printer list, the default printer and selection by index or name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EPrinterText.h"
#include "fakes/FakePrintSystem.h"
#include "printing/EPrinter.h"
#include "printing/TPrinter.h"

namespace korv {
namespace {

using fakes::FakePrintSystem;
using ::testing::ElementsAre;

using testing::ErrorText;

TEST(PrinterList, NtFamilyListsLocalAndConnectedPrintersByName) {
  FakePrintSystem system;
  system.level4 = {{"Office Laser", ""}, {"\\\\server\\Queue", ""}};
  TPrinter printer(system);

  auto list = printer.PrinterList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Text, "Office Laser");
  EXPECT_EQ(list[1].Text, "\\\\server\\Queue");
  EXPECT_EQ(list[1].Device.PrinterName, "\\\\server\\Queue");
  EXPECT_EQ(list[1].Device.DriverName, "");
  EXPECT_EQ(list[1].Device.PortName, "");
  EXPECT_THAT(system.calls,
              ElementsAre("GetVersionExA", "EnumPrintersSizeA 6 4", "EnumPrintersA 6 4 128"));
}

TEST(PrinterList, OtherSystemsListOneEntryPerPort) {
  FakePrintSystem system;
  system.version = {1, 4};
  system.level5 = {{"Laser", "LPT1:,  COM2:"}, {"Matrix", "LPT2:,,FILE:"}, {"Nowhere", ""}};
  TPrinter printer(system);

  EXPECT_THAT(printer.PrinterTexts(),
              ElementsAre("Laser on LPT1:", "Laser on COM2:", "Matrix on LPT2:"));
  auto list = printer.PrinterList();
  EXPECT_EQ(list[1].Device.PrinterName, "Laser");
  EXPECT_EQ(list[1].Device.PortName, "COM2:");
  EXPECT_EQ(system.calls.at(1), "EnumPrintersSizeA 2 5");
}

TEST(PrinterList, StaysEmptyWhenTheSpoolerGivesNothingAndIsBuiltOnce) {
  FakePrintSystem none;
  TPrinter empty(none);
  EXPECT_TRUE(empty.PrinterList().empty());
  empty.PrinterList();
  EXPECT_EQ(none.calls.size(), 2u);  // version and size, once

  FakePrintSystem failing;
  failing.level4 = {{"Laser", ""}};
  failing.failEnumFill = true;
  TPrinter printer(failing);
  EXPECT_TRUE(printer.PrinterList().empty());
}

TEST(DefaultPrinter, ComesFromTheDefaultEnumeration) {
  FakePrintSystem system;
  system.level4 = {{"First Printer", ""}, {"Second Printer", ""}};
  system.defaults = {{"Second Printer", "LPT1:"}};
  TPrinter printer(system);

  EXPECT_EQ(printer.SelectedIndex(), 1);
  EXPECT_EQ(printer.SelectedPrinterText(), "Second Printer");
  EXPECT_EQ(printer.PrinterList().size(), 2u);
  EXPECT_THAT(system.calls, ::testing::Contains("OpenPrinterA Second Printer"));
}

TEST(DefaultPrinter, FallsBackToTheLegacyProfileEntry) {
  FakePrintSystem system;
  system.version = {1, 4};
  system.level5 = {{"Laser", "LPT1:"}, {"Matrix", "LPT2:, COM1:"}};
  system.legacyDevice = "  Matrix,HPPCL,LPT2:";
  TPrinter printer(system);

  EXPECT_EQ(printer.SelectedIndex(), 1);
  EXPECT_EQ(printer.SelectedPrinterText(), "Matrix on LPT2:");
  EXPECT_THAT(system.calls, ::testing::Contains("GetProfileStringA windows device 79"));
}

TEST(DefaultPrinter, FailuresCarryTheirTexts) {
  FakePrintSystem noMatch;
  noMatch.level4 = {{"Laser", ""}};
  noMatch.legacyDevice = "Gone,drv,LPT1:";
  TPrinter printer(noMatch);
  EXPECT_EQ(ErrorText([&] { printer.SelectedIndex(); }), kNoDefaultPrinterText);
  EXPECT_EQ(std::string(kNoDefaultPrinterText), "There is no default printer currently selected");

  FakePrintSystem empty;
  TPrinter none(empty);
  EXPECT_EQ(ErrorText([&] { none.SelectedIndex(); }),
            "There is no default printer currently selected");
  EXPECT_EQ(none.SelectedPrinterText(), "");  // no printers: no selection attempted

  FakePrintSystem denied;
  denied.sizeQueryError = 5;
  denied.messages[5] = "Access is denied.\r\n";
  TPrinter refused(denied);
  EXPECT_EQ(ErrorText([&] { refused.SelectDefaultPrinter(); }),
            "Win32 Error.  Code: 5.\nAccess is denied.\r\n");

  FakePrintSystem silent;
  silent.sizeQueryError = 0;
  TPrinter unexplained(silent);
  EXPECT_EQ(ErrorText([&] { unexplained.SelectDefaultPrinter(); }), "A Win32 API function failed");
}

TEST(SelectedIndex, WritingChecksTheRangeAndSwitchesTheContext) {
  FakePrintSystem system;
  system.level4 = {{"First Printer", ""}, {"Second Printer", ""}};
  system.defaults = {{"First Printer", ""}};
  TPrinter printer(system);

  EXPECT_EQ(ErrorText([&] { printer.SetSelectedIndex(2); }), "Printer index out of range");
  EXPECT_EQ(ErrorText([&] { printer.SetSelectedIndex(-2); }), "Printer index out of range");

  printer.DeviceHandle();
  printer.SetSelectedIndex(1);
  EXPECT_EQ(system.log.contextsAlive, 0);  // released; the next use makes a new one
  printer.DeviceHandle();
  EXPECT_EQ(system.contexts.back().device, "Second Printer");

  printer.SetSelectedIndex(-1);
  EXPECT_EQ(printer.SelectedIndex(), 0);
}

TEST(SelectPrinter, AddsAnEntryForAnUnknownPrinter) {
  FakePrintSystem system;
  system.level4 = {{"Laser", ""}};
  TPrinter printer(system);

  printer.SelectPrinter("Plotter", "PLOTDRV", "COM3:");
  EXPECT_EQ(printer.SelectedIndex(), 1);
  EXPECT_EQ(printer.SelectedPrinterText(), "Plotter on COM3:");
  printer.DeviceHandle();
  EXPECT_EQ(system.contexts.back().driver, "PLOTDRV");
  EXPECT_EQ(system.contexts.back().port, "COM3:");
  EXPECT_FALSE(system.contexts.back().deviceContext);

  // A printer that cannot be opened has no settings.
  system.unopenable.insert("Laser");
  printer.SelectPrinter("Laser", "", "");
  EXPECT_EQ(printer.SelectedIndex(), 0);
  EXPECT_FALSE(printer.DeviceSettings().has_value());
  EXPECT_EQ(system.openPrinters, 0);
}

TEST(SelectPrinter, ReadsThePrintersOwnSettingsOnlyWhenUsable) {
  FakePrintSystem system;
  system.level4 = {{"Laser", ""}, {"Tiny", ""}, {"Refusing", ""}};
  system.deviceModes["Laser"] = FakePrintSystem::MakeDeviceMode(2, 220);
  system.deviceModes["Tiny"] = std::vector<std::uint8_t>(40, 0);
  system.noSettings.insert("Refusing");
  TPrinter printer(system);

  printer.SelectPrinter("Laser", "", "");
  ASSERT_TRUE(printer.DeviceSettings().has_value());
  EXPECT_EQ(printer.DeviceSettings()->Bytes().size(), 220u);
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Landscape);

  printer.SelectPrinter("Tiny", "", "");  // too short to hold an orientation
  EXPECT_FALSE(printer.DeviceSettings().has_value());
  printer.SelectPrinter("Refusing", "", "");
  EXPECT_FALSE(printer.DeviceSettings().has_value());
  system.failSettingsFill = true;
  printer.SelectPrinter("Laser", "", "");
  EXPECT_FALSE(printer.DeviceSettings().has_value());
  EXPECT_EQ(system.openPrinters, 1);  // the selected printer's handle only
}

TEST(SelectedIndex, KeepsTheSettingsReadAtTheLastSelectionByName) {
  FakePrintSystem system;
  system.level4 = {{"Laser", ""}, {"Matrix", ""}};
  system.defaults = {{"Laser", ""}};
  system.deviceModes["Laser"] = FakePrintSystem::MakeDeviceMode(2);
  TPrinter printer(system);

  printer.SetSelectedIndex(1);
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Landscape);
  printer.DeviceHandle();
  EXPECT_EQ(system.contexts.back().device, "Matrix");
  ASSERT_TRUE(system.contexts.back().settings.has_value());
}

}  // namespace
}  // namespace korv

namespace korv {
namespace {

TEST(DefaultPrinterName, SpoolerFirstThenTheLegacyEntryElseEmpty) {
  fakes::FakePrintSystem spooler;
  spooler.defaults = {{"Office Laser", "LPT1:"}};
  spooler.legacyDevice = "Other,drv,LPT2:";
  EXPECT_EQ(TPrinter(spooler).DefaultPrinterName(), "Office Laser");

  fakes::FakePrintSystem legacy;
  legacy.legacyDevice = "  Matrix,HPPCL,LPT2:";
  EXPECT_EQ(TPrinter(legacy).DefaultPrinterName(), "Matrix");

  fakes::FakePrintSystem none;
  EXPECT_EQ(TPrinter(none).DefaultPrinterName(), "");
}

}  // namespace
}  // namespace korv
