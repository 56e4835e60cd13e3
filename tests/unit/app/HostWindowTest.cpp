#include "app/HostWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeDesktop.h"
#include "fakes/FakeWaiter.h"

namespace korv {
namespace {

using Strings = std::vector<std::string>;

class HostWindowTest : public ::testing::Test {
 protected:
  HostWindowTest() { desktop.clock = &waiter.now; }

  WindowId Found(std::vector<fakes::FakeDesktop::Window> windows) {
    desktop.windows = std::move(windows);
    activation.FindHostWindow();
    return activation.HostWindow();
  }

  fakes::FakeDesktop desktop;
  fakes::FakeWaiter waiter;
  ServiceFlags flags;
  HostWindowActivator activation{desktop, waiter, flags};
};

TEST_F(HostWindowTest, ServiceWindowsAreNeverTakenAlthoughTheyCarryTheMark) {
  EXPECT_EQ(Found({{1, "Printer for Korvelane"}, {2, "Printer (Korvelane)"}}), 0u);
  EXPECT_EQ(desktop.windows[0].title, "Printer for Korvelane");
  EXPECT_EQ(desktop.windows[1].title, "Printer (Korvelane)");
}

TEST_F(HostWindowTest, EachMarkTakesTheWindowAndRetitlesIt) {
  for (const char* title : {"VOZAZAD", "C:\\KORV\\Korv3.EXE", "Korvelane - Accounts"}) {
    fakes::FakeDesktop d;
    d.windows = {{5, "Notepad"}, {7, title}, {9, "Korvelane"}};
    HostWindowActivator a(d, waiter, flags);
    a.FindHostWindow();
    EXPECT_EQ(a.HostWindow(), 7u) << title;
    EXPECT_EQ(d.windows[1].title, "Korvelane") << title;
    EXPECT_EQ(d.windows[2].title, "Korvelane");  // the search stopped at the first
  }
}

TEST_F(HostWindowTest, MarksAreCaseSensitive) {
  EXPECT_EQ(Found({{1, "KORVELANE"}, {2, "vozazad"}, {3, "korv3 console"}}), 0u);
}

TEST_F(HostWindowTest, FourCharactersOrFewerAreNeverTaken) {
  // "Korv3" needs five characters, so no four-character title can hold a mark; a
  // five-character one can.
  EXPECT_EQ(Found({{1, "Korv"}, {2, ""}, {3, "Korv3"}}), 3u);
}

TEST_F(HostWindowTest, OnlyTheFirstThirtyOneCharactersAreSeen) {
  const std::string late(24, '.');   // "Korvelane" would start at the 25th character
  const std::string early(22, '.');  // starts at the 23rd and ends at the 31st
  EXPECT_EQ(Found({{1, late + "Korvelane"}, {2, early + "Korvelane"}}), 2u);
  EXPECT_EQ(desktop.windows[0].title, late + "Korvelane");
}

TEST_F(HostWindowTest, ExclusionSeenAnywhereInTheTitleWins) {
  EXPECT_EQ(Found({{1, "VOZAZAD (Korv"}, {2, "Korvelane (Printer for)"}, {3, "VOZAZAD"}}), 3u);
}

TEST_F(HostWindowTest, TheHostWindowIsSetAtMostOnce) {
  EXPECT_EQ(Found({{4, "VOZAZAD"}}), 4u);
  desktop.windows = {{6, "Korvelane"}};
  activation.FindHostWindow();
  EXPECT_EQ(activation.HostWindow(), 4u);
  EXPECT_EQ(desktop.windows[0].title, "Korvelane");
  EXPECT_EQ(desktop.log, (Strings{"enumerate", "title 4 Korvelane"}));
}

TEST_F(HostWindowTest, WithoutHostWindowActivationOnlyMinimisesAndHides) {
  Found({{1, "Notepad"}});
  desktop.log.clear();
  activation.ActivateHostWindow(true);
  EXPECT_EQ(desktop.log, (Strings{"minimize application", "hide service window"}));
  EXPECT_EQ(waiter.now, 0u);
}

TEST_F(HostWindowTest, ActivationRaisesMaximisesAndForegrounds) {
  Found({{8, "VOZAZAD"}});
  desktop.log.clear();
  activation.ActivateHostWindow(false);
  EXPECT_EQ(desktop.log, (Strings{"minimize application", "hide service window", "raise 8",
                                  "show 8 3", "foreground 8"}));
  EXPECT_EQ(waiter.now, 0u);

  desktop.log.clear();
  activation.ActivateHostWindow(true);
  EXPECT_EQ(desktop.raiseTimes.back(), 1000u);  // after the one-second pause
  EXPECT_EQ(waiter.now, 1000u);
}

// Each refused raise or foreground waits one second and tries again, at most ten times each.
TEST_F(HostWindowTest, RetriesWaitOneSecondAfterEachFailureUpToTenTimes) {
  using Times = std::vector<unsigned long long>;
  struct Case {
    int raiseFailures, foregroundFailures;
    Times raises, foregrounds;
    unsigned long long total;  // about 21 seconds when both keep failing
  };
  const Times tenRaises{1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};
  // The tenth refused raise's wait comes before the first foreground.
  const Times tenForegrounds{11000, 12000, 13000, 14000, 15000, 16000, 17000, 18000, 19000, 20000};
  const std::vector<Case> cases = {
      {2, 1, {1000, 2000, 3000}, {3000, 4000}, 4000},
      {100, 100, tenRaises, tenForegrounds, 21000},
  };
  for (const Case& c : cases) {
    fakes::FakeDesktop d;
    fakes::FakeWaiter w;
    d.clock = &w.now;
    d.windows = {{8, "VOZAZAD"}};
    d.raiseFailures = c.raiseFailures;
    d.foregroundFailures = c.foregroundFailures;
    HostWindowActivator a{d, w, flags};
    a.FindHostWindow();
    a.ActivateHostWindow(true);
    EXPECT_EQ(d.raiseTimes, c.raises) << c.raiseFailures;
    EXPECT_EQ(d.foregroundTimes, c.foregrounds) << c.raiseFailures;
    EXPECT_EQ(w.now, c.total) << c.raiseFailures;
    EXPECT_EQ(w.dispatches, static_cast<int>(c.total / 100));  // every wait let messages through
  }
}

TEST_F(HostWindowTest, WaitsMayRequestTheStop) {
  Found({{8, "VOZAZAD"}});
  waiter.terminate = true;
  activation.ActivateHostWindow(true);
  EXPECT_TRUE(flags.stopRequested);
}

}  // namespace
}  // namespace korv
