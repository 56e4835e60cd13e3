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
  EXPECT_EQ(window.log.size(), 8u);

  view.SetStatus("Status - printing");
  view.EnablePrinterFont(false);
  view.SetStatus("Status - not printing");
  view.EnablePrinterFont(true);
  view.SetStatus("Status - not printing");
  view.EnableTestPage(true);
  view.SetUseDefaultTicked(false);
  EXPECT_EQ(std::vector<std::string>(window.log.begin() + 8, window.log.end()),
            (std::vector<std::string>{"status=Status - printing", "printerFont=off",
                                      "status=Status - not printing", "printerFont=on",
                                      "useDefault=off"}));
  window.useDefault = true;
  EXPECT_TRUE(view.UseDefaultTicked());  // read from the window itself
}

}  // namespace
}  // namespace korv
