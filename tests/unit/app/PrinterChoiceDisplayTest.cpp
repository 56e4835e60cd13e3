#include "app/PrinterChoiceDisplay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace korv {
namespace {

StoredChoice Stored(const std::string& useDefault, const std::string& printer, bool raw = false,
                    const std::string& folder = "") {
  return StoredChoice{useDefault, printer, raw, folder};
}

struct Case {
  const char* what;
  StoredChoice stored;
  PrinterFound found;
  bool ticked, selectPrinter;
  std::optional<std::string> label;
  std::optional<bool> textButtons;
};

TEST(PrinterChoiceDisplayTest, WindowShowsWhatTheStoredChoiceSays) {
  const std::string office = "Office Laser";
  const Case cases[] = {
      {"default followed", Stored("Y", office), PrinterFound::Yes, true, false,
       "Printer: " + office, true},
      {"chosen, raw", Stored("N", office, true), PrinterFound::Yes, false, true,
       "Printer: " + office + " (Raw printing)", false},
      {"prints to files", Stored("N", "PDF writer", false, "C:\\KORVELAN\\PRINTED"),
       PrinterFound::Yes, false, true, "Printer: PDF writer -> C:\\KORVELAN\\PRINTED", true},
      {"lower-case y is neither", Stored("y", office), PrinterFound::Yes, false, false,
       "Printer: " + office, true},
      {"chosen, not installed", Stored("N", office), PrinterFound::No, false, true,
       "Printer: " + office + " - not found", std::nullopt},
      {"not installed, raw", Stored("N", office, true), PrinterFound::No, false, true,
       "Printer: " + office + " (Raw printing) - not found", std::nullopt},
      // A name too short to be a choice, or the default printer followed: nothing to name.
      {"short name not installed", Stored("N", "Printer09"), PrinterFound::No, false, true,
       std::nullopt, std::nullopt},
      {"default not installed", Stored("Y", office), PrinterFound::No, true, false, std::nullopt,
       std::nullopt},
      {"not looked for", Stored("N", office), PrinterFound::Unknown, false, true, std::nullopt,
       std::nullopt},
  };
  for (const Case& c : cases) {
    const PrinterChoiceDisplay shown = DisplayOf(c.stored, c.found);
    EXPECT_EQ(shown.useDefaultTicked, c.ticked) << c.what;
    EXPECT_EQ(shown.selectPrinterEnabled, c.selectPrinter) << c.what;
    EXPECT_EQ(shown.printerLabel, c.label) << c.what;
    EXPECT_EQ(shown.textButtonsEnabled, c.textButtons) << c.what;
  }
}

}  // namespace
}  // namespace korv
