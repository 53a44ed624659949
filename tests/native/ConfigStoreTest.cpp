// The store's registry, drive, disk-space and shortcut calls and its path
// and list helpers. The golden disks and machine scripts (ConfigGoldenTest)
// hold the line grammar, whole stores, locating and rereading files and
// registry key paths; these cases hold what a script cannot spell.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using plat::RegRoot;
using Drive = plat::FakePlatform::Drive;

class ConfigStore : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
};

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

// A copy of the store remembers the files read (the reread disk holds the rest).
TEST_F(ConfigStore, ACopyRemembersTheFilesRead) {
  fake.AddFile("C:\\a.cfg", "[Packages]\nX\n");
  config.ParseConfigFile("C:\\a.cfg", 0);
  CBonusConfig copy = config;
  copy.ParseConfigFile("C:\\a.cfg", 0);
  EXPECT_EQ(copy.m_saPackages.size(), 1u);
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

TEST_F(ConfigStore, DataBytes) {
  const struct {
    const char* name;
    plat::RegValue value;
    std::string expected;
  } cases[] = {
      {"Number", {plat::kRegDword, std::string("ABC\0", 4)}, "ABC"},
      {"Full", {plat::kRegSz, std::string(plat::kMaxPath, 'f')}, std::string(plat::kMaxPath, 'f')},
      {"Over", {plat::kRegSz, std::string(plat::kMaxPath, 'o') + std::string(1, '\0')}, ""},
      {"Multi", {plat::kRegMultiSz, std::string("one\0two\0\0", 9)}, "one"},
      {"", {plat::kRegSz, std::string("default\0", 8)}, "default"},
  };
  for (const auto& c : cases) {
    fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\D", c.name, c.value);
    EXPECT_EQ(config.ReadRegistryString("HKEY_LOCAL_MACHINE\\SOFTWARE\\D", c.name), c.expected) << c.name;
  }
  EXPECT_EQ(config.ReadRegistryString("HKEY_LOCAL_MACHINE\\SOFTWARE\\D", "Missing"), "");
}

class ConfigDrives : public ConfigStore {
 protected:
  void SetUp() override {
    fake.drives = {Drive{"A:\\", plat::kDriveRemovable, false},
                   Drive{"C:\\", plat::kDriveFixed, true, 40ull << 30, 5ull << 30},
                   Drive{"D:\\", plat::kDriveFixed, true, 1ull << 30, 300ull << 20},
                   Drive{"E:\\", plat::kDriveCdRom, false},
                   Drive{"F:\\", plat::kDriveRemote},
                   Drive{"G:\\", plat::kDriveRamDisk},
                   Drive{"H:\\", plat::kDriveUnknown},
                   Drive{"I:\\", plat::kDriveNoRootDir}};
  }
};

TEST_F(ConfigDrives, LettersByMask) {
  const struct {
    int mask;
    std::string letters;
  } cases[] = {{1, "CD"}, {9, "CDE"}, {0, "ACDEFGHI"}, {2, "A"}, {4, "F"},
               {8, "E"},  {16, "G"},  {31, "ACDEFG"},  {32, ""}};
  for (const auto& c : cases) EXPECT_EQ(config.GetDriveLetters(c.mask), c.letters) << c.mask;
}

TEST_F(ConfigDrives, LowerCaseRootsAndListsThatDoNotFitTheBuffer) {
  // Letters are upper-cased; an empty root ends the list.
  fake.drives = {Drive{"a:\\", plat::kDriveRemovable}, Drive{"z:\\", plat::kDriveFixed}, Drive{"", 0},
                 Drive{"y:\\", plat::kDriveFixed}};
  EXPECT_EQ(config.GetDriveLetters(1) + config.GetDriveLetters(0), "ZAZ");
  // Each root takes its length and a zero byte, the list one more zero byte:
  // five roots of 50 characters and "C:\" fill the 260 bytes exactly.
  fake.drives.clear();
  for (char letter : std::string("PQRST"))
    fake.drives.push_back(Drive{std::string(1, letter) + ":\\" + std::string(47, 'r'), plat::kDriveRemote});
  fake.drives.push_back(Drive{"C:\\", plat::kDriveFixed});
  EXPECT_EQ(config.GetDriveLetters(0), "PQRSTC");
  fake.drives.back().root += "x";
  EXPECT_EQ(config.GetDriveLetters(0), "");
}

TEST_F(ConfigDrives, DiskSpaceInKilobytes) {
  std::int64_t total = -1, free = -1;
  EXPECT_EQ(config.GetDiskSpaceKB('C', &total, &free), 0);
  EXPECT_EQ(free, 5242880);
  EXPECT_EQ(total, 41943040);
  config.GetDiskSpaceKB('C', nullptr, nullptr);  // absent outputs are skipped
  config.GetDiskSpaceKB('Q', &total, &free);     // an unknown drive leaves the outputs
  EXPECT_EQ(free, 5242880);
  // The old call's cluster arithmetic gives the same for a small drive.
  fake.hasDiskFreeSpaceEx = false;
  config.GetDiskSpaceKB('D', &total, &free);
  EXPECT_EQ(total, 1 << 20);
  EXPECT_EQ(free, 300 * 1024);
}

TEST_F(ConfigDrives, NoMediumLeavesTheOutputsAndRestoresTheErrorMode) {
  for (bool extended : {true, false}) {
    fake.hasDiskFreeSpaceEx = extended;
    fake.errorMode = 0x8000;
    fake.errorModeHistory.clear();
    fake.errorModeAtQuery.clear();
    std::int64_t total = 7, free = 9;
    EXPECT_EQ(config.GetDiskSpaceKB('E', &total, &free), 0);
    EXPECT_EQ(total + free, 16);
    EXPECT_EQ(fake.errorModeAtQuery, std::vector<std::uint32_t>{plat::kSemFailCriticalErrors});
    EXPECT_EQ(fake.errorModeHistory, (std::vector<std::uint32_t>{plat::kSemFailCriticalErrors, 0x8000}));
  }
}

// A system whose old free-space call reports clusters beyond 4 GiB in all.
TEST_F(ConfigStore, ClusterProductsAreFormedIn64Bits) {
  fake.hasDiskFreeSpaceEx = false;
  fake.drives = {Drive{"C:\\"}};
  fake.drives[0].clusters = plat::DiskFreeClusters{64, 512, 0x80000000u, 0xFFFFFFFFu};
  std::int64_t total = 0, free = 0;
  config.GetDiskSpaceKB('C', &total, &free);
  EXPECT_EQ(free, std::int64_t{0x80000000} * 32);
  EXPECT_EQ(total, std::int64_t{0xFFFFFFFF} * 32);
}

// A shell whose size text holds units above 0xFF.
TEST_F(ConfigStore, ByteSizeTakesTheLowByteOfEachUnitUpToTheFirstZero) {
  fake.byteSizeText = std::u16string(u"1,5\u00A0\u0141B\0tail", 10);
  EXPECT_EQ(config.FormatByteSize(1),
            "1,5\xA0"
            "AB");
}

// A shortcut path that does not fit the buffer is not written (its fields
// are held by BonusDlgSetUpTest).
TEST_F(ConfigStore, ShellLinkPathsThatDoNotFit) {
  const std::string folder = "C:\\" + std::string(240, 'f');
  fake.AddFolder(folder);
  const std::string fits = folder + "\\" + std::string(259 - folder.size() - 5, 'n') + ".lnk";
  config.CreateShellLink("C:\\t.exe", fits, "", "", 0, 1, "");
  EXPECT_TRUE(fake.LoadShellLink(fits));
  config.CreateShellLink("C:\\t.exe", fits + "k", "", "", 0, 1, "");
  EXPECT_FALSE(fake.LoadShellLink(fits + "k"));
}

}  // namespace
