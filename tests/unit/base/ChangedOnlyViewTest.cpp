// The view that passes on only changes.
#include <gtest/gtest.h>

#include "base/ChangedOnlyView.h"
#include "fakes/FakeServiceView.h"

namespace korv {
namespace {

TEST(ChangedOnlyViewTest, PassesOnFirstValuesAndChangesOnly) {
  fakes::FakeServiceView window;
  ChangedOnlyView view(window);
  for (int pass = 0; pass < 3; ++pass) {
    view.SetTitle("Printer (Korvelane)");
    view.SetStatus("Status - not printing");
    view.SetPrinterLabel("Printer: A");
    view.SetFontLabel("Font: Courier New");
    view.EnableSelectPrinter(false);
    view.EnablePrinterFont(true);
    view.EnableTestPage(true);
    view.SetUseDefaultTicked(true);
  }
  // The box is passed on every time: the user's clicks change it behind this view's back.
  EXPECT_EQ(window.log.size(), 10u);

  view.SetStatus("Status - printing");
  view.EnablePrinterFont(false);
  view.SetStatus("Status - not printing");
  view.EnablePrinterFont(true);
  view.SetStatus("Status - not printing");
  view.EnableTestPage(true);
  view.SetUseDefaultTicked(false);
  EXPECT_EQ(std::vector<std::string>(window.log.begin() + 10, window.log.end()),
            (std::vector<std::string>{"status=Status - printing", "printerFont=off",
                                      "status=Status - not printing", "printerFont=on",
                                      "useDefault=off"}));
}

}  // namespace
}  // namespace korv
