#include "dialogs/ListSelection.h"

#include <gtest/gtest.h>

#include "fakes/FakeListDialogView.h"

namespace korv {
namespace {

const std::vector<std::string> kPrinters{"Epson FX-80 on LPT1", "HP LaserJet 4", "HP DeskJet",
                                         "Microsoft XPS", "PDF Writer"};

TEST(ListSelection, InitialItemIsCurrentAtTheTopWithOkEnabled) {
  ListSelection s(kPrinters, 5, 3);
  fakes::FakeListDialogView view;
  view.okEnabled = false;
  s.Show(view);
  EXPECT_EQ(view.current, 2);
  EXPECT_EQ(view.top, 2);
  EXPECT_TRUE(view.okEnabled);
  EXPECT_EQ(s.ChosenIndex(), 3);
}

TEST(ListSelection, NoOrTooLargeInitialLeavesNothingCurrent) {
  for (int initial : {0, 6}) {
    ListSelection s(kPrinters, 5, static_cast<std::uint16_t>(initial));
    fakes::FakeListDialogView view;
    view.current = 4;
    s.Show(view);
    EXPECT_EQ(view.current, -1);
    EXPECT_FALSE(view.okEnabled);
    EXPECT_EQ(s.ChosenIndex(), 0);
  }
}

TEST(ListSelection, AcceptingGivesTheCurrentRowNumber) {
  ListSelection s(kPrinters, 5, 1);
  fakes::FakeListDialogView view;
  s.Show(view);
  view.current = 3;  // the user moved on
  s.Accept(view);
  s.Closed();  // the window's close follows; an accepted result stays
  EXPECT_EQ(view.closes, 1);
  EXPECT_TRUE(s.Accepted());
  EXPECT_EQ(s.Finish(), 4);
}

TEST(ListSelection, F9ActsLikeOkAndGivesZeroWithNothingCurrent) {
  ListSelection s(kPrinters, 5, 9);
  fakes::FakeListDialogView view;
  s.Show(view);
  s.KeyCommand(view, ListCommand::F9);
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(s.Finish(), 0);
}

TEST(ListSelection, OtherCommandsOfTheKeyTableDoNothing) {
  ListSelection s(kPrinters, 5, 2);
  fakes::FakeListDialogView view;
  s.Show(view);
  for (ListCommand c : {ListCommand::Space, ListCommand::F8, ListCommand::D, ListCommand::ShiftF7,
                        ListCommand::Eight, ListCommand::ShiftEight})
    s.KeyCommand(view, c);
  EXPECT_EQ(view.closes, 0);
  EXPECT_FALSE(s.Accepted());
  EXPECT_EQ(view.current, 1);
}

TEST(ListSelection, CancelAndOtherClosesGiveZero) {
  ListSelection cancelled(kPrinters, 5, 2);
  fakes::FakeListDialogView view;
  cancelled.Show(view);
  cancelled.Cancel(view);
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(cancelled.Finish(), 0);

  ListSelection closed(kPrinters, 5, 2);
  closed.Show(view);
  closed.Closed();
  EXPECT_EQ(closed.Finish(), 0);
}

TEST(ListSelection, EmptyListReturnsZeroEveryWay) {
  ListSelection s(kPrinters, 0, 1);
  fakes::FakeListDialogView view;
  s.Show(view);
  EXPECT_FALSE(view.okEnabled);
  EXPECT_EQ(s.CharToItem(view, 'e'), -1);
  s.Accept(view);
  EXPECT_EQ(s.Finish(), 0);
}

TEST(ListSelection, TypingMovesTheCurrentRowAndEnablesOk) {
  ListSelection s(kPrinters, 5, 0);
  fakes::FakeListDialogView view;
  s.Show(view);
  EXPECT_EQ(s.CharToItem(view, 'h'), 1);
  EXPECT_EQ(s.CharToItem(view, 'p'), 1);
  EXPECT_EQ(s.CharToItem(view, ' '), 1);
  EXPECT_EQ(s.CharToItem(view, 'd'), 2);
  EXPECT_EQ(view.current, 2);
  EXPECT_TRUE(view.okEnabled);
  EXPECT_EQ(s.SearchPrefix(), "HP D");
  s.Accept(view);
  EXPECT_EQ(s.Finish(), 3);
  EXPECT_EQ(s.SearchPrefix(), "");  // the next dialog starts afresh
}

TEST(ListSelection, ItemsShownCutTo255Characters) {
  const std::vector<std::string> items{std::string(300, 'x'), "short"};
  ListSelection s(items, 2, 0);
  EXPECT_EQ(s.RowText(0), std::string(255, 'x'));
  EXPECT_EQ(s.RowText(1), "short");
  EXPECT_EQ(s.RowText(2), "");  // a row past the count shows nothing
}

TEST(ListSelection, CountBeyondTheListIsCutToIt) {
  ListSelection s(kPrinters, 40, 30);
  EXPECT_EQ(s.Items().Count(), 5);
  EXPECT_EQ(s.ChosenIndex(), 0);
}

TEST(ListSelection, FocusScrollsACurrentRowNearTheBottomUp) {
  ListSelection s(kPrinters, 5, 0);
  fakes::FakeListDialogView view;
  view.top = 10;
  view.current = 20;  // d = 10; 164 div 16 = 10 rows, so more than 8 scrolls
  s.KeepCurrentRowInView(view, 164, 16);
  EXPECT_EQ(view.top, 17);
  view.top = 12;  // d = 8 does not
  s.KeepCurrentRowInView(view, 164, 16);
  EXPECT_EQ(view.top, 12);
  view.current = -1;
  s.KeepCurrentRowInView(view, 164, 16);
  EXPECT_EQ(view.top, 12);
}

TEST(ListKeys, FourteenBindingsWithExactlyTheirModifier) {
  int bindings = 0;
  for (int key = 0; key < 256; ++key)
    for (bool shift : {false, true})
      if (ListKeyCommand(static_cast<std::uint16_t>(key), {shift, false, false})) ++bindings;
  EXPECT_EQ(bindings, 14);
  EXPECT_EQ(ListKeyCommand(0x78, {}), ListCommand::F9);
  EXPECT_EQ(ListKeyCommand(0x78, {true, false, false}), std::nullopt);
  EXPECT_EQ(ListKeyCommand(0x76, {true, false, false}), ListCommand::ShiftF7);
  EXPECT_EQ(ListKeyCommand('8', {true, false, false}), ListCommand::ShiftEight);
  EXPECT_EQ(ListKeyCommand('8', {}), ListCommand::Eight);
  EXPECT_EQ(ListKeyCommand('D', {false, true, false}), std::nullopt);
  EXPECT_EQ(ListKeyCommand(0x78, {false, false, true}), std::nullopt);
  EXPECT_EQ(ListKeyCommand('A', {}), std::nullopt);
}

}  // namespace
}  // namespace korv
