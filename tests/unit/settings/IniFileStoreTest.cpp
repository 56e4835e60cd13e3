#include "settings/IniFileStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "settings/Profile.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

class IniFileStoreTest : public ::testing::Test {
 protected:
  IniFileStoreTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // Unique per run: the plain and the sanitizer builds may run these at the same time.
    dir = fs::temp_directory_path() /
          (std::string("korv-ini-") + info->name() + "-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    file = (dir / "VOZAZAD.INI").string();
  }
  ~IniFileStoreTest() override { fs::remove_all(dir); }

  void Save(const std::string& bytes) const { std::ofstream(file, std::ios::binary) << bytes; }
  std::string Load() const {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  std::string Get(const std::string& section, const std::string& key,
                  const std::string& def = "<def>") {
    return store.Get(section, key, def, file);
  }
  void Put(const std::string& section, const std::string& key, const std::string& value) {
    store.Put(section, key, value, file);
  }

  fs::path dir;
  std::string file;
  IniFileStore store;
};

TEST_F(IniFileStoreTest, DefaultOnlyWhenFileSectionOrKeyIsMissing) {
  EXPECT_EQ(Get("Vozazad", "Printer"), "<def>");
  Save("[Global]\r\nViewFontSize=10\r\n[Vozazad]\r\nFont=\r\nUseDefault =   \r\n");
  EXPECT_EQ(Get("Other", "Printer"), "<def>");
  EXPECT_EQ(Get("Vozazad", "Printer"), "<def>");
  EXPECT_EQ(Get("Vozazad", "ViewFontSize"), "<def>");
  EXPECT_EQ(Get("Vozazad", "Font"), "");
  EXPECT_EQ(Get("Vozazad", "UseDefault"), "");
  EXPECT_EQ(Get("Global", "ViewFontSize"), "10");
  EXPECT_EQ(Get("Vozazad", "Printer", "Y  "), "Y");  // the platform drops trailing blanks
}

TEST_F(IniFileStoreTest, NamesMatchWithoutCaseAndBlanks) {
  Save("  [ vozazad ]  \n  printer  =  HP LaserJet 4  \nFONT\t=\tCourier New\n");
  EXPECT_EQ(Get("Vozazad", "Printer"), "HP LaserJet 4");
  EXPECT_EQ(Get("VOZAZAD", "font"), "Courier New");
  EXPECT_EQ(Get(" Vozazad ", " Font "), "Courier New");
}

TEST_F(IniFileStoreTest, OnePairOfQuotesIsRemovedOnRead) {
  Save("[V]\na=\"Courier New\"\nb='x'\nc=\"x\nd=\"x'\ne=\"\"\nf=\"\"\"\"\n");
  EXPECT_EQ(Get("V", "a"), "Courier New");
  EXPECT_EQ(Get("V", "b"), "x");
  EXPECT_EQ(Get("V", "c"), "\"x");
  EXPECT_EQ(Get("V", "d"), "\"x'");
  EXPECT_EQ(Get("V", "e"), "");
  EXPECT_EQ(Get("V", "f"), "\"\"");
}

TEST_F(IniFileStoreTest, ReadsAreCutTo199Characters) {
  Save("[V]\r\nk=" + std::string(250, 'a') + "\r\n");
  EXPECT_EQ(Get("V", "k"), std::string(199, 'a'));
  EXPECT_EQ(Get("V", "missing", std::string(250, 'd')), std::string(199, 'd'));
}

TEST_F(IniFileStoreTest, FirstSectionAndFirstKeyWin) {
  Save("[V]\nA=1\nA=2\n[W]\nB=0\n[v]\nB=3\n");
  EXPECT_EQ(Get("V", "A"), "1");
  EXPECT_EQ(Get("V", "B"), "<def>");
  Put("V", "a", "9");
  Put("V", "B", "4");
  EXPECT_EQ(Load(), "[V]\nA=9\nA=2\nB=4\n[W]\nB=0\n[v]\nB=3\n");

  Save("[V]\r\n a \r\nA=2\r\n");  // a key without "=" has no value, and it comes first
  EXPECT_EQ(Get("V", "A"), "<def>");
  Put("V", "A", "3");
  EXPECT_EQ(Load(), "[V]\r\n a=3\r\nA=2\r\n");
}

TEST_F(IniFileStoreTest, WriteCreatesFileSectionAndKey) {
  Put("Vozazad", "Printer", "HP LaserJet 4");
  EXPECT_EQ(Load(), "[Vozazad]\r\nPrinter=HP LaserJet 4\r\n");
  Put("Vozazad", "Font", "Courier New");
  Put("Global", "ViewFontSize", "");
  EXPECT_EQ(Load(),
            "[Vozazad]\r\nPrinter=HP LaserJet 4\r\nFont=Courier New\r\n"
            "[Global]\r\nViewFontSize=\r\n");
  EXPECT_EQ(Get("Global", "ViewFontSize"), "");
  Put("Vozazad", "Printer", "Epson");
  EXPECT_EQ(Get("Vozazad", "Printer"), "Epson");
}

TEST_F(IniFileStoreTest, EveryOtherLineIsKeptByteForByte) {
  const std::string before =
      "; korvprint settings\n"
      "garbage without equals\n"
      "\n"
      "[Vozazad]\n"
      "  ; Printer=commented out\n"
      "   PRINTER =  old name  \n"
      "Font=Courier New\n"
      "\n"
      "[Global]\n"
      "ViewFontSize = 14 ; a comment\n";
  Save(before);
  Put("Vozazad", "Printer", "new name");
  Put("Vozazad", "UseDefault", "N");
  EXPECT_EQ(Load(),
            "; korvprint settings\n"
            "garbage without equals\n"
            "\n"
            "[Vozazad]\n"
            "  ; Printer=commented out\n"
            "   PRINTER=new name\n"
            "Font=Courier New\n"
            "UseDefault=N\n"
            "\n"
            "[Global]\n"
            "ViewFontSize = 14 ; a comment\n");
  EXPECT_EQ(Get("Global", "ViewFontSize"), "14 ; a comment");
}

TEST_F(IniFileStoreTest, KeepsTheFilesLineEnds) {
  Save("[V]\r\nA=1\r\n");
  Put("V", "B", "2");
  Put("W", "C", "3");
  EXPECT_EQ(Load(), "[V]\r\nA=1\r\nB=2\r\n[W]\r\nC=3\r\n");

  Save("[V]\nA=1");  // no final line end
  EXPECT_EQ(Get("V", "A"), "1");
  Put("V", "B", "2");
  EXPECT_EQ(Load(), "[V]\nA=1\nB=2\n");

  Save("[V]\nA=1");
  Put("W", "C", "3");
  EXPECT_EQ(Load(), "[V]\nA=1\n[W]\nC=3\n");

  Save("[V]\nA=1");
  Put("V", "A", "2");
  EXPECT_EQ(Load(), "[V]\nA=2");

  Save("[V]\rA=1\rB\r");  // a lone CR ends a line too
  EXPECT_EQ(Get("V", "A"), "1");
  Put("V", "C", "3");
  EXPECT_EQ(Load(), "[V]\rA=1\rB\rC=3\r");
}

TEST_F(IniFileStoreTest, BinaryGarbageAndHugeLines) {
  const std::string garbage = std::string("\0\xFF\xFE\x01[x\r\r=\0\n", 11) + "\x80\x81\n";
  const std::string huge(1 << 20, 'x');
  Save(garbage + huge + "\n[V]\nA=" + huge + "\nB=2\n");
  EXPECT_EQ(Get("V", "A"), std::string(199, 'x'));
  EXPECT_EQ(Get("V", "B"), "2");
  Put("V", "B", "3");
  EXPECT_EQ(Load(), garbage + huge + "\n[V]\nA=" + huge + "\nB=3\n");
}

TEST_F(IniFileStoreTest, ALineBreakCannotForgeLines) {
  Put("Vozazad", "Printer", "P\r\n[Global]\r\nViewFontSize=99");
  EXPECT_EQ(Load(), "[Vozazad]\r\nPrinter=P\r\n");
}

TEST_F(IniFileStoreTest, ReplacesTheFileWithoutLeavingTemporaries) {
  Save("[V]\r\nA=1\r\n");
  for (int i = 0; i < 5; ++i) Put("V", "A", std::to_string(i));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"VOZAZAD.INI"});
  EXPECT_EQ(Get("V", "A"), "4");
}

TEST_F(IniFileStoreTest, FailedWritesAreSilentAndChangeNothing) {
  const std::string missing = (dir / "NO" / "VOZAZAD.INI").string();
  EXPECT_NO_THROW(store.Put("V", "A", "1", missing));
  EXPECT_FALSE(fs::exists(dir / "NO"));
  EXPECT_EQ(store.Get("V", "A", "d", missing), "d");

  fs::create_directory(file);  // a profile path that is not a readable file
  EXPECT_NO_THROW(Put("V", "A", "1"));
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_EQ(Get("V", "A"), "<def>");
}

TEST_F(IniFileStoreTest, ProfileOnARealFile) {
  Profile profile(store);
  profile.Configure(file, "Vozazad");
  EXPECT_EQ(profile.ProfileRead("Printer", ""), "");
  EXPECT_EQ(profile.ProfileRead("UseDefault", "Y"), "Y");
  EXPECT_EQ(profile.ProfileRead("Font", "Courier New"), "Courier New");
  EXPECT_EQ(profile.ReadViewFontSize(), 12);
  EXPECT_FALSE(fs::exists(file));  // reads never create the profile

  Save("[Global]\r\nViewFontSize=\r\n");
  EXPECT_EQ(profile.ReadViewFontSize(), 0);
  profile.ProfileWrite("Printer", std::string(250, 'P'));
  EXPECT_EQ(profile.ProfileRead("Printer", ""), std::string(199, 'P'));
  EXPECT_EQ(Load(),
            "[Global]\r\nViewFontSize=\r\n[Vozazad]\r\nPrinter=" + std::string(250, 'P') + "\r\n");
}

TEST_F(IniFileStoreTest, ListsASectionInTheFilesOrder) {
  Save(
      "[Routes]\r\n; a note\r\nPICK*=Warehouse\r\n\r\nnoequals\r\n inv? = \"Labels\" \r\n"
      "pick*=Again\r\n[Other]\r\nX=1\r\n[routes]\r\nLATE=Ignored\r\n");
  const std::vector<std::pair<std::string, std::string>> expected{{"PICK*", "Warehouse"},
                                                                  {"inv?", "Labels"}};
  EXPECT_EQ(store.Section("ROUTES", file), expected);
  EXPECT_TRUE(store.Section("Missing", file).empty());
}

}  // namespace
}  // namespace korv
