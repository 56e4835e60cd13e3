// The one-time start-up and the fatal-error path.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/FatalError.h"
#include "app/ServiceStartup.h"
#include "fakes/FakeAppShell.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrinterChoice.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeServiceView.h"
#include "fakes/FakeWorkerThread.h"

namespace korv {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { files.AddDirectory("C:\\KORVELAN"); }

  void ExpectFatal(const std::string& detail) {
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(shell.boxes[0].text, "Korvelane printer error\r" + detail);
    EXPECT_EQ(shell.boxes[0].caption, "Error");
    EXPECT_EQ(shell.beeps, std::vector<unsigned>{16});
    EXPECT_TRUE(state.flags.stopRequested);
    EXPECT_EQ(shell.terminates, 1);
    EXPECT_EQ(thread.starts, 0);
    EXPECT_EQ(view.title, "");
    EXPECT_EQ(choice.calls, 0);
  }

  ServiceState state;
  fakes::FakeFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  fakes::FakeAppShell shell;
  fakes::FakeServiceView view;
  fakes::FakePrinterChoice choice;
  fakes::FakeWorkerThread thread;
  int loopRuns = 0;
  ServiceStartup startup{state, files,  profile, shell,
                         view,  choice, thread,  [this] { ++loopRuns; }};
};

TEST_F(StartupTest, StartsFromTheProgramsDirectory) {
  files.AddDirectory("C:\\KORVELAN\\WINPRINT");
  int threadsWhenChoiceLoaded = -1;
  choice.onLoad = [&] { threadsWhenChoiceLoaded = thread.starts; };
  startup.RunStartup();

  EXPECT_EQ(state.homeDirectory, "C:\\KORVELAN\\");
  EXPECT_EQ(state.spoolDirectory, "C:\\KORVELAN\\\\WINPRINT");
  EXPECT_EQ(profile.ProfileFile(), "C:\\KORVELAN\\VOZAZAD.INI");
  EXPECT_EQ(profile.ProfileSection(), "Vozazad");
  EXPECT_EQ(files.CurrentDirectory(), "C:\\KORVELAN\\WINPRINT");
  EXPECT_EQ(files.log, (std::vector<std::string>{"cd C:\\KORVELAN", "cd C:\\KORVELAN\\WINPRINT"}));
  EXPECT_EQ(shell.windowQueries, std::vector<std::string>{"Printer (Korvelane)"});
  EXPECT_EQ(view.title, "Printer (Korvelane)");
  EXPECT_EQ(view.status, "Status - not printing");
  EXPECT_EQ(threadsWhenChoiceLoaded, 0);  // the choice is applied before the thread starts
  EXPECT_EQ(thread.starts, 1);
  ASSERT_TRUE(thread.body);
  thread.body();
  EXPECT_EQ(loopRuns, 1);  // the thread runs the print loop
  EXPECT_TRUE(state.flags.started);
  EXPECT_FALSE(state.flags.stopRequested);
  EXPECT_TRUE(shell.boxes.empty());
}

TEST_F(StartupTest, InTheDriveRootCreatesTheMissingSpoolDirectory) {
  files.modulePath = "C:\\KORVPRINT.EXE";
  startup.RunStartup();
  EXPECT_EQ(state.homeDirectory, "C:\\");
  EXPECT_EQ(state.spoolDirectory, "C:\\\\WINPRINT");
  EXPECT_EQ(profile.ProfileFile(), "C:\\VOZAZAD.INI");
  EXPECT_EQ(files.log, (std::vector<std::string>{"cd C:\\", "cd C:\\WINPRINT", "mkdir C:\\WINPRINT",
                                                 "cd C:\\WINPRINT"}));
  EXPECT_EQ(files.CurrentDirectory(), "C:\\WINPRINT");
  EXPECT_EQ(thread.starts, 1);
}

TEST_F(StartupTest, ASecondInstanceEndsSilently) {
  shell.windows.insert("Printer (Korvelane)");
  startup.RunStartup();
  EXPECT_TRUE(state.flags.stopRequested);
  EXPECT_EQ(shell.terminates, 1);
  EXPECT_TRUE(shell.boxes.empty());
  EXPECT_TRUE(shell.beeps.empty());
  EXPECT_TRUE(files.log.empty());  // not even the spool directory is touched
  EXPECT_EQ(view.title, "");
  EXPECT_EQ(thread.starts, 0);
  // The profile is pointed at its file before the check.
  EXPECT_EQ(profile.ProfileFile(), "C:\\KORVELAN\\VOZAZAD.INI");
}

TEST_F(StartupTest, RunsOnlyOnTheFirstActivation) {
  files.AddDirectory("C:\\KORVELAN\\WINPRINT");
  startup.RunStartup();
  startup.RunStartup();
  EXPECT_EQ(thread.starts, 1);
  EXPECT_EQ(choice.calls, 1);
  EXPECT_EQ(shell.windowQueries.size(), 1u);
}

TEST_F(StartupTest, AMissingHomeDirectoryIsFatal) {
  files.modulePath = "D:\\GONE\\KORVPRINT.EXE";
  startup.RunStartup();
  ExpectFatal("Printer is not installed.");
}

TEST_F(StartupTest, ASpoolDirectoryThatCannotBeCreatedIsFatal) {
  files.failCreateDirectory = true;
  startup.RunStartup();
  ExpectFatal("Cannot create directory C:\\KORVELAN\\\\WINPRINT");
}

TEST_F(StartupTest, ASpoolDirectoryThatCannotBeEnteredIsFatal) {
  files.unenterable.insert("C:\\KORVELAN\\WINPRINT");
  startup.RunStartup();
  ExpectFatal("Cannot change to directory C:\\KORVELAN\\\\WINPRINT");
}

TEST_F(StartupTest, APrintThreadThatCannotStartIsFatal) {
  files.AddDirectory("C:\\KORVELAN\\WINPRINT");
  thread.canStart = false;
  startup.RunStartup();
  ASSERT_EQ(shell.boxes.size(), 1u);
  EXPECT_EQ(shell.boxes[0].text, "Korvelane printer error\rCannot start the print thread.");
  EXPECT_TRUE(state.flags.stopRequested);
}

TEST_F(StartupTest, AFailingPrinterChoiceStillStartsTheThreadAndIsReported) {
  files.AddDirectory("C:\\KORVELAN\\WINPRINT");
  choice.failWith = "Printer selected is not valid";
  EXPECT_THROW(startup.RunStartup(), std::runtime_error);
  EXPECT_EQ(thread.starts, 1);
  EXPECT_FALSE(state.flags.stopRequested);
}

TEST(FatalErrorTest, ShowsOneMessageAndStopsOnlyAfterItIsClosed) {
  ServiceFlags flags;
  fakes::FakeAppShell shell;
  bool stoppedWhileShown = true;
  shell.whileBoxShown = [&] { stoppedWhileShown = flags.stopRequested; };
  FatalError(shell, flags, "first");
  FatalError(shell, flags, "second");
  ASSERT_EQ(shell.boxes.size(), 1u);
  EXPECT_EQ(shell.boxes[0].text, "Korvelane printer error\rfirst");
  EXPECT_FALSE(stoppedWhileShown);
  EXPECT_TRUE(flags.stopRequested);
  EXPECT_EQ(shell.beeps.size(), 1u);
  EXPECT_EQ(shell.terminates, 1);
}

TEST(FatalErrorTest, ShowsNothingOnceAStopHasBegun) {
  ServiceFlags flags;
  flags.stopRequested = true;
  fakes::FakeAppShell shell;
  FatalError(shell, flags, "too late");
  EXPECT_TRUE(shell.boxes.empty());
  EXPECT_TRUE(shell.beeps.empty());
  EXPECT_EQ(shell.terminates, 0);
}

}  // namespace
}  // namespace korv
