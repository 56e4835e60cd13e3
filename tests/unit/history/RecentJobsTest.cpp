#include "history/RecentJobs.h"

#include "history/ReprintRequests.h"

#include <gtest/gtest.h>

#include "fakes/FakeRecentJobsPorts.h"
#include "fakes/FakeServiceWindowPorts.h"

namespace korv {
namespace {

using Column = RecentJobsColumn;

HistoryEntry Entry(std::string key, std::int64_t time, std::string job, JobMode mode, int pages,
                   std::string printer) {
  HistoryEntry e;
  e.key = std::move(key);
  e.unixTime = time;
  e.localTime = "2026-12-08 10:00:" + std::to_string(time % 60);
  e.jobName = std::move(job);
  e.mode = mode;
  e.pages = pages;
  e.printer = std::move(printer);
  return e;
}

// What the window asked to reprint, in order, as the print thread would take it.
std::vector<ReprintRequest> Taken(ReprintQueue& queue) {
  std::vector<ReprintRequest> taken;
  while (auto request = queue.Take()) taken.push_back(*request);
  return taken;
}

std::vector<std::string> KeysOf(const std::vector<HistoryEntry>& rows) {
  std::vector<std::string> keys;
  for (const auto& r : rows) keys.push_back(r.key);
  return keys;
}

class RecentJobsTest : public ::testing::Test {
 protected:
  RecentJobsTest() {
    history.entries = {
        Entry("k3", 30, "invoice", JobMode::Text, 2, "Office Laser"),
        Entry("k2", 20, "Label", JobMode::Raw, 0, "Receipts"),
        Entry("k1", 10, "\xD1\x81\xD1\x87\xD1\x91\xD1\x82", JobMode::RawPage, 0, "Office Laser")};
    jobs.Refresh();
  }
  fakes::FakeJobHistory history;
  ReprintRequests reprints{nullptr};
  std::vector<std::string> printers{"Office Laser", "Receipts", "Warehouse"};
  fakes::FakeListSelector lists;
  fakes::FakeConfirmBox confirm;
  fakes::FakeTextViewer viewer;
  RecentJobs jobs{{history, reprints, lists, viewer, [this] { return printers; },
                   [this](const std::string& text) { return confirm.Confirm(text); }}};
};

TEST_F(RecentJobsTest, HeaderClicksSortAndReverse) {
  struct Case {
    Column clicked;
    std::vector<std::string> keys;
  };
  // Each click follows the one before it.
  const Case cases[] = {
      {Column::Job, {"k3", "k2", "k1"}},      // ASCII case ignored; UTF-8 after ASCII
      {Column::Job, {"k1", "k2", "k3"}},      // again: reversed
      {Column::Pages, {"k2", "k1", "k3"}},    // numbers; equal ones keep newest first
      {Column::Kind, {"k2", "k1", "k3"}},     // "raw" < "raw, page feed" < "text"
      {Column::Printer, {"k3", "k1", "k2"}},  // equal printers keep newest first
      {Column::Time, {"k3", "k2", "k1"}},     // time starts newest first
      {Column::Time, {"k1", "k2", "k3"}},
  };
  EXPECT_EQ(KeysOf(jobs.Rows()), (std::vector<std::string>{"k3", "k2", "k1"}));
  for (const auto& c : cases) {
    jobs.SortBy(c.clicked);
    EXPECT_EQ(KeysOf(jobs.Rows()), c.keys) << ColumnTitle(c.clicked);
  }
}

TEST_F(RecentJobsTest, RefreshTellsWhetherTheRowsChanged) {
  EXPECT_FALSE(jobs.Refresh());
  history.entries.insert(history.entries.begin(), Entry("k4", 40, "new", JobMode::Text, 1, "x"));
  EXPECT_TRUE(jobs.Refresh());
  EXPECT_EQ(jobs.Rows().front().key, "k4");
}

TEST(RecentJobTexts, ViewedText) {
  struct Case {
    std::string job, shown;
  };
  const Case cases[] = {
      {"\x04"
       "AB\r\n",
       "AB\r\n"},  // landscape byte dropped
      {"\x05"
       "AB",
       "\x05"
       "AB"},  // any other first byte is text
      {"a\x01"
       "2b\x02"
       "8c\x03"
       "5d",
       "abcd"},                            // codes and their parameters
      {std::string("a\x01\0b", 4), "ab"},  // a zero is no parameter
      {"\xDA\xC4\xBF\r\n\xB3\xDB\xB3\r\n\xC0\xC4\xD9", "+-+\r\n|#|\r\n+-+"},  // box bytes
      {"\xE9\f"
       "x",
       "\xE9\f"
       "x"},  // others as they are
  };
  for (const auto& c : cases) EXPECT_EQ(TextJobAsText(c.job), c.shown);
  EXPECT_EQ(HexDump("0123456789ABCDEF\x01\xFF"),
            "00000000  30 31 32 33 34 35 36 37  38 39 41 42 43 44 45 46  |0123456789ABCDEF|\r\n"
            "00000010  01 FF                                             |..|\r\n");
}

TEST_F(RecentJobsTest, PrintAgainAndPrintTo) {
  using Requests = std::vector<std::pair<std::string, std::string>>;
  const auto taken = [&] {
    Requests pairs;
    for (const auto& r : Taken(reprints)) pairs.emplace_back(r.key, r.printer);
    return pairs;
  };
  jobs.PrintAgain({0, 2, 7});  // a row gone meanwhile is left out; "": the printer it went to
  EXPECT_EQ(taken(), (Requests{{"k3", ""}, {"k1", ""}}));

  lists.answer = 3;
  // The print thread adds a job while the printer list is open, and the window reads again.
  lists.whileOpen = [&] {
    history.entries.insert(history.entries.begin(), Entry("k4", 40, "new", JobMode::Text, 1, ""));
    jobs.Refresh();
  };
  EXPECT_TRUE(jobs.PrintTo({1, 0}));
  ASSERT_EQ(lists.calls.size(), 1U);
  EXPECT_EQ(lists.calls[0].initial, 2);  // Receipts, the first selected job's printer
  EXPECT_EQ(lists.calls[0].noun, "printer");
  EXPECT_EQ(lists.calls[0].items, printers);
  EXPECT_EQ(taken(), (Requests{{"k2", "Warehouse"}, {"k3", "Warehouse"}}));

  lists.answer = 0;  // cancelled
  EXPECT_FALSE(jobs.PrintTo({0}));
  EXPECT_TRUE(taken().empty());
}

TEST_F(RecentJobsTest, ViewOpensTextOrHexDump) {
  viewer.files["C:\\HISTORY\\k3"] =
      "\x04"
      "Hello\x01"
      "2";
  history.entries[1].bytes = RecentJobs::kViewLimit + 5;
  viewer.files["C:\\HISTORY\\k2"] = std::string(RecentJobs::kViewLimit + 5, 'A');
  jobs.Refresh();
  jobs.View({0});
  jobs.View({1, 0});
  ASSERT_EQ(viewer.opened.size(), 2U);
  EXPECT_EQ(viewer.opened[0].name, "korvprint-k3.txt");
  EXPECT_EQ(viewer.opened[0].text, "Hello");
  EXPECT_EQ(viewer.opened[1].text.substr(0, 12), "00000000  41");
  EXPECT_NE(viewer.opened[1].text.find("(the first 1048576 of 1048581 bytes)"), std::string::npos);

  EXPECT_THROW(jobs.View({2}), ERecentJobs);  // no stored file
  viewer.refuseOpen = true;
  EXPECT_THROW(jobs.View({0}), ERecentJobs);
}

TEST_F(RecentJobsTest, DeleteAsksFirstAndReportsWhatStayed) {
  confirm.answerOk = false;
  EXPECT_FALSE(jobs.Delete({0}));
  EXPECT_EQ(confirm.asked.back(), "Delete the job invoice from the history?");
  EXPECT_TRUE(history.removeCalls.empty());

  confirm.answerOk = true;
  EXPECT_TRUE(jobs.Delete({0}));
  EXPECT_EQ(KeysOf(jobs.Rows()), (std::vector<std::string>{"k2", "k1"}));

  confirm.whileShown = [&] { jobs.Refresh(); };
  history.refuse = {"k1"};
  EXPECT_THROW(jobs.Delete({0, 1}), ERecentJobs);
  EXPECT_EQ(confirm.asked.back(), "Delete 2 jobs from the history?");
  EXPECT_EQ(KeysOf(jobs.Rows()), (std::vector<std::string>{"k1"}));
}

}  // namespace
}  // namespace korv
