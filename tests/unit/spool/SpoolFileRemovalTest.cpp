// Removing a handled spool file: what happens to it for each way it resists, always
// through the file that was opened, never by its name.
#include "spool/SpoolFileRemoval.h"

#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"

namespace korv {
namespace {

constexpr const char* kSpool = "C:\\KORVELAN\\WINPRINT";
constexpr const char* kSetAside = "C:\\KORVELAN\\WINPRINT\\SETASIDE";

TEST(SpoolFileRemoval, EachWayAFileResists) {
  struct Case {
    const char* what;
    std::uint32_t attributes;
    bool undeletable, immovable, renamed;
    Removal result;
    bool jobInSpool, inSetAside;
  };
  const Case cases[] = {
      {"plain", kAttrArchive, false, false, false, Removal::Deleted, false, false},
      {"read-only", kAttrReadOnly, false, false, false, Removal::Deleted, false, false},
      {"undeletable", kAttrArchive, true, false, false, Removal::SetAside, false, true},
      {"undeletable and immovable", kAttrReadOnly, true, true, false, Removal::Stuck, true, false},
      // Renamed while open and another file put under its name: the opened one goes.
      {"another file under its name", kAttrArchive, false, false, true, Removal::Deleted, true,
       false},
  };
  for (const Case& c : cases) {
    fakes::FakeFileSystem files;
    files.AddDirectory(kSpool);
    files.SetCurrentDirectory(kSpool);
    auto& entry = files.AddFile(kSpool, "JOB", "12345678", c.attributes);
    entry.undeletable = c.undeletable;
    entry.immovable = c.immovable;
    SpoolFileOpen opened = files.OpenSpoolFile("JOB");
    ASSERT_TRUE(opened.file) << c.what;
    if (c.renamed) {
      files.Rename(kSpool, "JOB", "ELSEWHERE");
      files.AddFile(kSpool, "JOB", "a new job");
    }
    std::string movedTo;
    EXPECT_EQ(RemoveHandledFile(files, *opened.file, movedTo), c.result) << c.what;
    opened.file.reset();
    EXPECT_EQ(files.Exists(kSpool, "JOB"), c.jobInSpool) << c.what;
    if (c.renamed) {
      EXPECT_EQ(files.Contents(kSpool, "JOB"), "a new job");
    }
    EXPECT_FALSE(files.Exists(kSpool, "ELSEWHERE")) << c.what;
    EXPECT_EQ(files.Exists(kSetAside, "JOB"), c.inSetAside) << c.what;
    EXPECT_EQ(movedTo, c.inSetAside ? "SETASIDE\\JOB" : "") << c.what;
    for (const std::string& line : files.log)
      EXPECT_NE(line.rfind("delete JOB", 0), 0u) << c.what << ": deleted by name";
  }
}

TEST(SpoolFileRemoval, ANameTakenInTheSetAsideFolderIsMadeUnique) {
  fakes::FakeFileSystem files;
  files.AddDirectory(kSpool);
  files.SetCurrentDirectory(kSpool);
  files.AddFile(kSetAside, "CON.", "old");
  files.AddFile(kSetAside, "CON. (2)", "old");
  files.AddFile(kSpool, "CON.", "new");
  SpoolFileOpen opened = files.OpenSpoolFile("CON.");
  EXPECT_EQ(SetAside(files, *opened.file), "SETASIDE\\CON. (3)");
  opened.file.reset();
  EXPECT_EQ(files.Contents(kSetAside, "CON. (3)"), "new");
  EXPECT_FALSE(files.Exists(kSpool, "CON."));
}

}  // namespace
}  // namespace korv
