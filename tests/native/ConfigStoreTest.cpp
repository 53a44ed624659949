// Locating and reading the configuration files, registry reads by key path,
// drive letters, disk space and shortcut files, and the store's path and
// list helpers. The golden disks (ConfigGoldenTest) hold the line grammar and
// whole stores; these cases hold what one dump cannot show.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using plat::RegRoot;
using Drive = plat::FakePlatform::Drive;

constexpr const char* kProgramDir = "C:\\Program Files\\Velmora";
constexpr const char* kProgramCfg = "C:\\Program Files\\Velmora\\VERavevi.cfg";

class ConfigStore : public ::testing::Test {
 protected:
  void ExpectOneBox(const std::string& text, const std::string& caption) {
    ASSERT_EQ(fake.boxes.size(), 1u) << text;
    const auto& box = fake.boxes[0];
    EXPECT_EQ(box.text + "|" + box.caption + "|" + std::to_string(box.owner + box.type),
              text + "|" + caption + "|" + std::to_string(plat::kMbOk | plat::kMbIconStop));
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
  // A section is not read from a missing file, not even a remembered key; the
  // fuzz_section_reader corpus holds the reads of files that exist.
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\X", "V", "lm");
  config.m_sRegKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\X";
  config.m_sRegValue = "V";
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.cfg", "[S]"), "");
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.ini", "[S]"), "");
  ExpectOneBox("Error: C:\\none.ini doesn't exist.", "Velmora Bonus Software Installer");
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

TEST_F(ConfigStore, FileExists) {
  fake.AddFile("C:\\f\\a.txt");
  EXPECT_TRUE(config.FileExists("C:\\f\\a.txt", true, "Cap"));
  EXPECT_FALSE(config.FileExists("C:\\f\\b.txt", false, "Cap"));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_FALSE(config.FileExists("C:\\f", true, "Cap"));  // a folder is no file
  ExpectOneBox("Error: C:\\f doesn't exist.", "Cap");
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

TEST_F(ConfigStore, KeyPaths) {
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\X", "V", "lm");
  fake.SetRegString(RegRoot::CurrentUser, "Software\\X", "V", "cu");
  fake.SetRegString(RegRoot::ClassesRoot, ".abc", "V", "cr");
  fake.SetRegString(RegRoot::Users, ".DEFAULT\\X", "V", "us");
  fake.SetRegString(RegRoot::LocalMachine, "HKLM\\SOFTWARE\\X", "V", "no abbreviation");
  fake.SetRegString(RegRoot::LocalMachine, "HKEY_LOCAL_MACHINESOFTWARE\\X", "V", "no root");
  fake.SetRegString(RegRoot::LocalMachine, "Y_LOCAL_MACHINE\\SOFTWARE\\X", "V", "cut by length");
  fake.SetRegString(RegRoot::Users, "LOCAL_MACHINE\\X", "V", "users");
  fake.SetRegString(RegRoot::Users, "S\\X", "V", "moved");
  const struct {
    std::string keyPath;
    std::string expected;
  } cases[] = {
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "lm"},
      {"HKEY_CURRENT_USER\\Software\\X", "cu"},
      {"HKEY_CLASSES_ROOT\\.abc", "cr"},
      {"HKEY_USERS\\.DEFAULT\\X", "us"},
      {"  \t HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "lm"},
      {"HKLM\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINESOFTWARE\\X", ""},
      {"hkey_local_machine\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Missing", ""},
      {"", ""},
      // A root name further in still chooses the root; the cut is by its length.
      {"HKEY_USERS\\HKEY_LOCAL_MACHINE\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINE\\HKEY_USERS\\.DEFAULT\\X", ""},
      {"abcdHKEY_LOCAL_MACHINE\\SOFTWARE\\X", ""},
      {std::string(16, 'x') + "HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "cut by length"},
      {"HKEY_USERS\\LOCAL_MACHINE\\X", "users"},  // the first eleven characters go
      {"xyHKEY_USERS\\X", "moved"},
      {"HKEY_CLASSES_ROOT", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(config.ReadRegistryString(c.keyPath, "V"), c.expected) << c.keyPath;
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
