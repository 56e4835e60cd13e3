#include "dialogs/MessageBoxes.h"

#include <gtest/gtest.h>

#include "fakes/FakeMessageBoxes.h"

namespace korv {
namespace {

using Strings = std::vector<std::string>;

TEST(MessageBoxes, FatalErrorBeepsThenShowsTheDetailOnASecondLine) {
  fakes::FakeMessageBoxes boxes;
  ShowFatalErrorBox(boxes, "Printer is not installed.");
  EXPECT_EQ(boxes.log, (Strings{"beep 16", "box Error"}));
  EXPECT_EQ(boxes.boxes[0].text, "Korvelane printer error\rPrinter is not installed.");
  EXPECT_EQ(boxes.boxes[0].style, 0x10u);  // OK only, stop icon
}

TEST(MessageBoxes, TestPageConfirmationWithoutBeep) {
  fakes::FakeMessageBoxes boxes;
  boxes.answers = {mb::kIdOk, mb::kIdCancel};
  EXPECT_TRUE(ConfirmTestPage(boxes));
  EXPECT_FALSE(ConfirmTestPage(boxes));  // Escape and closing answer Cancel too
  EXPECT_EQ(boxes.log, (Strings{"box Confirm", "box Confirm"}));
  EXPECT_EQ(boxes.boxes[0].text, "Click on OK to send test page to the printer");
  EXPECT_EQ(boxes.boxes[0].style, 0x21u);  // OK and Cancel, question icon
}

TEST(MessageBoxes, RemoveConfirmationBeepsFirst) {
  fakes::FakeMessageBoxes boxes;
  boxes.answers = {mb::kIdCancel};
  EXPECT_FALSE(ConfirmRemove(boxes));
  EXPECT_TRUE(ConfirmRemove(boxes));
  EXPECT_EQ(boxes.log, (Strings{"beep 16", "box Confirm", "beep 16", "box Confirm"}));
  EXPECT_EQ(boxes.boxes[0].text,
            "Are you sure?  Korvelane will not print\rif the printer is removed");
  EXPECT_EQ(boxes.boxes[0].style, 0x21u);
}

TEST(MessageBoxes, StandardErrorAppendsAFullStopAfterCharactersSortingLater) {
  EXPECT_EQ(StandardErrorText("Printing in progress"), "Printing in progress.");
  EXPECT_EQ(StandardErrorText("Tray icon error."), "Tray icon error.");
  EXPECT_EQ(StandardErrorText("Disk full!"), "Disk full!");       // "!" sorts before "."
  EXPECT_EQ(StandardErrorText("Error -"), "Error -");             // so does "-"
  EXPECT_EQ(StandardErrorText("Failed: C:\\"), "Failed: C:\\.");  // "\" sorts after
  EXPECT_EQ(StandardErrorText("Code 0"), "Code 0.");              // digits do
  EXPECT_EQ(StandardErrorText("Drucker fehlt \xe4"), "Drucker fehlt \xe4.");  // 8-bit bytes do
  EXPECT_EQ(StandardErrorText(""), "");
}

TEST(MessageBoxes, StandardErrorBoxIsHeadedWithTheApplicationTitle) {
  fakes::FakeMessageBoxes boxes;
  ShowStandardError(boxes, "Printer selected is not valid");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Printer for Korvelane");
  EXPECT_EQ(boxes.boxes[0].text, "Printer selected is not valid.");
  EXPECT_EQ(boxes.boxes[0].style, 0x10u);  // MB_OK | MB_ICONERROR
  EXPECT_EQ(boxes.log, (Strings{"box Printer for Korvelane"}));
}

}  // namespace
}  // namespace korv
