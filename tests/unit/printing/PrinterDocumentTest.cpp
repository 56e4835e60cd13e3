// Orientation, documents and pages, and the canvas of the printer object.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "EPrinterText.h"
#include "fakes/FakePrintSystem.h"
#include "printing/EPrinter.h"
#include "printing/GlobalPrinter.h"
#include "printing/TPrinter.h"

namespace korv {
namespace {

using fakes::FakePrintSystem;
using ::testing::ElementsAre;

using testing::ErrorText;

class PrinterDocument : public ::testing::Test {
 protected:
  PrinterDocument() {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
  }
  FakePrintSystem system;
  TPrinter printer{system};
};

TEST(DeviceModeBlock, OrientationLivesAtOffset44AndIsMarkedInTheFields) {
  std::vector<std::uint8_t> bytes(156, 0);
  bytes[44] = 1;
  DeviceMode mode(bytes);
  EXPECT_EQ(mode.Orientation(), 1);
  mode.SetOrientation(DeviceMode::kLandscape);
  EXPECT_EQ(mode.Bytes()[44], 2);
  EXPECT_EQ(mode.Bytes()[45], 0);
  EXPECT_EQ(mode.Bytes()[40] & 1, 1);  // DM_ORIENTATION
  EXPECT_EQ(mode.Orientation(), 2);
  EXPECT_THROW(DeviceMode(std::vector<std::uint8_t>(45, 0)), std::invalid_argument);
}

TEST_F(PrinterDocument, OrientationIsReadAndWrittenInTheSettings) {
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Portrait);
  printer.DeviceHandle();
  printer.SetPaperOrientation(TPrinterOrientation::Landscape);
  EXPECT_EQ(system.log.contextsAlive, 0);  // the next context uses the new settings
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Landscape);
  EXPECT_EQ(printer.PrintableWidth(), 3300);
  ASSERT_TRUE(system.contexts.back().settings.has_value());
  EXPECT_EQ((*system.contexts.back().settings)[44], 2);

  // Any value other than portrait reads as landscape.
  system.deviceModes["Office Laser"] = FakePrintSystem::MakeDeviceMode(7);
  printer.SelectPrinter("Office Laser", "", "");
  EXPECT_EQ(printer.PaperOrientation(), TPrinterOrientation::Landscape);
}

TEST_F(PrinterDocument, OrientationNeedsSettings) {
  system.noSettings.insert("Office Laser");
  EXPECT_EQ(ErrorText([&] { printer.PaperOrientation(); }),
            "Operation not supported on selected printer");
  EXPECT_EQ(ErrorText([&] { printer.SetPaperOrientation(TPrinterOrientation::Portrait); }),
            "Operation not supported on selected printer");
}

TEST_F(PrinterDocument, ADocumentHasItsNameAbortProcedureAndPages) {
  printer.SetDocumentTitle("A title of more than thirty-one characters");
  printer.StartDocument();
  EXPECT_TRUE(system.contexts.back().deviceContext);
  printer.StartNextPage();
  printer.EndDocument();

  EXPECT_THAT(system.log.documents, ElementsAre("A title of more than thirty-one"));
  EXPECT_THAT(system.log.calls, ElementsAre("SetAbortProc", "StartDocA", "StartPage", "EndPage",
                                            "StartPage", "EndPage", "EndDoc"));
  EXPECT_EQ(system.dispatches, 2);  // the abort procedure ran while each page was spooled
  EXPECT_FALSE(printer.DocumentOpen());
  EXPECT_EQ(printer.PageCount(), 2);  // kept after the end, for the job log
}

TEST_F(PrinterDocument, APassThroughDocumentHasNoPages) {
  printer.SetPassThroughDocument(true);
  printer.StartDocument();
  EXPECT_EQ(printer.Escape(kPassThrough, std::string("\x02\x00hi", 4)), 4);
  printer.EndDocument();
  EXPECT_THAT(system.log.calls, ElementsAre("SetAbortProc", "StartDocA", "Escape", "EndDoc"));
  EXPECT_EQ(printer.PageCount(), 0);
  ASSERT_EQ(system.log.escapes.size(), 1u);
  EXPECT_EQ(system.log.escapes[0].escape, 19);
  EXPECT_EQ(system.log.escapes[0].input, std::string("\x02\x00hi", 4));
  EXPECT_FALSE(printer.PassThroughDocument());  // the end clears it
}

TEST_F(PrinterDocument, RefusesWhatDoesNotFitTheDocumentState) {
  EXPECT_EQ(ErrorText([&] { printer.EndDocument(); }), "Printer is not currently printing");
  EXPECT_EQ(ErrorText([&] { printer.StartNextPage(); }), "Printer is not currently printing");
  EXPECT_EQ(ErrorText([&] { printer.DocumentCanvas().TextOutAt(0, 0, "x"); }),
            "Printer is not currently printing");
  EXPECT_NO_THROW(printer.DocumentCanvas().TextWidth("x"));  // measuring is allowed

  printer.StartDocument();
  EXPECT_EQ(ErrorText([&] { printer.StartDocument(); }), "Printing in progress");
  EXPECT_EQ(ErrorText([&] { printer.SetSelectedIndex(0); }), "Printing in progress");
  EXPECT_EQ(ErrorText([&] { printer.SelectPrinter("Office Laser", "", ""); }),
            "Printing in progress");
  EXPECT_EQ(ErrorText([&] { printer.SetPaperOrientation(TPrinterOrientation::Landscape); }),
            "Printing in progress");
  printer.EndDocument();
}

TEST_F(PrinterDocument, NoContextMeansAnInvalidPrinter) {
  system.failCreateIC = true;
  EXPECT_EQ(ErrorText([&] { printer.PrintableWidth(); }), "Printer selected is not valid");
  system.failCreateDC = true;
  EXPECT_EQ(ErrorText([&] { printer.StartDocument(); }), "Printer selected is not valid");
  EXPECT_FALSE(printer.DocumentOpen());
}

TEST_F(PrinterDocument, ARefusedStartLeavesNoDocumentOpen) {
  system.log.failing = {"StartDocA"};
  EXPECT_EQ(ErrorText([&] { printer.StartDocument(); }), "Printing failed");
  EXPECT_FALSE(printer.DocumentOpen());

  system.log.failing = {"StartPage"};
  EXPECT_EQ(ErrorText([&] { printer.StartDocument(); }), "Printing failed");
  EXPECT_FALSE(printer.DocumentOpen());
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);

  system.log.failing.clear();
  EXPECT_NO_THROW(printer.StartDocument());
  printer.EndDocument();
}

TEST_F(PrinterDocument, ARefusedPageOrEndIsReportedAndThrowsTheDocumentAway) {
  printer.StartDocument();
  system.log.failing = {"EndPage"};
  EXPECT_EQ(ErrorText([&] { printer.StartNextPage(); }), "Printing failed");
  EXPECT_FALSE(printer.DocumentOpen());
  EXPECT_EQ(system.log.Count("AbortDoc"), 1);

  system.log.failing.clear();
  printer.StartDocument();
  system.log.failing = {"EndPage"};
  EXPECT_EQ(ErrorText([&] { printer.EndDocument(); }), "Printing failed");
  EXPECT_EQ(system.log.Count("AbortDoc"), 2);
  EXPECT_EQ(system.log.Count("EndDoc"), 0);

  system.log.failing.clear();
  printer.StartDocument();
  system.log.failing = {"EndDoc"};
  EXPECT_EQ(ErrorText([&] { printer.EndDocument(); }), "Printing failed");
  EXPECT_FALSE(printer.DocumentOpen());
}

// The fixed text stays the message; the detail names the refused call and the system's
// code and text, or only the call when the system gave no code.
TEST_F(PrinterDocument, ARefusalCarriesTheCallAndTheSystemsText) {
  system.messages[1804] = "The specified datatype is invalid.";
  struct Case {
    const char* failing;
    std::uint32_t code;
    const char* detail;
  };
  for (const Case& c :
       {Case{"StartDocA", 1804, "StartDoc failed, error 1804: The specified datatype is invalid."},
        Case{"StartPage", 0, "StartPage failed"}, Case{"EndPage", 5, "EndPage failed, error 5"},
        Case{"EndDoc", 1804, "EndDoc failed, error 1804: The specified datatype is invalid."}}) {
    SCOPED_TRACE(c.failing);
    system.log.failing.clear();
    system.log.lastError = c.code;
    const bool atStart = std::string(c.failing).rfind("Start", 0) == 0;
    if (!atStart) printer.StartDocument();
    system.log.failing = {c.failing};
    try {
      if (atStart)
        printer.StartDocument();
      else
        printer.EndDocument();
      ADD_FAILURE() << "no error";
    } catch (const EPrinter& e) {
      EXPECT_STREQ(e.what(), "Printing failed");
      EXPECT_EQ(e.Detail(), c.detail);
    }
    EXPECT_FALSE(printer.DocumentOpen());
  }
}

TEST_F(PrinterDocument, AbortThrowsTheOpenDocumentAway) {
  EXPECT_FALSE(printer.AbortDocument());
  printer.SetPassThroughDocument(true);
  printer.StartDocument();
  EXPECT_TRUE(printer.AbortDocument());
  EXPECT_FALSE(printer.DocumentOpen());
  EXPECT_FALSE(printer.PassThroughDocument());
  EXPECT_EQ(system.log.Count("EndDoc"), 0);
}

TEST_F(PrinterDocument, DestructionEndsAnOpenDocumentAndFreesEverything) {
  {
    TPrinter local(system);
    local.StartDocument();
    local.DocumentCanvas().TextOutAt(0, 0, "x");
  }
  EXPECT_EQ(system.log.Count("EndDoc"), 1);
  EXPECT_EQ(system.log.contextsAlive, 0);
  EXPECT_EQ(system.log.objectsAlive, 0);
  EXPECT_EQ(system.log.deletedWhileSelected, 0);
  EXPECT_EQ(system.openPrinters, 0);
}

TEST_F(PrinterDocument, TheCanvasFontScalesToThePrinterKeepingItsPointSize) {
  TPrinterCanvas& canvas = printer.DocumentCanvas();
  TPrinterFont font;
  font.SetSize(10);  // at 96 pixels per inch: 13 pixels
  canvas.SetFont(font);
  EXPECT_EQ(canvas.Font().Height, -13);
  canvas.UpdateFont();
  EXPECT_EQ(canvas.Font().PixelsPerInch, 300);
  EXPECT_EQ(canvas.Font().Height, -42);
  EXPECT_EQ(canvas.Font().Size(), 10);
}

TEST_F(PrinterDocument, CanvasObjectsAreMadeOnlyWhenTheyChange) {
  TPrinterCanvas& canvas = printer.DocumentCanvas();
  printer.StartDocument();
  canvas.TextOutAt(0, 0, "a");
  canvas.TextOutAt(10, 0, "b");
  canvas.MoveTo(0, 0);
  canvas.LineTo(5, 5);
  canvas.LineTo(9, 9);
  printer.StartNextPage();
  canvas.TextOutAt(0, 0, "c");
  EXPECT_EQ(system.log.fontsCreated, 1);
  EXPECT_EQ(system.log.pensCreated, 1);

  canvas.SetFontHeight(50);
  canvas.TextOutAt(0, 0, "d");
  EXPECT_EQ(system.log.fontsCreated, 2);
  EXPECT_EQ(system.log.texts.back().font.height, 50);
  EXPECT_EQ(system.log.texts.back().page, 2);

  canvas.SetBrush({kBlack});
  canvas.FillRect({0, 0, 4, 4});
  EXPECT_EQ(system.log.fills.back().colour, kBlack);
  printer.EndDocument();
  EXPECT_EQ(system.log.deletedWhileSelected, 0);
}

// The only test that installs a print system in this program: before it, there is none.
TEST(GlobalPrinterObject, IsOneObjectOnTheInstalledPrintSystem) {
  EXPECT_THROW(GlobalPrinter(), std::logic_error);
  EXPECT_THROW(GlobalPrintSystem(), std::logic_error);

  auto owned = std::make_unique<FakePrintSystem>();
  FakePrintSystem& system = *owned;
  system.level4 = {{"Office Laser", ""}};
  InstallPrintSystem(std::move(owned));
  EXPECT_EQ(&GlobalPrintSystem(), &system);
  TPrinter& first = GlobalPrinter();
  EXPECT_EQ(&first, &GlobalPrinter());
  EXPECT_EQ(first.PrinterTexts(), std::vector<std::string>{"Office Laser"});
}

}  // namespace
}  // namespace korv
