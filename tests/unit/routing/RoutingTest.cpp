#include "routing/Routing.h"

#include <gtest/gtest.h>

#include "fakes/FakeProfileStore.h"
#include "routing/NamePattern.h"

namespace korv {
namespace {

TEST(NamePattern, WildcardsAndCase) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"INV*", "inv0042.txt", true}, {"INV*", "XINV1", false},     {"*.lbl", "PICK.LBL", true},
      {"R?CPT", "RXCPT", true},      {"R?CPT", "RCPT", false},     {"*", "", true},
      {"a*b*c", "aXXbYYbZc", true},  {"a*b*c", "aXXbYYbZ", false}, {"??", "abc", false},
      {"JOB1", "job1", true},        {"*1", "JOB12", false},       {"**x", "x", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NameMatches(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

struct RoutingFromProfile : ::testing::Test {
  static constexpr char kIni[] = "C:\\KORVELAN\\VOZAZAD.INI";
  RoutingFromProfile() {
    profile.Configure(kIni, "Vozazad");
    store.Store(kIni, "Vozazad", "RawPrinter", " Receipts ");
    // The file's order decides, not the patterns' order by any other rule.
    store.sections["Routes"] = {
        {"PICK*", "Warehouse Laser"}, {"*", ""}, {"p*", "Never Chosen"}, {"INV?", "Labels"}};
  }
  fakes::FakeProfileStore store;
  Profile profile{store};
};

TEST_F(RoutingFromProfile, FirstMatchingRouteDecidesInEitherModeThenRawPrinter) {
  const RoutingTable table = ReadRouting(profile);
  const struct {
    const char* job;
    JobMode mode;
    const char* printer;
    const char* route;
  } cases[] = {
      {"pick0001", JobMode::Text, "Warehouse Laser", "PICK*"},
      {"PICK0001", JobMode::Raw, "Warehouse Laser", "PICK*"},
      {"PACK1", JobMode::Text, "Never Chosen", "p*"},
      {"inv1", JobMode::RawPage, "Labels", "INV?"},
      {"INV12", JobMode::Raw, "Receipts", ""},  // no route: raw jobs go to RawPrinter
      {"INV12", JobMode::Text, "", ""},         // text jobs keep the chosen printer
  };
  for (const auto& c : cases) {
    const JobTarget target = TargetFor(table, c.job, c.mode);
    EXPECT_EQ(target.printer, c.printer) << c.job;
    EXPECT_EQ(target.route, c.route) << c.job;
  }
  EXPECT_EQ(RoutingNote(table), "raw: Receipts, 3 routes");  // the route without a printer is none
}

TEST(RoutingNote, SaysWhatIsSet) {
  EXPECT_EQ(RoutingNote({}), "");
  EXPECT_EQ(RoutingNote({"Receipts", {}}), "raw: Receipts");
  EXPECT_EQ(RoutingNote({"", {{"A*", "Labels"}}}), "1 route");
}

}  // namespace
}  // namespace korv
