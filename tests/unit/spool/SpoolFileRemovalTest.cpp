// Removing a handled spool file: what happens to it for each way it resists.
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
    bool undeletable, immovable, replaced;
    Removal result;
    bool inSpool, inSetAside;
  };
  const Case cases[] = {
      {"plain", kAttrArchive, false, false, false, Removal::Deleted, false, false},
      {"read-only", kAttrReadOnly, false, false, false, Removal::Deleted, false, false},
      {"undeletable", kAttrArchive, true, false, false, Removal::SetAside, false, true},
      {"undeletable and immovable", kAttrReadOnly, true, true, false, Removal::Stuck, true, false},
      {"another file under its name", kAttrArchive, false, false, true, Removal::Gone, true, false},
  };
  for (const Case& c : cases) {
    fakes::FakeFileSystem files;
    files.AddDirectory(kSpool);
    files.SetCurrentDirectory(kSpool);
    auto& entry = files.AddFile(kSpool, "JOB", "12345678", c.attributes);
    entry.undeletable = c.undeletable;
    entry.immovable = c.immovable;
    const FileIdentity handled{0, entry.index, 0};
    if (c.replaced) entry.index += 100;
    std::string movedTo;
    EXPECT_EQ(RemoveHandledFile(files, "JOB", handled, movedTo), c.result) << c.what;
    EXPECT_EQ(files.Exists(kSpool, "JOB"), c.inSpool) << c.what;
    EXPECT_EQ(files.Exists(kSetAside, "JOB"), c.inSetAside) << c.what;
    EXPECT_EQ(movedTo, c.inSetAside ? "SETASIDE\\JOB" : "") << c.what;
    EXPECT_EQ(files.openJobs, 0) << c.what;
  }
}

TEST(SpoolFileRemoval, ANameTakenInTheSetAsideFolderIsMadeUnique) {
  fakes::FakeFileSystem files;
  files.AddDirectory(kSpool);
  files.SetCurrentDirectory(kSpool);
  files.AddFile(kSetAside, "CON.", "old");
  files.AddFile(kSetAside, "CON. (2)", "old");
  files.AddFile(kSpool, "CON.", "new");
  EXPECT_EQ(SetAside(files, "CON."), "SETASIDE\\CON. (3)");
  EXPECT_EQ(files.Contents(kSetAside, "CON. (3)"), "new");
  EXPECT_FALSE(files.Exists(kSpool, "CON."));
  EXPECT_EQ(SetAside(files, "GONE"), "");
}

}  // namespace
}  // namespace korv
