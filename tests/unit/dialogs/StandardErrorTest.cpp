#include "dialogs/StandardError.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(StandardError, AppendsAFullStopAfterCharactersSortingLater) {
  EXPECT_EQ(StandardErrorText("Printing in progress"), "Printing in progress.");
  EXPECT_EQ(StandardErrorText("Tray icon error."), "Tray icon error.");
  EXPECT_EQ(StandardErrorText("Disk full!"), "Disk full!");       // "!" sorts before "."
  EXPECT_EQ(StandardErrorText("Error -"), "Error -");             // so does "-"
  EXPECT_EQ(StandardErrorText("Failed: C:\\"), "Failed: C:\\.");  // "\" sorts after
  EXPECT_EQ(StandardErrorText("Code 0"), "Code 0.");              // digits do
  EXPECT_EQ(StandardErrorText("Drucker fehlt \xe4"), "Drucker fehlt \xe4.");  // 8-bit bytes do
  EXPECT_EQ(StandardErrorText(""), "");
}

}  // namespace
}  // namespace korv
