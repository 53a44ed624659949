// Processes, sounds, icons and libraries.
#include <utility>

#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using ProgramsContract = ContractTest;

// A 16 by 16 icon file with one 32-bit image: the directory, its one entry,
// then the image's header (of twice the height: image and mask), pixels and
// mask.
std::string IconFileBytes() {
  const unsigned pixels = 16 * 16 * 4, mask = 16 * 4, image = 40 + pixels + mask;
  const std::pair<unsigned, int> fields[] = {
      {0, 2},      {1, 2},  {1, 2},  {16, 1}, {16, 1}, {0, 2},  {1, 2}, {32, 2},           {image, 4},
      {6 + 16, 4}, {40, 4}, {16, 4}, {32, 4}, {1, 2},  {32, 2}, {0, 4}, {pixels + mask, 4}};
  std::string bytes;
  for (const auto& [value, size] : fields)
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  bytes.append(16, '\0');
  for (unsigned i = 0; i < 16 * 16; ++i) bytes.append("\xC0\x60\x20\xFF", 4);
  return bytes.append(mask, '\0');
}

TEST_F(ProgramsContract, MissingAndForeignFilesGiveNothing) {
  Env().WriteFile(InScratch("TEXT.WAV"), "not a wave file");
  EXPECT_FALSE(P().CreateProcess(InScratch("MISSING.EXE")));
  const std::uint32_t sound = plat::kSndFilename | plat::kSndNoDefault;
  EXPECT_FALSE(P().PlaySound(InScratch("MISSING.WAV"), sound));
  EXPECT_FALSE(P().PlaySound(InScratch("TEXT.WAV"), sound));
  // Played asynchronously the call returns at once, before the file is
  // looked at.
  EXPECT_TRUE(P().PlaySound(InScratch("MISSING.WAV"), sound | plat::kSndAsync));
  EXPECT_EQ(P().LoadLibrary("VelmoraNoSuchLibrary.dll"), 0u);
}

TEST_F(ProgramsContract, IconsComeFromIconFiles) {
  Env().WriteFile(InScratch("APP.ICO"), IconFileBytes());
  Env().WriteFile(InScratch("TEXT.TXT"), "no icon here");
  EXPECT_NE(P().ExtractIcon(InScratch("APP.ICO"), 0), 0u);
  EXPECT_EQ(P().ExtractIcon(InScratch("APP.ICO"), 1), 0u);
  EXPECT_EQ(P().ExtractIcon(InScratch("TEXT.TXT"), 0), 0u);
}

}  // namespace
}  // namespace contract
