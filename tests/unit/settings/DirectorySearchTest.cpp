#include "settings/DirectorySearch.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/FakeFileSystem.h"

namespace korv {
namespace {

using fakes::FakeFileSystem;

constexpr std::uint8_t kPrintLoopSet = kAttrArchive;
const char* const kSpool = "C:\\SPOOL";
const char* const kPattern = "C:\\SPOOL\\*.*";

// Every name the search yields, then the search ended.
std::vector<std::string> ListAll(FileSystem& files, std::uint8_t attributeSet) {
  std::vector<std::string> names;
  SearchRecord record;
  for (auto rc = SearchFirst(files, kPattern, attributeSet, record); rc == 0;
       rc = SearchNext(record))
    names.push_back(record.EntryName);
  SearchEnd(record);
  return names;
}

TEST(DirectorySearch, PrintLoopSetSkipsHiddenSystemDirectoriesAndLinks) {
  FakeFileSystem files;
  files.AddDirectory("C:\\SPOOL\\SUB");
  files.AddFile(kSpool, "HIDDEN.TXT", "x", kAttrHidden | kAttrArchive);
  files.AddFile(kSpool, "SYSTEM.TXT", "x", kAttrSystem);
  files.AddFile(kSpool, "LABEL", "", kAttrVolumeLabel);
  files.AddFile(kSpool, "LINK.TXT", "x", kAttrReparsePoint | kAttrArchive);
  files.AddFile(kSpool, "READONLY.TXT", "x", kAttrReadOnly);
  files.AddFile(kSpool, "JOB1", "abc", kAttrArchive);
  files.AddFile(kSpool, "PLAIN", "", 0x80);  // FILE_ATTRIBUTE_NORMAL
  files.AddFile(kSpool, "JUNCTION", "", kAttrDirectory | kAttrReparsePoint);

  EXPECT_EQ(ListAll(files, kPrintLoopSet),
            (std::vector<std::string>{"READONLY.TXT", "JOB1", "PLAIN"}));
  // Asking for directories, hidden and system entries returns them, but never a link.
  EXPECT_EQ(ListAll(files, kAttrArchive | kAttrDirectory | kAttrHidden | kAttrSystem),
            (std::vector<std::string>{"SUB", "HIDDEN.TXT", "SYSTEM.TXT", "READONLY.TXT", "JOB1",
                                      "PLAIN"}));
  EXPECT_EQ(files.openFinds, 0);
}

TEST(DirectorySearch, FillsTheEntryFields) {
  FakeFileSystem files;
  files.AddFile(kSpool, "HIDDEN", "x", kAttrHidden);
  auto& job = files.AddFile(kSpool, "JOB", "", kAttrArchive | kAttrReadOnly);
  job.listedSize = (std::uint64_t{1} << 32) + 10;  // 4 GiB and 10 bytes
  job.lastWriteTime = 1234567890;

  SearchRecord record;
  ASSERT_EQ(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);
  EXPECT_EQ(record.EntryName, "JOB");
  EXPECT_EQ(record.EntrySize, 10);
  EXPECT_EQ(record.EntryAttributes, kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(record.EntryTime, static_cast<std::int32_t>(files.ToLocalDosTime(1234567890)));
  EXPECT_EQ(record.ExcludeMask, kAttrHidden | kAttrSystem | kAttrVolumeLabel | kAttrDirectory);
  EXPECT_NE(record.SearchHandle, nullptr);
  SearchEnd(record);
}

TEST(DirectorySearch, SizeAndNameLimits) {
  FakeFileSystem files;
  files.AddFile(kSpool, std::string(1100, 'N'), "").listedSize = 0x80000001u;
  files.AddFile(kSpool, std::string("AB\0CD", 5), "x");

  SearchRecord record;
  ASSERT_EQ(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);
  EXPECT_EQ(record.EntryName, std::string(1024, 'N'));
  EXPECT_EQ(record.EntrySize, -2147483647);  // the low 32 bits, signed
  ASSERT_EQ(SearchNext(record), 0u);
  EXPECT_EQ(record.EntryName, "AB");
  SearchEnd(record);
}

TEST(DirectorySearch, NothingToFindLeavesNoSearchOpen) {
  FakeFileSystem files;
  files.AddDirectory(kSpool);
  SearchRecord record;
  EXPECT_NE(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);
  EXPECT_EQ(record.SearchHandle, nullptr);

  files.AddDirectory("C:\\SPOOL\\SUB");
  files.AddFile(kSpool, "HIDDEN", "x", kAttrHidden);
  EXPECT_EQ(SearchFirst(files, kPattern, kPrintLoopSet, record), kErrorNoMoreFiles);
  EXPECT_EQ(record.SearchHandle, nullptr);
  EXPECT_EQ(files.openFinds, 0);

  EXPECT_EQ(SearchFirst(files, "C:\\MISSING\\*.*", kPrintLoopSet, record), kErrorPathNotFound);
  EXPECT_EQ(files.openFinds, 0);
}

TEST(DirectorySearch, EndOfListKeepsTheLastEntryAndTheSearchOpen) {
  FakeFileSystem files;
  files.AddFile(kSpool, "JOB", "abc");
  files.AddFile(kSpool, "HIDDEN", "x", kAttrHidden);
  SearchRecord record;
  ASSERT_EQ(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);

  EXPECT_EQ(SearchNext(record), kErrorNoMoreFiles);  // only the hidden entry was left
  EXPECT_EQ(record.EntryName, "JOB");
  EXPECT_EQ(record.EntrySize, 3);
  EXPECT_EQ(files.openFinds, 1);

  SearchEnd(record);
  EXPECT_EQ(files.openFinds, 0);
  SearchEnd(record);  // a second end is harmless
  EXPECT_EQ(record.SearchHandle, nullptr);
  EXPECT_EQ(SearchNext(record), kErrorInvalidHandle);
}

TEST(DirectorySearch, NewSearchClosesThePreviousOne) {
  FakeFileSystem files;
  files.AddFile(kSpool, "JOB", "abc");
  SearchRecord record;
  ASSERT_EQ(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);
  ASSERT_EQ(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);
  EXPECT_EQ(files.openFinds, 1);
  SearchEnd(record);
}

// A platform that fails without giving a reason.
class SilentFailures : public FakeFileSystem {
 public:
  std::unique_ptr<FindSession> FindFirst(const std::string&, FindData&,
                                         std::uint32_t& error) override {
    error = 0;
    return nullptr;
  }
};

TEST(DirectorySearch, FailureWithoutCodeIsStillAFailure) {
  SilentFailures files;
  SearchRecord record;
  EXPECT_NE(SearchFirst(files, kPattern, kPrintLoopSet, record), 0u);
}

}  // namespace
}  // namespace korv
