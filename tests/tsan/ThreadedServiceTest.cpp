// The print thread runs the real loop and job branches while the window thread runs the
// handlers a user clicks, both on the one printer object, profile and printer choice, as
// the service wires them. Built with ThreadSanitizer, any unguarded sharing fails it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "LockedFakes.h"
#include "app/PrinterObjectAdapters.h"
#include "app/SavedPrinterChoice.h"
#include "app/ServiceWindowHandlers.h"
#include "fakes/FakeAppShell.h"
#include "fakes/FakeHistory.h"
#include "fakes/FakeHostWindowActivation.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeServiceWindowPorts.h"
#include "fakes/FakeSpooler.h"
#include "fakes/FakeTrayIconSetup.h"
#include "fakes/FakeWaiter.h"
#include "history/ReprintRequests.h"
#include "joblog/ServiceJobFacts.h"
#include "jobs/PrintingJobBranches.h"
#include "jobs/RoutedJobFacts.h"
#include "spool/PrintLoop.h"

namespace korv {
namespace {

const std::string kHome = "C:\\KORVELAN";
const std::string kSpool = "C:\\KORVELAN\\WINPRINT";

struct ThreadedService : ::testing::Test {
  ThreadedService() {
    system.level4 = {{"Office Laser 1", ""}, {"Office Laser 2", ""}};
    system.defaults = {{"Office Laser 1", ""}};
    spooler.printers = {"Office Laser 1", "Office Laser 2"};
    files.AddDirectory(kHome);
    files.AddDirectory(kSpool);
    files.AddDirectory(kHome + "\\HISTORY");
    files.AddFile(kHome, "VOZAZAD.TST", "TEST PAGE\r\nLINE TWO\r\n");
    files.SetCurrentDirectory(kSpool);
    state.homeDirectory = kHome + "\\";
    state.spoolDirectory = kHome + "\\\\WINPRINT";
    profile.Configure(kHome + "\\VOZAZAD.INI", "Vozazad");
    listSelector.answer = 2;
    fontDialog.answer = TPrinterFont{"Lucida Console"};
    store.sections["Routes"] = {{"JOB1*", "Office Laser 2"}};
    history.Open(HistoryLimits{});
    loop.SetRouting(routing);
    loop.SetKeptJobs(kept);
    branches.SetRouting(routing);
  }

  // The print thread's world.
  fakes::FakePrintSystem system;
  TPrinter printer{system};
  fakes::LockedFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  ServiceState state;
  fakes::LockedServiceView view;
  TextMetrics metrics;
  fakes::FakeSpooler spooler;
  PrinterSelectionOnTPrinter selection{printer};
  CanvasFontOnTPrinter canvasFont{printer};
  TextMetricsResetOnTPrinter metricsReset{metrics, printer, state.flags};
  SavedPrinterChoice choice{profile, view, state.flags, state.chosenPrinter, selection};
  PrintingJobBranches branches{state, files, profile, printer, metrics, spooler, 5};
  fakes::FakeWaiter waiter;
  fakes::FakeAppShell loopShell;
  fakes::FakeTrayIconSetup tray;
  fakes::FakeHostWindowActivation loopHost;
  PrintLoop loop{state, PrintLoopPorts{files, profile, waiter, view, loopShell, tray, loopHost,
                                       canvasFont, choice, branches, branches}};
  fakes::FakeIndexFile index;
  fakes::FakeHistoryClock clock;
  ServiceJobFacts serviceFacts{profile, printer, state};
  JobRouting routing{profile};
  RoutedJobFacts facts{serviceFacts, routing};
  HistoryStore history{files, index, clock, kHome + "\\HISTORY"};
  ReprintRequests reprints{nullptr};
  KeptJobs kept{files, profile, history, reprints, facts};

  // The window thread's world.
  fakes::FakeListSelector listSelector;
  fakes::FakeFontDialog fontDialog;
  fakes::FakeConfirmBox confirmBox;
  fakes::FakeAppShell windowShell;
  ServiceWindowHandlers handlers{ServiceWindowDeps{state, profile, view, files, choice, selection,
                                                   canvasFont, fontDialog, listSelector,
                                                   metricsReset, confirmBox, windowShell}};
};

TEST_F(ThreadedService, PrintLoopAndWindowHandlersShareTheServiceSafely) {
  constexpr int kJobs = 60;
  // The host program drops a job, now and then a mode control file, every few polls,
  // and DISABLE at the end.
  int dropped = 0;
  waiter.afterSleep = [&] {
    // A short real pause per poll, so the user's clicks fall between and into jobs.
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (waiter.sleeps % 3 != 0) return;
    if (dropped < kJobs) {
      const int n = dropped++;
      if (n % 10 == 4) files.Drop(kSpool, "RAWPRINT", "x");
      if (n % 10 == 7) files.Drop(kSpool, "RAWPAGE", "x");
      if (n % 10 == 9) files.Drop(kSpool, "WINPRINT", "x");
      files.Drop(kSpool, "JOB" + std::to_string(n),
                 "JOB " + std::to_string(n) + "\x01\x32 TWELVE CPI\r\n\fPAGE TWO\r\n");
    } else if (dropped == kJobs) {
      ++dropped;
      files.Drop(kSpool, "DISABLE", "x");
    }
  };

  std::atomic<bool> loopDone{false};
  std::thread worker([&] {
    try {
      choice.LoadPrinterChoice();
    } catch (const std::exception&) {
      // start-up shows it in a box and starts the loop all the same
    }
    loop.Run();
    loopDone = true;
  });

  // The user clicks around while jobs print: the buttons as the window offers them. A
  // handler's error goes to the standard error box, as the window's handler runner does
  // (a printer change refused while a text document is open, say).
  int clicks = 0, errorBoxes = 0;
  while (!loopDone) {
    const fakes::FakeServiceView seen = view.Snapshot();
    try {
      switch (clicks++ % 4) {
        case 0:
          if (seen.selectPrinter) handlers.SelectPrinter();
          break;
        case 1:
          if (seen.printerFont) handlers.ChoosePrinterFont();
          break;
        case 2:
          choice.UseDefaultClicked(!seen.useDefault);
          break;
        default:
          if (clicks % 40 == 4) handlers.PrintTestPage();
          // The "Recent jobs" window reads, prints again and deletes meanwhile.
          if (const auto entries = history.Entries(); !entries.empty()) {
            if (clicks % 8 == 0) reprints.Add({entries.front().key, ""});
            if (clicks % 40 == 20) history.Remove(entries.back().key);
          }
          break;
      }
    } catch (const std::exception&) {
      ++errorBoxes;
    }
    std::this_thread::yield();
  }
  worker.join();
  std::printf("%d clicks, %d error boxes\n", clicks, errorBoxes);

  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(loopShell.quits, 1);
  EXPECT_GT(clicks, 100);
  int left = 0;
  for (int n = 0; n < kJobs; ++n) left += files.Has(kSpool, "JOB" + std::to_string(n)) ? 1 : 0;
  EXPECT_EQ(left, 0);
  const auto entries = history.Entries();
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                          [](const HistoryEntry& e) { return e.result == "reprinted"; }));
}

}  // namespace
}  // namespace korv
