// The notification-area icon as the user meets it: the icon and its tip, the menu on a
// right click, the window hidden to the icon and brought back from it.
#include "dialogs/TrayIconComponent.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeTrayShell.h"

namespace korv {
namespace {

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
  }
  bool WindowsHidden() const { return !shell.application.visible && !shell.service.visible; }
  bool Minimise() { return icon->ServiceWindowMessage(wm::kSysCommand, wm::kScMinimize); }
  bool Close() { return icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose); }
  void StartMinimised() {
    shell.service.minimized = true;
    for (int change = 0; change < 3; ++change)
      EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  }

  fakes::FakeTrayShell shell;
  std::vector<std::string> errors;
  std::unique_ptr<TrayIconComponent> icon;
};

TEST_F(TrayIconTest, TheIconShowsOnceTheLayoutIsLoaded) {
  icon->SetHint("Korvelane Printer");
  shell.service.minimized = true;
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_FALSE(Close());
  EXPECT_FALSE(shell.shown);
  EXPECT_TRUE(shell.service.visible);

  icon->Loaded();
  ASSERT_TRUE(shell.shown);
  EXPECT_EQ(shell.shown->tip, "Korvelane Printer");
  EXPECT_EQ(shell.shown->icon, fakes::FakeTrayShell::kStandardIcon);  // the program has none

  icon->SetHint(std::string(70, 'x'));
  EXPECT_EQ(shell.shown->tip, std::string(63, 'x'));  // what the tip holds
}

TEST_F(TrayIconTest, TheProgramsIconComesBeforeTheStandardOne) {
  shell.applicationIcon = 0x500;
  LoadLayout();
  EXPECT_EQ(shell.shown->icon, 0x500u);
}

TEST_F(TrayIconTest, MouseOnTheIcon) {
  struct Case {
    std::uintptr_t message;
    bool restores, opensMenu;
  };
  const Case cases[] = {
      {wm::kLButtonDblClk, true, false}, {wm::kRButtonDblClk, true, false},
      {wm::kMButtonDblClk, true, false}, {wm::kRButtonDown, false, true},
      {wm::kLButtonDown, false, false},  {wm::kLButtonUp, false, false},
      {wm::kMButtonDown, false, false},  {wm::kMButtonUp, false, false},
      {wm::kRButtonUp, false, false},    {0x200, false, false},  // a move
  };
  LoadLayout();
  for (const Case& c : cases) {
    StartMinimised();
    shell.front.reset();
    shell.menuAt.reset();
    icon->IconNotification(c.message);
    EXPECT_EQ(shell.service.visible && shell.front == TrayWindow::Service, c.restores) << c.message;
    EXPECT_EQ(shell.menuAt.has_value(), c.opensMenu) << c.message;
    icon->SetActive(true);  // the icon back after a restore took it away
    Minimise();
  }
}

TEST_F(TrayIconTest, RightClickOpensTheMenuAtTheCursor) {
  LoadLayout();
  icon->IconNotification(wm::kRButtonDown);
  ASSERT_TRUE(shell.menuAt);
  EXPECT_EQ(shell.menuAt->x, 600);
  EXPECT_EQ(shell.menuAt->y, 740);
  EXPECT_TRUE(shell.menuClosesProperly);

  shell.menuAt.reset();
  shell.hasPopupMenu = false;
  icon->IconNotification(wm::kRButtonDown);
  EXPECT_FALSE(shell.menuAt);
}

TEST_F(TrayIconTest, StartingMinimisedLeavesOnlyTheIcon) {
  LoadLayout();
  StartMinimised();
  EXPECT_TRUE(WindowsHidden());
  EXPECT_TRUE(shell.shown);

  // Once started, the window's own moves no longer hide it.
  shell.service = {true, false};
  shell.application.visible = true;
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_TRUE(shell.service.visible);
}

TEST_F(TrayIconTest, AWindowNotMinimisedAtStartIsLeftAlone) {
  LoadLayout();
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  shell.service.minimized = true;
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kWindowPosChanged, 0));
  EXPECT_TRUE(shell.service.visible);
  EXPECT_TRUE(shell.application.visible);
}

TEST_F(TrayIconTest, MinimiseAndCloseHideTheWindowsToTheIcon) {
  LoadLayout();
  EXPECT_TRUE(Minimise());
  EXPECT_TRUE(WindowsHidden());
  shell.service.visible = shell.application.visible = true;
  EXPECT_TRUE(Close());
  EXPECT_TRUE(WindowsHidden());
  EXPECT_TRUE(shell.shown);
}

TEST_F(TrayIconTest, OtherCommandsAndSwitchedOffOnesReachTheWindow) {
  LoadLayout();
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, wm::kScClose | 2));
  EXPECT_FALSE(icon->ServiceWindowMessage(wm::kSysCommand, 0xF030));  // maximise
  EXPECT_FALSE(icon->ServiceWindowMessage(0x0010, wm::kScClose));     // WM_CLOSE itself
  icon->SetMinimizeToTray(false);
  icon->SetCloseToTray(false);
  EXPECT_FALSE(Minimise());
  EXPECT_FALSE(Close());
  icon->SetCloseToTray(true);
  icon->SetActive(false);  // without an icon there is nothing to hide to
  EXPECT_FALSE(Close());
  EXPECT_TRUE(shell.service.visible);
  EXPECT_TRUE(shell.application.visible);
}

TEST_F(TrayIconTest, RestoringBringsTheWindowBackAndHidingBringsTheIconBack) {
  LoadLayout();
  StartMinimised();
  icon->IconNotification(wm::kLButtonDblClk);
  EXPECT_TRUE(shell.service.visible);
  EXPECT_FALSE(shell.service.minimized);
  EXPECT_TRUE(shell.application.visible);
  EXPECT_FALSE(shell.application.minimized);
  EXPECT_EQ(shell.front, TrayWindow::Service);
  EXPECT_FALSE(shell.shown);  // hide-on-restore

  EXPECT_TRUE(Minimise());
  EXPECT_TRUE(WindowsHidden());
  EXPECT_TRUE(shell.shown);

  icon->SetHideOnRestore(false);  // as the print loop leaves it
  icon->IconNotification(wm::kLButtonDblClk);
  EXPECT_TRUE(shell.shown);
}

TEST_F(TrayIconTest, IconFailures) {
  shell.failNotify = true;
  try {
    icon->Loaded();
    FAIL() << "no error";
  } catch (const ETrayIcon& e) {
    EXPECT_STREQ(e.what(), "Error adding tray icon");
  }
  shell.failNotify = false;
  icon->SetActive(true);  // an icon not added is added when Active is set again
  EXPECT_TRUE(shell.shown);

  shell.failNotify = true;
  try {
    icon->SetHint("other");
    FAIL() << "no error";
  } catch (const ETrayIcon& e) {
    EXPECT_STREQ(e.what(), "Tray icon error");
  }
}

TEST_F(TrayIconTest, WithoutAnIconToHideToTheWindowStays) {
  LoadLayout();
  icon->IconNotification(wm::kLButtonDblClk);  // hide-on-restore took the icon away
  shell.failNotify = true;
  EXPECT_TRUE(Close());
  EXPECT_EQ(errors, (std::vector<std::string>{"Error adding tray icon"}));
  EXPECT_TRUE(shell.service.visible);
}

TEST_F(TrayIconTest, ActiveShowsAndRemovesTheIcon) {
  LoadLayout();
  const int calls = shell.notifyCalls;
  icon->SetActive(true);  // the print loop's setting: already shown, nothing to do
  EXPECT_EQ(shell.notifyCalls, calls);
  icon->SetActive(false);
  EXPECT_FALSE(shell.shown);
  icon->SetActive(true);
  EXPECT_TRUE(shell.shown);
}

TEST_F(TrayIconTest, ARestartedShellGetsTheIconAgain) {
  LoadLayout();
  shell.shown.reset();  // the new taskbar has lost it
  icon->ShellRestarted();
  EXPECT_TRUE(shell.shown);

  shell.failAdd = true;  // a taskbar that kept the icon takes a change of it
  icon->ShellRestarted();
  EXPECT_TRUE(shell.shown);

  shell.failNotify = true;
  EXPECT_THROW(icon->ShellRestarted(), ETrayIcon);
  shell.failNotify = false;
  shell.shown.reset();
  icon->ShellRestarted();  // given up on: not added again until Active is set
  EXPECT_FALSE(shell.shown);

  icon->SetActive(false);
  icon->ShellRestarted();
  EXPECT_FALSE(shell.shown);
}

TEST_F(TrayIconTest, TheIconGoesWithTheComponentAndThereIsOnlyOne) {
  LoadLayout();
  fakes::FakeTrayShell other;
  EXPECT_THROW(TrayIconComponent(other, [](const std::string&) {}), std::logic_error);
  icon.reset();
  EXPECT_FALSE(shell.shown);
  EXPECT_NO_THROW(TrayIconComponent(other, [](const std::string&) {}));
}

}  // namespace
}  // namespace korv
