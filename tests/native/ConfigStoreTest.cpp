// Locating and reading the configuration files, and the store's path and
// list helpers.
#include <gtest/gtest.h>

#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"
#include "resources/StringTable.h"

namespace {

constexpr const char* kProgramDir = "C:\\Program Files\\Velmora";

class ConfigStore : public ::testing::Test {
 protected:
  void SetSourceDir(const std::string& folder) {
    fake.SetRegString(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, folder);
  }

  plat::FakePlatform fake;
  CBonusConfig config{fake};
};

// ---- LocateConfigFile ---------------------------------------------------------

TEST_F(ConfigStore, MarkerBesideTheProgramWinsOverTheRegistry) {
  SetSourceDir("E:\\Velmora");
  fake.AddFile(std::string(kProgramDir) + "\\VERavevi.rtf");
  EXPECT_EQ(config.LocateConfigFile(false), "C:\\Program Files\\Velmora\\VERavevi.cfg");
  EXPECT_EQ(config.m_sDataDir, kProgramDir);
  EXPECT_EQ(config.m_sSourceDir, "E:\\Velmora");
  EXPECT_EQ(config.m_sConfigPath, "C:\\Program Files\\Velmora\\VERavevi.cfg");
  EXPECT_EQ(config.m_sWindowsDir, "C:\\WINDOWS");
  EXPECT_EQ(config.m_sSystemDir, "C:\\WINDOWS\\SYSTEM32");
  EXPECT_EQ(config.m_sModulePath, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(config.m_sModuleDir, kProgramDir);
  EXPECT_EQ(config.m_sModuleFileName, "VERavevi.exe");
  EXPECT_EQ(config.m_sModuleBaseName, "VERavevi");
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(ConfigStore, SourceDirGivesTheAccessFolder) {
  SetSourceDir("E:\\Velmora");
  EXPECT_EQ(config.LocateConfigFile(false), "E:\\Velmora\\access\\VERavevi.cfg");
  EXPECT_EQ(config.m_sDataDir, "E:\\Velmora\\access");
  fake.AddFile("E:\\Velmora\\access\\VERavevi.cfg", "[Packages]\nChess\n");
  ASSERT_TRUE(config.ParseConfigFile(config.m_sConfigPath, 0));
  EXPECT_EQ(config.m_saPackages, CStringArray{"E:\\Velmora\\access\\Chess"});
}

TEST_F(ConfigStore, PreferProgramFolderMovesOnlyTheMainFile) {
  SetSourceDir("E:\\Velmora");
  EXPECT_EQ(config.LocateConfigFile(true), "C:\\Program Files\\Velmora\\VERavevi.cfg");
  EXPECT_EQ(config.m_sDataDir, "E:\\Velmora\\access");
}

TEST_F(ConfigStore, WithoutRegistryOrMarkerTheFileIsInTheRoot) {
  EXPECT_EQ(config.LocateConfigFile(false), "\\VERavevi.cfg");
  EXPECT_EQ(config.m_sDataDir, "");
  EXPECT_EQ(config.m_sSourceDir, "");
}

TEST_F(ConfigStore, MissingSourceDirKeepsEarlierFolders) {
  SetSourceDir("E:\\Velmora");
  config.LocateConfigFile(false);
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  EXPECT_EQ(config.LocateConfigFile(false), "E:\\Velmora\\access\\VERavevi.cfg");
  EXPECT_EQ(config.m_sSourceDir, "E:\\Velmora");
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

TEST_F(ConfigStore, MarkerThatIsAFolderIsNoMarker) {
  SetSourceDir("E:\\V");
  fake.AddFolder(std::string(kProgramDir) + "\\VERavevi.rtf");
  EXPECT_EQ(config.LocateConfigFile(false), "E:\\V\\access\\VERavevi.cfg");
}

TEST_F(ConfigStore, SourceDirOfAnyTypeIsReadUpToItsFirstZero) {
  fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue,
                   plat::RegValue{plat::kRegBinary, std::string("F:\\D\0junk", 9)});
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sSourceDir, "F:\\D");
  fake.SetRegDword(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, 0x00434241);
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sSourceDir, "ABC");
}

TEST_F(ConfigStore, SourceDirFillingTheWholeBufferStopsAtItsEnd) {
  const std::string full(plat::kMaxPath, 'S');  // no terminating zero
  fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, plat::RegValue{plat::kRegSz, full});
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sSourceDir, full);
  EXPECT_EQ(config.m_sDataDir, full + "\\access");
}

TEST_F(ConfigStore, SourceDirLongerThanTheBufferIsNotRead) {
  SetSourceDir("E:\\V");
  config.LocateConfigFile(false);
  fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue,
                   plat::RegValue{plat::kRegSz, std::string(plat::kMaxPath + 1, 'S')});
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sSourceDir, "E:\\V");
  EXPECT_EQ(config.m_sDataDir, "E:\\V\\access");
}

TEST_F(ConfigStore, FolderPathsThatDoNotFitTheBufferCountAsFailed) {
  const std::string fits = "C:\\" + std::string(plat::kMaxPath - 4, 'w');  // 259 characters
  const std::string tooLong = fits + "w";                                  // 260 characters
  fake.windowsDir = fits;
  fake.systemDir = tooLong;
  fake.modulePath = "C:\\" + std::string(plat::kMaxPath, 'm') + "\\VERavevi.exe";
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sWindowsDir, fits);
  EXPECT_EQ(config.m_sSystemDir, "");
  EXPECT_EQ(config.m_sModulePath, "");
  EXPECT_EQ(config.m_sModuleDir, "");
  EXPECT_EQ(config.m_sModuleFileName, "");
  EXPECT_EQ(config.m_sModuleBaseName, "");
}

// ---- ParseConfigFile --------------------------------------------------------------

TEST_F(ConfigStore, MissingCfgFileFailsSilentlyAndChangesNothing) {
  config.ParseConfigText("[TuneUp]\nHeight=4\n", 0);
  EXPECT_FALSE(config.ParseConfigFile("C:\\none\\X.CFG", 0));
  EXPECT_FALSE(config.ParseConfigFile("C:\\none\\x.cfg", 0));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(config.m_sHeight, "4");
  EXPECT_TRUE(config.m_bInTuneUp);
}

TEST_F(ConfigStore, MissingFileOfAnotherKindShowsTheBox) {
  for (const std::string path : {"C:\\none\\x.txt", "C:\\none\\x.cf", "fg"}) {
    fake.boxes.clear();
    EXPECT_FALSE(config.ParseConfigFile(path, 0));
    ASSERT_EQ(fake.boxes.size(), 1u) << path;
    EXPECT_EQ(fake.boxes[0].owner, 0u);
    EXPECT_EQ(fake.boxes[0].text, "Error: " + path + " doesn't exist.");
    EXPECT_EQ(fake.boxes[0].caption, "Velmora Bonus Software Installer");
    EXPECT_EQ(fake.boxes[0].type, plat::kMbOk | plat::kMbIconStop);
  }
}

TEST_F(ConfigStore, LockedFileCannotBeRead) {
  fake.AddFile("C:\\a.cfg", "[TuneUp]\nHeight=1");
  fake.LockFile("C:\\a.cfg");
  EXPECT_FALSE(config.ParseConfigFile("C:\\a.cfg", 0));
  EXPECT_EQ(config.m_sHeight, "");
}

TEST_F(ConfigStore, RereadingTheMainFileKeepsTheStoreAsItIs) {
  SetSourceDir("E:\\V");
  const std::string path = config.LocateConfigFile(false);
  fake.AddFile(path, "[TuneUp]\nWindowTitle=Bonus\nHeight=32\n[Packages]\nGames\\Chess\nBrowser\nGames\\Chess\n");
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
  // Back to the first content: its entries are where they were.
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nB\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 5u);  // B now stands at a new second place
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 5u);
  // Another data folder gives other capsule folders.
  config.m_sDataDir = "E:";
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 7u);
  EXPECT_EQ(config.m_saPackages[5], "E:\\A");
}

TEST_F(ConfigStore, EachFileAddsItsOwnEntries) {
  fake.AddFile("C:\\a.cfg", "[Packages]\nX\n");
  fake.AddFile("C:\\b.cfg", "[Packages]\nX\n");
  config.ParseConfigFile("C:\\a.cfg", 0);
  config.ParseConfigFile("C:\\b.cfg", 0);
  config.ParseConfigFile("C:\\a.cfg", 0);
  config.ParseConfigFile("C:\\b.cfg", 0);
  EXPECT_EQ(config.m_saPackages, (CStringArray{"\\X", "\\X"}));
}

TEST_F(ConfigStore, TextInMemoryAlwaysAppends) {
  config.ParseConfigText("[Packages]\nA\n", 0);
  config.ParseConfigText("[Packages]\nA\n", 0);
  EXPECT_EQ(config.m_saPackages.size(), 2u);
}

TEST_F(ConfigStore, ACopiedStoreRemembersTheFiles) {
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  CBonusConfig copy = config;
  copy.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(copy.m_saPackages.size(), 1u);
}

// ---- FileExists --------------------------------------------------------------------

TEST_F(ConfigStore, FileExists) {
  fake.AddFile("C:\\f\\a.txt");
  EXPECT_TRUE(config.FileExists("C:\\f\\a.txt", true, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f", false, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f\\b.txt", false, "Cap"));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_FALSE(config.FileExists("C:\\f", true, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f\\b.txt", true, ""));
  ASSERT_EQ(fake.boxes.size(), 2u);
  EXPECT_EQ(fake.boxes[0].text, "Error: C:\\f doesn't exist.");
  EXPECT_EQ(fake.boxes[0].caption, "Cap");
  EXPECT_EQ(fake.boxes[0].type, 0x10u);
  EXPECT_EQ(fake.boxes[0].owner, 0u);
  EXPECT_EQ(fake.boxes[1].text, "Error: C:\\f\\b.txt doesn't exist.");
  EXPECT_EQ(fake.boxes[1].caption, "");
}

// ---- SplitIntoList, path parts ------------------------------------------------------

TEST_F(ConfigStore, SplitIntoList) {
  const struct {
    std::string text, delimiters;
    CStringArray items;
  } cases[] = {
      {"a , b", ",", {"a", "b"}},
      {",a", ",", {"", "a"}},
      {"a,", ",", {"a"}},
      {"5.0,1", ".,", {"5", "0", "1"}},
      {"a,,b", ",", {"a", "", "b"}},
      {"  a\t,\tb  ", ",", {"a", "b"}},
      {"splash\\intro.exe,3", ",", {"splash\\intro.exe", "3"}},
      {"path, test", ",", {"path", "test"}},
      {"abc", ",", {"abc"}},
      {"", ",", {}},
      {"\t", ",", {""}},
      {"   ", ",", {""}},
      {"a,b", "", {"a,b"}},
      {"1.2.3.4", ".,", {"1", "2", "3", "4"}},
      {"a ,, b", ",", {"a", "", "b"}},
      {"\t,a", ",", {"", "a"}},
      // A blank delimiter is trimmed away before it would be dropped.
      {"ab cd", " ", {"ab", "d"}},
  };
  for (const auto& c : cases) {
    config.SplitIntoList(c.text, c.delimiters);
    EXPECT_EQ(config.m_saList, c.items) << "\"" << c.text << "\" by \"" << c.delimiters << "\"";
  }
}

TEST_F(ConfigStore, ShorterSplitLeavesOnlyItsOwnItems) {
  config.SplitIntoList("a,b,c", ",");
  config.SplitIntoList("x", ",");
  EXPECT_EQ(config.m_saList, CStringArray{"x"});
}

TEST_F(ConfigStore, PathParts) {
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
}

TEST_F(ConfigStore, TokenListsAndEntries) {
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
