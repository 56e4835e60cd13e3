#include "dialogs/TrayIconComponent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "fakes/FakeTrayShell.h"

namespace korv {
namespace {

using Strings = std::vector<std::string>;

class TrayIconTest : public ::testing::Test {
 protected:
  TrayIconTest() {
    icon = std::make_unique<TrayIconComponent>(
        shell, [this](const std::string& message) { errors.push_back(message); });
  }

  // As the service window's layout configures it.
  void LoadLayout() {
    icon->SetHint("Korvelane Printer");
    icon->SetHideOnRestore(true);
    icon->SetMinimizeToTray(true);
    icon->Loaded();
    shell.log.clear();
  }

  fakes::FakeTrayShell shell;
  std::vector<std::string> errors;
  std::unique_ptr<TrayIconComponent> icon;
};

TEST(TrayMouse, TableOfMouseMessages) {
  EXPECT_EQ(DecideTrayMouse(0x203), TrayMouseAction::DoubleClick);  // left
  EXPECT_EQ(DecideTrayMouse(0x204), TrayMouseAction::Popup);        // right button down
  EXPECT_EQ(DecideTrayMouse(0x206), TrayMouseAction::DoubleClick);  // right
  EXPECT_EQ(DecideTrayMouse(0x209), TrayMouseAction::DoubleClick);  // middle
  // Single clicks of the left and middle buttons, button-up messages and others.
  for (std::uintptr_t m : {0x200u, 0x201u, 0x202u, 0x205u, 0x207u, 0x208u, 0x20Au, 0u})
    EXPECT_EQ(DecideTrayMouse(m), TrayMouseAction::None) << m;
}

TEST(TrayTip, HintCutTo63Characters) {
  EXPECT_EQ(TrayTip(std::string(64, 'h')), std::string(63, 'h'));
  EXPECT_EQ(TrayTip(std::string(63, 'h')), std::string(63, 'h'));
  EXPECT_EQ(TrayTip("Korvelane Printer"), "Korvelane Printer");
}

TEST_F(TrayIconTest, NothingHappensBeforeTheLayoutIsLoaded) {
  icon->SetHint("Korvelane Printer");
  icon->SetActive(true);
  shell.minimized[1] = true;
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose));
  EXPECT_TRUE(shell.log.empty());
  EXPECT_FALSE(icon->Added());
  EXPECT_EQ(icon->StartupCounter(), 0);
}

TEST_F(TrayIconTest, LoadingTheLayoutAddsTheIcon) {
  EXPECT_TRUE(icon->Active());
  EXPECT_TRUE(icon->CloseToTray());
  EXPECT_FALSE(icon->MinimizeToTray());
  EXPECT_FALSE(icon->HideOnRestore());
  icon->SetHint("Korvelane Printer");
  icon->Loaded();
  EXPECT_EQ(shell.log, (Strings{"notify add"}));
  ASSERT_TRUE(shell.shown);
  const NotifyIconRecord& r = *shell.shown;
  EXPECT_EQ(r.size, 88u);
  EXPECT_EQ(r.window, 0x77u);
  EXPECT_EQ(r.id, 2u);
  EXPECT_EQ(r.flags, 7u);  // message, icon and tip
  EXPECT_EQ(r.callbackMessage, 0x06FFu);
  EXPECT_EQ(r.icon, 32512u);  // the application has no icon: the system's
  EXPECT_EQ(r.tip, "Korvelane Printer");
}

TEST_F(TrayIconTest, TheApplicationsIconComesBeforeTheStandardOne) {
  shell.applicationIcon = 0x500;
  EXPECT_EQ(icon->Record().icon, 0x500u);
}

TEST_F(TrayIconTest, HintChangesModifyTheAddedIcon) {
  LoadLayout();
  icon->SetHint(std::string(70, 'x'));
  EXPECT_EQ(shell.log, (Strings{"notify modify"}));
  EXPECT_EQ(shell.shown->tip, std::string(63, 'x'));
}

TEST_F(TrayIconTest, FailuresRaiseTheirErrors) {
  shell.failNotify = true;
  try {
    icon->Loaded();
    FAIL() << "no error";
  } catch (const ETrayIcon& e) {
    EXPECT_STREQ(e.what(), "Error adding tray icon");
  }
  EXPECT_FALSE(icon->Added());

  shell.failNotify = false;
  icon->SetActive(true);  // an icon not added is added when Active is set again
  EXPECT_TRUE(icon->Added());

  shell.failNotify = true;
  try {
    icon->SetHint("other");
    FAIL() << "no error";
  } catch (const ETrayIcon& e) {
    EXPECT_STREQ(e.what(), "Tray icon error");
  }
}

TEST_F(TrayIconTest, ActiveAddsAndDeletes) {
  LoadLayout();
  icon->SetActive(true);  // the print loop's setting: already added, nothing to do
  EXPECT_TRUE(shell.log.empty());
  icon->SetActive(false);
  icon->SetActive(true);
  EXPECT_EQ(shell.log, (Strings{"notify delete", "notify add"}));
}

TEST_F(TrayIconTest, StartingMinimisedHidesBothWindowsTwice) {
  LoadLayout();
  shell.minimized[1] = true;
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_EQ(shell.log, (Strings{"show application 0", "show service 0", "show application 0",
                                "show service 0"}));
  EXPECT_EQ(icon->StartupCounter(), 2);
}

TEST_F(TrayIconTest, ANormalWindowEndsTheStartUpAtOnce) {
  LoadLayout();
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_EQ(icon->StartupCounter(), 2);
  shell.minimized[1] = true;
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(TrayIconTest, MinimiseAndCloseCommandsHideToTheIcon) {
  LoadLayout();
  EXPECT_TRUE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScMinimize));
  EXPECT_TRUE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose));
  EXPECT_EQ(shell.log, (Strings{"show application 0", "show service 0", "show application 0",
                                "show service 0"}));
  EXPECT_TRUE(icon->Added());  // the icon remains
}

TEST_F(TrayIconTest, CommandsPassOnWhenTheirFlagIsOff) {
  LoadLayout();
  icon->SetMinimizeToTray(false);
  icon->SetCloseToTray(false);
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScMinimize));
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose));
  icon->SetCloseToTray(true);
  icon->SetActive(false);
  shell.log.clear();
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose));
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(TrayIconTest, CommandValuesAreComparedExactly) {
  LoadLayout();
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose | 2));
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, 0xF030));  // maximise
  EXPECT_FALSE(icon->ServiceWindowMessage(0x0010, wm::kScClose));     // WM_CLOSE itself
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(TrayIconTest, HidingAddsAMissingIconFirst) {
  LoadLayout();
  icon->Restore();  // HideOnRestore deletes the icon
  ASSERT_FALSE(icon->Added());
  shell.log.clear();
  EXPECT_TRUE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScMinimize));
  EXPECT_EQ(shell.log, (Strings{"notify add", "show application 0", "show service 0"}));
}

TEST_F(TrayIconTest, FailedAddWhileHidingIsReportedAndTheWindowStays) {
  LoadLayout();
  icon->Restore();
  shell.log.clear();
  shell.failNotify = true;
  EXPECT_TRUE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose));
  EXPECT_EQ(errors, (Strings{"Error adding tray icon"}));
  EXPECT_EQ(shell.log, (Strings{"notify add"}));
}

TEST_F(TrayIconTest, DoubleClicksRestoreTheWindowInOrder) {
  LoadLayout();
  shell.minimized[1] = true;
  icon->ServiceWindowMessage(wm::kWindowPosChanged, 0);
  icon->ServiceWindowMessage(wm::kWindowPosChanged, 0);
  icon->SetHideOnRestore(false);  // as the print loop leaves it
  shell.log.clear();
  icon->IconNotification(wm::kLButtonDblClk);
  EXPECT_EQ(shell.log, (Strings{"show service 9", "show service 5", "foreground service",
                                "show application 1", "restore application", "top application"}));
  EXPECT_TRUE(icon->Added());

  shell.log.clear();
  icon->IconNotification(wm::kRButtonDblClk);
  icon->IconNotification(wm::kMButtonDblClk);
  EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "foreground service"), 2);
  EXPECT_EQ(shell.log.front(), "show service 5");  // no longer minimised
}

TEST_F(TrayIconTest, RestoreWhileStartingLeavesTheMinimisedState) {
  LoadLayout();
  shell.minimized[1] = true;
  icon->IconNotification(wm::kLButtonDblClk);
  EXPECT_EQ(shell.log.front(), "show service 5");
  EXPECT_EQ(shell.log.back(), "notify delete");  // HideOnRestore from the layout
  EXPECT_FALSE(icon->Added());
}

TEST_F(TrayIconTest, SingleClicksDoNothingAndTheRightButtonOpensTheMenu) {
  LoadLayout();
  icon->IconNotification(wm::kLButtonDown);
  icon->IconNotification(wm::kMButtonDown);
  icon->IconNotification(wm::kLButtonUp);
  EXPECT_TRUE(shell.log.empty());

  icon->IconNotification(wm::kRButtonDown);
  EXPECT_EQ(shell.log, (Strings{"foreground application", "process messages", "popup 600,740"}));
  shell.log.clear();
  shell.hasPopupMenu = false;
  icon->IconNotification(wm::kRButtonDown);
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(TrayIconTest, ShellRestartAddsTheIconAgain) {
  LoadLayout();
  icon->ShellRestarted();
  EXPECT_EQ(shell.log, (Strings{"notify add"}));
  EXPECT_TRUE(icon->Added());
  icon->SetActive(false);
  shell.log.clear();
  icon->ShellRestarted();
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(TrayIconTest, ShellThatKeptTheIconIsLeftWithIt) {
  LoadLayout();
  shell.failAdd = true;
  icon->ShellRestarted();
  EXPECT_EQ(shell.log, (Strings{"notify add", "notify modify"}));
  EXPECT_TRUE(icon->Added());
  shell.failNotify = true;
  EXPECT_THROW(icon->ShellRestarted(), ETrayIcon);
  EXPECT_FALSE(icon->Added());
}

TEST_F(TrayIconTest, DestroyingTheComponentDeletesTheIcon) {
  LoadLayout();
  icon.reset();
  EXPECT_EQ(shell.log, (Strings{"notify delete"}));
  EXPECT_FALSE(shell.shown);
}

TEST_F(TrayIconTest, OnlyOneInstance) {
  fakes::FakeTrayShell other;
  EXPECT_THROW(TrayIconComponent(other, [](const std::string&) {}), std::logic_error);
  icon.reset();
  EXPECT_NO_THROW(TrayIconComponent(other, [](const std::string&) {}));
}

}  // namespace
}  // namespace korv
