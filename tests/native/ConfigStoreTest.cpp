// Locating and reading the configuration files, and the store's path and
// list helpers. The golden dumps (ConfigGoldenTest) hold the whole store of a
// located disk; these cases hold what they do not show.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"
#include "resources/StringTable.h"

namespace {

using plat::RegRoot;

constexpr const char* kProgramDir = "C:\\Program Files\\Velmora";
constexpr const char* kProgramCfg = "C:\\Program Files\\Velmora\\VERavevi.cfg";

class ConfigStore : public ::testing::Test {
 protected:
  void SetSourceDir(const std::string& folder) {
    fake.SetRegString(RegRoot::LocalMachine, kProductKey, kSourceDirValue, folder);
  }
  void ExpectOneBox(const std::string& text, const std::string& caption) {
    ASSERT_EQ(fake.boxes.size(), 1u) << text;
    EXPECT_EQ(fake.boxes[0].owner, 0u);
    EXPECT_EQ(fake.boxes[0].text, text);
    EXPECT_EQ(fake.boxes[0].caption, caption);
    EXPECT_EQ(fake.boxes[0].type, plat::kMbOk | plat::kMbIconStop);
    fake.boxes.clear();
  }

  plat::FakePlatform fake;
  CBonusConfig config{fake};
};

// One store located again after each change of the machine.
TEST_F(ConfigStore, WhereTheMainFileIs) {
  const std::string marker = std::string(kProgramDir) + "\\VERavevi.rtf";
  EXPECT_EQ(config.LocateConfigFile(false), "\\VERavevi.cfg");  // neither registry nor marker: the root
  EXPECT_EQ(config.m_sDataDir, "");
  SetSourceDir("E:\\Velmora");
  EXPECT_EQ(config.LocateConfigFile(false), "E:\\Velmora\\access\\VERavevi.cfg");
  EXPECT_EQ(config.m_sDataDir, "E:\\Velmora\\access");
  // Preferring the program folder moves only the main file.
  EXPECT_EQ(config.LocateConfigFile(true), kProgramCfg);
  EXPECT_EQ(config.m_sDataDir, "E:\\Velmora\\access");
  fake.AddFolder(marker);  // a folder named like the marker is no marker
  EXPECT_EQ(config.LocateConfigFile(false), "E:\\Velmora\\access\\VERavevi.cfg");
  fake.RemovePath(marker);
  fake.AddFile(marker);  // the marker beside the program wins over the registry
  EXPECT_EQ(config.LocateConfigFile(false), kProgramCfg);
  EXPECT_EQ(config.m_sConfigPath, kProgramCfg);
  EXPECT_EQ(config.m_sDataDir, kProgramDir);
  EXPECT_EQ(config.m_sSourceDir, "E:\\Velmora");
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(ConfigStore, ProgramNames) {
  const struct {
    std::string modulePath, dir, fileName, baseName, configPath;
  } cases[] = {
      {"C:\\P\\VERavevi.old.exe", "C:\\P", "VERavevi.old.exe", "VERavevi", "C:\\P\\VERavevi.cfg"},
      {"C:\\P\\Bonus", "C:\\P", "Bonus", "Bonus", "C:\\P\\Bonus.cfg"},
      {"C:\\VERavevi.exe", "C:", "VERavevi.exe", "VERavevi", "C:\\VERavevi.cfg"},
  };
  for (const auto& c : cases) {
    plat::FakePlatform machine;
    machine.modulePath = c.modulePath;
    CBonusConfig store(machine);
    EXPECT_EQ(store.LocateConfigFile(true), c.configPath) << c.modulePath;
    EXPECT_EQ(store.m_sModuleDir, c.dir);
    EXPECT_EQ(store.m_sModuleFileName, c.fileName);
    EXPECT_EQ(store.m_sModuleBaseName, c.baseName);
  }
}

// One store located again after each change of the value: a value that
// cannot be read keeps the folders found before.
TEST_F(ConfigStore, SourceDirValues) {
  const std::string full(plat::kMaxPath, 'S');  // fills the buffer, no terminating zero
  const struct {
    const char* name;
    std::optional<plat::RegValue> value;  // nullopt: the key is deleted
    std::string sourceDir;
  } rows[] = {
      {"a string", plat::RegValue{plat::kRegSz, std::string("E:\\V\0", 5)}, "E:\\V"},
      {"a missing key keeps it", std::nullopt, "E:\\V"},
      {"longer than the buffer keeps it", plat::RegValue{plat::kRegSz, std::string(plat::kMaxPath + 1, 'S')},
       "E:\\V"},
      {"any type up to its first zero", plat::RegValue{plat::kRegBinary, std::string("F:\\D\0junk", 9)},
       "F:\\D"},
      {"a number as its bytes", plat::RegValue{plat::kRegDword, std::string("ABC\0", 4)}, "ABC"},
      {"filling the whole buffer stops at its end", plat::RegValue{plat::kRegSz, full}, full},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    if (r.value)
      fake.SetRegValue(RegRoot::LocalMachine, kProductKey, kSourceDirValue, *r.value);
    else
      fake.DeleteRegKey(RegRoot::LocalMachine, kProductKey);
    EXPECT_EQ(config.LocateConfigFile(false), r.sourceDir + "\\access\\VERavevi.cfg");
    EXPECT_EQ(config.m_sSourceDir, r.sourceDir);
    EXPECT_EQ(config.m_sDataDir, r.sourceDir + "\\access");
  }
}

TEST_F(ConfigStore, FolderPathsThatDoNotFitTheBufferCountAsFailed) {
  const std::string fits = "C:\\" + std::string(plat::kMaxPath - 4, 'w');  // 259 characters
  fake.windowsDir = fits;
  fake.systemDir = fits + "w";
  fake.modulePath = "C:\\" + std::string(plat::kMaxPath, 'm') + "\\VERavevi.exe";
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sWindowsDir, fits);
  EXPECT_EQ(config.m_sSystemDir, "");
  EXPECT_EQ(config.m_sModulePath, "");
  EXPECT_EQ(config.m_sModuleDir, "");
  EXPECT_EQ(config.m_sModuleFileName, "");
  EXPECT_EQ(config.m_sModuleBaseName, "");
}

TEST_F(ConfigStore, FilesThatCannotBeRead) {
  config.ParseConfigText("[TuneUp]\nHeight=4\n", 0);
  // A missing .cfg (in any case) fails silently and changes nothing.
  EXPECT_FALSE(config.ParseConfigFile("C:\\none\\X.CFG", 0));
  EXPECT_FALSE(config.ParseConfigFile("C:\\none\\x.cfg", 0));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(config.m_sHeight, "4");
  EXPECT_TRUE(config.m_bInTuneUp);
  // A missing file of any other kind says so.
  for (const std::string path : {"C:\\none\\x.txt", "C:\\none\\x.cf", "fg"}) {
    EXPECT_FALSE(config.ParseConfigFile(path, 0));
    ExpectOneBox("Error: " + path + " doesn't exist.", "Velmora Bonus Software Installer");
  }
  fake.AddFile("C:\\a.cfg", "[TuneUp]\nHeight=1");
  fake.LockFile("C:\\a.cfg");
  EXPECT_FALSE(config.ParseConfigFile("C:\\a.cfg", 0));
  EXPECT_EQ(config.m_sHeight, "4");
}

// The store must not grow when the same file is read again (a selection
// change rereads the main file).
TEST_F(ConfigStore, RereadingTheMainFileKeepsTheStoreAsItIs) {
  SetSourceDir("E:\\V");
  const std::string path = config.LocateConfigFile(false);
  fake.AddFile(path,
               "[TuneUp]\nWindowTitle=Bonus\nHeight=32\n[Packages]\nGames\\Chess\nBrowser\nGames\\Chess\n");
  ASSERT_TRUE(config.ParseConfigFile(path, 0));
  const CStringArray first = config.m_saPackages;
  ASSERT_EQ(first.size(), 3u);
  fake.AddFile("E:\\V\\access\\Browser\\Browser.cfg", "[TuneUp]\nTitle=Browser\nWindowTitle=Other\n");
  ASSERT_TRUE(config.ParseConfigFile("E:\\V\\access\\Browser\\Browser.cfg", 1));
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(config.ParseConfigFile(path, 0));
  EXPECT_EQ(config.m_saPackages, first);
  EXPECT_EQ(config.m_sWelcomeCaption, "Bonus");
  EXPECT_EQ(config.m_sHeight, "32");
  // The same file spelt another way is the same file.
  ASSERT_TRUE(config.ParseConfigFile("e:/v/ACCESS/veravevi.cfg", 0));
  EXPECT_EQ(config.m_saPackages, first);
}

TEST_F(ConfigStore, ChangedFileAddsOnlyWhatIsNew) {
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nB\n");
  config.m_sDataDir = "D:";
  config.ParseConfigFile("C:\\m.cfg", 0);
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nC\nB\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages, (CStringArray{"D:\\A", "D:\\B", "D:\\C", "D:\\B"}));
  for (int i = 0; i < 10; ++i) config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 4u);
  // Back to the first content: B now stands at a new second place.
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nB\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 5u);
  // Another data folder gives other capsule folders.
  config.m_sDataDir = "E:";
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 7u);
  EXPECT_EQ(config.m_saPackages[5], "E:\\A");
}

TEST_F(ConfigStore, OtherFilesTextsAndCopiesAddTheirOwnEntries) {
  fake.AddFile("C:\\a.cfg", "[Packages]\nX\n");
  fake.AddFile("C:\\b.cfg", "[Packages]\nX\n");
  for (const char* path : {"C:\\a.cfg", "C:\\b.cfg", "C:\\a.cfg", "C:\\b.cfg"})
    config.ParseConfigFile(path, 0);
  EXPECT_EQ(config.m_saPackages, (CStringArray{"\\X", "\\X"}));
  CBonusConfig copy = config;  // remembers the files read
  copy.ParseConfigFile("C:\\a.cfg", 0);
  EXPECT_EQ(copy.m_saPackages.size(), 2u);
  // Text in memory always appends.
  config.ParseConfigText("[Packages]\nA\n", 0);
  config.ParseConfigText("[Packages]\nA\n", 0);
  EXPECT_EQ(config.m_saPackages.size(), 4u);
}

TEST_F(ConfigStore, FileExists) {
  fake.AddFile("C:\\f\\a.txt");
  EXPECT_TRUE(config.FileExists("C:\\f\\a.txt", true, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f", false, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f\\b.txt", false, "Cap"));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_FALSE(config.FileExists("C:\\f", true, "Cap"));
  ExpectOneBox("Error: C:\\f doesn't exist.", "Cap");
  EXPECT_FALSE(config.FileExists("C:\\f\\b.txt", true, ""));
  ExpectOneBox("Error: C:\\f\\b.txt doesn't exist.", "");
}

// One store splits every row, so a shorter split follows a longer one.
TEST_F(ConfigStore, SplitIntoList) {
  const struct {
    std::string text, delimiters;
    CStringArray items;
  } cases[] = {{"a , b", ",", {"a", "b"}},
               {",a", ",", {"", "a"}},
               {"5.0,1", ".,", {"5", "0", "1"}},
               {"a,", ",", {"a"}},
               {"a ,, b", ",", {"a", "", "b"}},
               {"  a\t,\tb  ", ",", {"a", "b"}},
               {"splash\\intro.exe,3", ",", {"splash\\intro.exe", "3"}},
               {"abc", ",", {"abc"}},
               {"", ",", {}},
               {"\t", ",", {""}},
               {"   ", ",", {""}},
               {"a,b", "", {"a,b"}},
               {"\t,a", ",", {"", "a"}},
               // A blank delimiter is trimmed away before it would be dropped.
               {"ab cd", " ", {"ab", "d"}}};
  for (const auto& c : cases) {
    config.SplitIntoList(c.text, c.delimiters);
    EXPECT_EQ(config.m_saList, c.items) << "\"" << c.text << "\" by \"" << c.delimiters << "\"";
  }
}

TEST_F(ConfigStore, PathPartsTokenListsAndEntries) {
  const struct {
    std::string path, folder, last;
  } cases[] = {
      {"C:\\A\\b.exe", "C:\\A", "b.exe"},
      {"C:\\A\\", "C:\\A", ""},
      {"C:\\A\\b", "C:\\A", "b"},
      {"b.exe", "", ""},
      {"\\b", "", "b"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CBonusConfig::GetFolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(CBonusConfig::GetLastPathPart(c.path), c.last) << c.path;
  }
  EXPECT_EQ(config.TokenList(1), &config.m_saCapToken1);
  EXPECT_EQ(config.TokenList(10), &config.m_saCapToken10);
  EXPECT_EQ(config.TokenList(0), nullptr);
  EXPECT_EQ(config.TokenList(11), nullptr);
  const CStringArray list{"a", "b"};
  EXPECT_EQ(CBonusConfig::At(list, 1), "b");
  EXPECT_EQ(CBonusConfig::At(list, 2), "");
  EXPECT_EQ(CBonusConfig::At(list, -1), "");
}

}  // namespace
