// Processes, sounds, icons, version resources and libraries.
#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using ProgramsContract = ContractTest;

// A 16 by 16 icon file with one 32-bit image.
std::string IconFileBytes() {
  auto put16 = [](std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
  };
  auto put32 = [&](std::string& s, unsigned v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
  };
  const unsigned pixels = 16 * 16 * 4;
  const unsigned mask = 16 * 4;
  const unsigned image = 40 + pixels + mask;
  std::string bytes;
  put16(bytes, 0);
  put16(bytes, 1);  // an icon
  put16(bytes, 1);  // one image
  bytes.push_back(16);
  bytes.push_back(16);
  bytes.push_back(0);
  bytes.push_back(0);
  put16(bytes, 1);
  put16(bytes, 32);
  put32(bytes, image);
  put32(bytes, 6 + 16);
  put32(bytes, 40);
  put32(bytes, 16);
  put32(bytes, 32);  // image and mask
  put16(bytes, 1);
  put16(bytes, 32);
  put32(bytes, 0);
  put32(bytes, pixels + mask);
  put32(bytes, 0);
  put32(bytes, 0);
  put32(bytes, 0);
  put32(bytes, 0);
  for (unsigned i = 0; i < 16 * 16; ++i) put32(bytes, 0xFF2060C0u);
  bytes.append(mask, '\0');
  return bytes;
}

TEST_F(ProgramsContract, CreateProcessOfAMissingFileOrAFolderFails) {
  Env().MakeFolder(InScratch("SUB"));
  EXPECT_FALSE(P().CreateProcess(InScratch("MISSING.EXE")));
  EXPECT_FALSE(P().CreateProcess(InScratch("SUB")));
}

TEST_F(ProgramsContract, PlaySoundOfAFileThatCannotBePlayed) {
  Env().WriteFile(InScratch("TEXT.WAV"), "not a wave file");
  const std::uint32_t flags = plat::kSndFilename | plat::kSndNoDefault;
  EXPECT_FALSE(P().PlaySound(InScratch("MISSING.WAV"), flags));
  EXPECT_FALSE(P().PlaySound(InScratch("TEXT.WAV"), flags));
  // Played asynchronously the call returns at once, before the file is
  // looked at.
  EXPECT_TRUE(P().PlaySound(InScratch("MISSING.WAV"), flags | plat::kSndAsync));
}

TEST_F(ProgramsContract, ExtractIconFromAnIconFileOnly) {
  Env().WriteFile(InScratch("APP.ICO"), IconFileBytes());
  Env().WriteFile(InScratch("TEXT.TXT"), "no icon here");
  EXPECT_NE(P().ExtractIcon(InScratch("APP.ICO"), 0), 0u);
  EXPECT_EQ(P().ExtractIcon(InScratch("APP.ICO"), 1), 0u);
  EXPECT_EQ(P().ExtractIcon(InScratch("TEXT.TXT"), 0), 0u);
  EXPECT_EQ(P().ExtractIcon(InScratch("MISSING.ICO"), 0), 0u);
}

TEST_F(ProgramsContract, FileProductVersionOfAFileWithoutVersionIsNothing) {
  Env().WriteFile(InScratch("PLAIN.DLL"), "no version resource");
  EXPECT_FALSE(P().FileProductVersion(InScratch("PLAIN.DLL")).has_value());
  EXPECT_FALSE(P().FileProductVersion(InScratch("MISSING.DLL")).has_value());
}

TEST_F(ProgramsContract, FileProductVersionOfASystemFile) {
  auto version = P().FileProductVersion(Env().VersionedSystemFile());
  ASSERT_TRUE(version.has_value()) << Env().VersionedSystemFile();
  EXPECT_GT(version->major, 0);
}

TEST_F(ProgramsContract, LoadLibraryOfAMissingFileGivesNothing) {
  EXPECT_EQ(P().LoadLibrary(InScratch("MISSING.DLL")), 0u);
  EXPECT_EQ(P().LoadLibrary("VelmoraNoSuchLibrary.dll"), 0u);
  EXPECT_EQ(P().GetProcAddress(0, "Install"), 0u);
}

}  // namespace
}  // namespace contract
