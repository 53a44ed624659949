// Locating and reading the configuration files, and the store's path and
// list helpers. The golden disks (ConfigGoldenTest) hold the line grammar and
// whole stores; these cases hold what one dump cannot show.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using plat::RegRoot;

constexpr const char* kProgramDir = "C:\\Program Files\\Velmora";
constexpr const char* kProgramCfg = "C:\\Program Files\\Velmora\\VERavevi.cfg";

class ConfigStore : public ::testing::Test {
 protected:
  void ExpectOneBox(const std::string& text, const std::string& caption) {
    ASSERT_EQ(fake.boxes.size(), 1u) << text;
    EXPECT_EQ(fake.boxes[0].owner, 0u);
    EXPECT_EQ(fake.boxes[0].text + "|" + fake.boxes[0].caption, text + "|" + caption);
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
  fake.SetRegString(RegRoot::LocalMachine, kProductKey, kSourceDirValue, "E:\\Velmora");
  EXPECT_EQ(config.LocateConfigFile(false), "E:\\Velmora\\access\\VERavevi.cfg");
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
    fake.modulePath = c.modulePath;
    EXPECT_EQ(config.LocateConfigFile(true), c.configPath) << c.modulePath;
    EXPECT_EQ(config.m_sModuleDir + "|" + config.m_sModuleFileName + "|" + config.m_sModuleBaseName,
              c.dir + "|" + c.fileName + "|" + c.baseName);
  }
}

// One store located again after each change of the value: a value that
// cannot be read keeps the folders found before.
TEST_F(ConfigStore, SourceDirValues) {
  const std::string full(plat::kMaxPath, 'S');  // fills the buffer, no terminating zero
  const struct {
    std::optional<plat::RegValue> value;  // nullopt: the key is deleted
    std::string sourceDir;
  } rows[] = {
      {plat::RegValue{plat::kRegSz, std::string("E:\\V\0", 5)}, "E:\\V"},
      {std::nullopt, "E:\\V"},
      {plat::RegValue{plat::kRegSz, full + "S"}, "E:\\V"},
      {plat::RegValue{plat::kRegBinary, std::string("F:\\D\0junk", 9)}, "F:\\D"},
      {plat::RegValue{plat::kRegSz, full}, full},
  };
  for (const auto& r : rows) {
    if (r.value)
      fake.SetRegValue(RegRoot::LocalMachine, kProductKey, kSourceDirValue, *r.value);
    else
      fake.DeleteRegKey(RegRoot::LocalMachine, kProductKey);
    EXPECT_EQ(config.LocateConfigFile(false), r.sourceDir + "\\access\\VERavevi.cfg");
    EXPECT_EQ(config.m_sSourceDir, r.sourceDir);
  }
}

TEST_F(ConfigStore, FolderPathsThatDoNotFitTheBufferCountAsFailed) {
  const std::string fits = "C:\\" + std::string(plat::kMaxPath - 4, 'w');  // 259 characters
  fake.windowsDir = fits;
  fake.systemDir = fits + "w";
  fake.modulePath = "C:\\" + std::string(plat::kMaxPath, 'm') + "\\VERavevi.exe";
  config.LocateConfigFile(false);
  EXPECT_EQ(config.m_sWindowsDir, fits);
  EXPECT_EQ(config.m_sSystemDir + config.m_sModulePath + config.m_sModuleDir + config.m_sModuleFileName +
                config.m_sModuleBaseName,
            "");
}

TEST_F(ConfigStore, FilesThatCannotBeRead) {
  config.ParseConfigText("[TuneUp]\nHeight=4\n", 0);
  // A missing .cfg (in any case) fails silently and changes nothing.
  EXPECT_FALSE(config.ParseConfigFile("C:\\none\\X.CFG", 0));
  EXPECT_FALSE(config.ParseConfigFile("C:\\none\\x.cfg", 0));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_TRUE(config.m_bInTuneUp);
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
// change rereads the main file), however its path is spelt.
TEST_F(ConfigStore, RereadingAFileAddsOnlyWhatIsNew) {
  config.m_sDataDir = "D:";
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nB\nA\n");
  fake.AddFile("C:\\c.cfg", "[TuneUp]\nTitle=Browser\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  config.ParseConfigFile("C:\\c.cfg", 1);
  config.ParseConfigFile("C:\\m.cfg", 0);
  config.ParseConfigFile("c:/M.CFG", 0);
  EXPECT_EQ(config.m_saPackages, (CStringArray{"D:\\A", "D:\\B", "D:\\A"}));
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nC\nB\nA\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages, (CStringArray{"D:\\A", "D:\\B", "D:\\A", "D:\\C", "D:\\B", "D:\\A"}));
  // Back to the first content: B now stands at a new second place.
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\nB\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 7u);
  // Another data folder gives other capsule folders.
  config.m_sDataDir = "E:";
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 9u);
  EXPECT_EQ(config.m_saPackages[7], "E:\\A");
  // An entry the held one only begins with is another entry.
  fake.AddFile("C:\\m.cfg", "[Packages]\nAx\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  fake.AddFile("C:\\m.cfg", "[Packages]\nA\n");
  config.ParseConfigFile("C:\\m.cfg", 0);
  EXPECT_EQ(config.m_saPackages.size(), 11u);
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

TEST_F(ConfigStore, WhatNoDiskShows) {
  // A negative capsule index stores nothing; lines have no length limit.
  const std::string value(200000, 'v');
  config.ParseConfigText("[TuneUp]\nTitle=x\nMessage=" + value, -1);
  EXPECT_TRUE(config.m_saTitle.empty());
  EXPECT_EQ(config.m_sMessage, value);
  // The section reader clears the shared section flag at its own headers, so
  // lines ahead of the next file's first header are not read into [TuneUp].
  fake.AddFile("C:\\cap.cfg", "[Reg]\nKey=\n[Other]\n");
  config.ReadSectionRegistryValue("C:\\cap.cfg", "[Reg]");
  EXPECT_TRUE(config.m_bInTuneUp);
  config.ParseConfigText("Title=ignored\n", 0);
  EXPECT_TRUE(config.m_saTitle.empty());
}

TEST_F(ConfigStore, FileExists) {
  fake.AddFile("C:\\f\\a.txt");
  EXPECT_TRUE(config.FileExists("C:\\f\\a.txt", true, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f\\b.txt", false, "Cap"));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_FALSE(config.FileExists("C:\\f", true, "Cap"));  // a folder is no file
  ExpectOneBox("Error: C:\\f doesn't exist.", "Cap");
}

// The fuzz_split_into_list corpus holds the other spellings.
TEST_F(ConfigStore, SplitIntoList) {
  config.SplitIntoList("a , b,", ",");
  EXPECT_EQ(config.m_saList, (CStringArray{"a", "b"}));
  config.SplitIntoList(",a", ",");
  EXPECT_EQ(config.m_saList, (CStringArray{"", "a"}));
  config.SplitIntoList("ab cd", " ");  // the blank is trimmed away before it would be dropped
  EXPECT_EQ(config.m_saList, (CStringArray{"ab", "d"}));
}

TEST_F(ConfigStore, PathPartsTokenListsAndEntries) {
  const struct {
    std::string path, folder, last;
  } cases[] = {
      {"C:\\A\\b.exe", "C:\\A", "b.exe"},
      {"C:\\A\\", "C:\\A", ""},
      {"b.exe", "", ""},
      {"\\b", "", "b"},
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
  EXPECT_EQ(CBonusConfig::At(list, 1) + CBonusConfig::At(list, 2) + CBonusConfig::At(list, -1), "b");
}

}  // namespace
