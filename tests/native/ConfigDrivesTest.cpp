// Drive letters, disk space, byte-size text and shortcut files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using Drive = plat::FakePlatform::Drive;

class ConfigDrives : public ::testing::Test {
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
  plat::FakePlatform fake;
  CBonusConfig config{fake};
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
TEST(ConfigClusters, ProductsAreFormedIn64Bits) {
  plat::FakePlatform machine;
  machine.hasDiskFreeSpaceEx = false;
  machine.drives = {Drive{"C:\\"}};
  machine.drives[0].clusters = plat::DiskFreeClusters{64, 512, 0x80000000u, 0xFFFFFFFFu};
  CBonusConfig config(machine);
  std::int64_t total = 0, free = 0;
  config.GetDiskSpaceKB('C', &total, &free);
  EXPECT_EQ(free, std::int64_t{0x80000000} * 32);
  EXPECT_EQ(total, std::int64_t{0xFFFFFFFF} * 32);
}

// A shell whose size text holds units above 0xFF.
TEST(ConfigByteSize, LowByteOfEachUnitUpToTheFirstZero) {
  plat::FakePlatform shell;
  shell.byteSizeText = std::u16string(u"1,5\u00A0\u0141B\0tail", 10);
  CBonusConfig config(shell);
  EXPECT_EQ(config.FormatByteSize(1),
            "1,5\xA0"
            "AB");
}

// The tray's own shortcut (its usual fields, replacement, silent failure) is
// held by MainFrameTest.
TEST_F(ConfigDrives, ShellLinks) {
  fake.AddFolder("C:\\Q");
  config.CreateShellLink("C:\\Q\\Other.exe", "C:\\Q\\x.lnk", "C:\\W", "C:\\Q\\icon.ico", 3, 7, "-a");
  const auto saved = fake.LoadShellLink("C:\\Q\\x.lnk");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->target + "|" + saved->workingDir + "|" + saved->iconPath + "|" + saved->arguments,
            "C:\\Q\\Other.exe|C:\\W|C:\\Q\\icon.ico|-a");
  EXPECT_EQ(saved->iconIndex * 10 + saved->showCommand, 37);
  // A shortcut path that does not fit the buffer is not written.
  const std::string folder = "C:\\" + std::string(240, 'f');
  fake.AddFolder(folder);
  const std::string fits = folder + "\\" + std::string(259 - folder.size() - 5, 'n') + ".lnk";
  config.CreateShellLink("C:\\t.exe", fits, "", "", 0, 1, "");
  EXPECT_TRUE(fake.LoadShellLink(fits));
  config.CreateShellLink("C:\\t.exe", fits + "k", "", "", 0, 1, "");
  EXPECT_FALSE(fake.LoadShellLink(fits + "k"));
}

}  // namespace
