#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeHistory.h"
#include "history/HistoryIndex.h"
#include "history/HistoryLimits.h"
#include "history/HistoryStore.h"

namespace korv {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::uint64_t kMB = 1024 * 1024;

HistoryEntry Entry(const std::string& key, std::int64_t time, std::uint64_t bytes) {
  HistoryEntry e;
  e.key = key;
  e.unixTime = time;
  e.bytes = bytes;
  return e;
}

TEST(HistoryLimits, OldestGoByCountSizeAndAge) {
  const std::int64_t now = 100 * kDay;
  // Newest first.
  const std::vector<HistoryEntry> entries{
      Entry("E", now, 60 * kMB), Entry("D", now - kDay, 60 * kMB),
      Entry("C", now - 2 * kDay, 60 * kMB), Entry("B", now - 40 * kDay, 1),
      Entry("A", now - 50 * kDay, 1)};
  const struct {
    HistoryLimits limits;
    std::vector<std::string> trimmed;
  } cases[] = {
      {{100, 0, 0}, {}},
      {{2, 0, 0}, {"C", "B", "A"}},
      {{100, 150, 0}, {"C", "B", "A"}},  // 180 MB would pass 150
      {{100, 0, 30}, {"B", "A"}},
      {{100, 0, 45}, {"A"}},
      {{0, 200, 30}, {"E", "D", "C", "B", "A"}},  // off: nothing is kept
  };
  for (const auto& c : cases)
    EXPECT_EQ(EntriesToTrim(entries, c.limits, now), c.trimmed)
        << c.limits.count << " " << c.limits.megabytes << " " << c.limits.days;
}

TEST(HistoryIndex, ReadsBackWhatItWroteAndDropsDamagedLines) {
  HistoryEntry e{"INV1 (2)", 1796000000, "2026-12-08 14:05:09",
                 "INV1",     1234,       JobMode::RawPage,
                 "Receipts", 0,          "printed"};
  HistoryEntry tabbed = e;
  tabbed.key = "T";
  tabbed.printer = "Odd\tName";
  const std::string text = IndexText({e, tabbed});
  const std::vector<HistoryEntry> back =
      ParseIndex("garbage line\r\n" + text + "K\t1\tx\tJ\tnotanumber\ttext\tP\t0\tprinted\r\n");
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].key, e.key);
  EXPECT_EQ(back[0].mode, JobMode::RawPage);
  EXPECT_EQ(back[0].bytes, 1234u);
  EXPECT_EQ(back[0].localTime, e.localTime);
  EXPECT_EQ(back[1].printer, "Odd Name");
}

struct HistoryStoreTest : ::testing::Test {
  static constexpr char kDir[] = "C:\\KORVELAN\\HISTORY";
  HistoryStoreTest() { files.AddDirectory(kDir); }
  void Keep(const std::string& jobName, std::uint64_t bytes = 10) {
    const std::string key = store.FreeKey(jobName);
    files.AddFile(kDir, key, std::string(bytes, 'x'));
    store.Add({key, 0, "", jobName, bytes, JobMode::Text, "Office Laser", 1, "printed"}, limits);
  }
  fakes::FakeFileSystem files;
  fakes::FakeIndexFile index;
  fakes::FakeHistoryClock clock;
  HistoryLimits limits{3, 200, 30};
  HistoryStore store{files, index, clock, kDir};
};

TEST_F(HistoryStoreTest, SameJobNamesGetTheirOwnEntriesAndTheOldestGo) {
  store.Open(limits);
  for (int i = 0; i < 4; ++i) Keep("INV1");
  const std::vector<HistoryEntry> entries = store.Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].key, "INV1 (4)");
  EXPECT_EQ(entries[1].key, "INV1 (3)");
  EXPECT_EQ(entries[2].key, "INV1 (2)");
  EXPECT_FALSE(files.Exists(kDir, "INV1"));  // the oldest went with its entry
  EXPECT_EQ(ParseIndex(index.files[store.PathOf(kHistoryIndexName)]).size(), 3u);
}

TEST_F(HistoryStoreTest, OpeningKeepsOnlyWhatTheIndexAndTheFolderAgreeOn) {
  files.AddFile(kDir, "KEPT", "data");
  files.AddFile(kDir, "STRAY", "a file no entry names");
  index.files[store.PathOf(kHistoryIndexName)] =
      "KEPT\t1796000000\tt\tKEPT\t4\traw\tReceipts\t0\tprinted\r\n"
      "LOST\t1796000000\tt\tLOST\t4\traw\tReceipts\t0\tprinted\r\n"
      "damaged\r\n";
  store.Open(limits);
  ASSERT_EQ(store.Entries().size(), 1u);
  EXPECT_EQ(store.Entries()[0].key, "KEPT");
  EXPECT_EQ(files.Names(kDir), std::vector<std::string>{"KEPT"});

  EXPECT_TRUE(store.Remove("KEPT"));
  EXPECT_TRUE(store.Entries().empty());
  EXPECT_TRUE(files.Names(kDir).empty());
}

}  // namespace
}  // namespace korv
