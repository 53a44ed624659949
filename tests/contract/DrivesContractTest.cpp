// Drives, free space, the error mode and the shell's byte-size text.
#include <algorithm>
#include <utility>

#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using DrivesContract = ContractTest;

TEST_F(DrivesContract, DriveCIsFixedAndALetterNotListedHasNoRoot) {
  const auto roots = P().LogicalDriveRoots();
  EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
  for (const std::string& root : roots) EXPECT_TRUE(root.size() == 3 && root.substr(1) == ":\\") << root;
  for (const char* c : {"C:\\", "c:\\", "C:"}) EXPECT_EQ(P().DriveType(c), plat::kDriveFixed) << c;

  std::string unused;
  for (char letter = 'Y'; letter >= 'D' && unused.empty(); --letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (std::find(roots.begin(), roots.end(), root) == roots.end()) unused = root;
  }
  ASSERT_FALSE(unused.empty());
  EXPECT_EQ(P().DriveType(unused), plat::kDriveNoRootDir);
  plat::DiskFreeEx ex;
  EXPECT_FALSE(P().DiskFreeSpaceEx(unused, ex));
}

TEST_F(DrivesContract, FreeSpaceOfDriveCAgreesBetweenTheTwoCalls) {
  ASSERT_TRUE(P().HasDiskFreeSpaceEx());
  plat::DiskFreeEx ex;
  ASSERT_TRUE(P().DiskFreeSpaceEx("C:\\", ex));
  EXPECT_LE(ex.totalFreeBytes, ex.totalBytes);
  EXPECT_LE(ex.availableToCaller, ex.totalFreeBytes);
  plat::DiskFreeClusters clusters;
  ASSERT_TRUE(P().DiskFreeSpace("C:\\", clusters));
  const std::uint64_t cluster = std::uint64_t{clusters.bytesPerSector} * clusters.sectorsPerCluster;
  ASSERT_GT(cluster, 0u);
  // Cluster counts are 32-bit: the old call reports everything up to that
  // limit (no cap at 2 GB), and the limit beyond it.
  auto expected = [&](std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(bytes / cluster, 0xFFFFFFFFull));
  };
  EXPECT_EQ(static_cast<std::int64_t>(clusters.totalClusters), expected(ex.totalBytes));
}

TEST_F(DrivesContract, SetErrorModeReturnsThePreviousMode) {
  const std::uint32_t original = P().SetErrorMode(plat::kSemFailCriticalErrors);
  EXPECT_EQ(P().SetErrorMode(0), plat::kSemFailCriticalErrors);
  EXPECT_EQ(P().SetErrorMode(original), 0u);
}

TEST_F(DrivesContract, FormatByteSizeWGivesTheShellsShortSizeText) {
  // From 1000 GB on the bytes below a whole MB are dropped first, so
  // 1110506744054, a little above 1.01 TB, shows as 1.00 TB. Counts below
  // 1024 are shown as a 32-bit number.
  // clang-format off
  const std::pair<std::int64_t, const char*> cases[] = {
      {1023, "1023 bytes"}, {1024, "1.00 KB"}, {2047, "1.99 KB"}, {10239, "9.99 KB"}, {102400, "100 KB"},
      {1023999, "999 KB"}, {1024000, "0.97 MB"}, {1073741824, "1.00 GB"}, {1110506744054, "1.00 TB"},
      {1125899906842624, "1.00 PB"}, {9223372036854775807, "7.99 EB"}, {-1, "-1 bytes"},
      {-5368709120, "-1073741824 bytes"}, {-2147483649, "2147483647 bytes"}};
  // clang-format on
  for (const auto& [bytes, text] : cases) {
    std::string narrow;
    for (char16_t c : P().FormatByteSizeW(bytes)) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    EXPECT_EQ(narrow, text) << bytes;
  }
}

}  // namespace
}  // namespace contract
