// Folders, the program's path, files, short names, the current folder and
// environment expansion.
#include <algorithm>
#include <vector>

#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using FilesContract = ContractTest;

TEST_F(FilesContract, SystemFoldersAndTheModuleAreAbsoluteExistingPaths) {
  const std::string module = P().ModulePath();
  const std::pair<std::string, bool> paths[] = {
      {P().WindowsDirectory(), true}, {P().SystemDirectory(), true}, {module, false}};
  for (const auto& [path, folder] : paths) {
    // Absolute on a drive, without a trailing separator.
    EXPECT_TRUE(path.size() > 3 && path.substr(1, 2) == ":\\" && path.back() != '\\') << path;
    auto attributes = P().GetFileAttributes(path);
    ASSERT_TRUE(attributes.has_value()) << path;
    EXPECT_EQ(attributes->directory, folder) << path;
  }
}

TEST_F(FilesContract, AttributesFollowTheSystemsPathNormalisationAndDeleteRemovesFilesOnly) {
  Env().WriteFile(InScratch("A.TXT"), "a");
  Env().MakeFolder(InScratch("SUB"));
  std::string slashed = InScratch("A.TXT");
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  enum Found { kNothing, kFile, kFolder };
  // Letter case, forward slashes, doubled separators, "." and "..", and
  // trailing dots or blanks of the last component do not matter; a file
  // named with a separator after it is not found.
  const std::pair<Found, std::vector<std::string>> cases[] = {
      {kFile,
       {Lowered(InScratch("A.TXT")), slashed, Env().Scratch() + "\\\\A.TXT", InScratch("SUB\\..\\.\\A.TXT"),
        InScratch("A.TXT.")}},
      {kFolder, {InScratch("SUB"), InScratch("SUB\\")}},
      {kNothing, {InScratch("MISSING\\A.TXT"), "", InScratch("A.TXT\\")}}};
  for (const auto& [found, paths] : cases) {
    for (const std::string& path : paths) {
      auto attributes = P().GetFileAttributes(path);
      EXPECT_EQ(attributes.has_value(), found != kNothing) << "'" << path << "'";
      if (attributes) {
        EXPECT_EQ(attributes->directory, found == kFolder) << path;
      }
    }
  }
  // Deleting removes a file only.
  EXPECT_TRUE(P().DeleteFile(InScratch("A.TXT")));
  EXPECT_FALSE(Env().PathExists(InScratch("A.TXT")));
  EXPECT_FALSE(P().DeleteFile(InScratch("A.TXT")));
  EXPECT_FALSE(P().DeleteFile(InScratch("SUB")));
  EXPECT_TRUE(Env().PathExists(InScratch("SUB")));
}

TEST_F(FilesContract, ReadFileBytesGivesExactlyTheBytesOrFailsWithNoneAlsoByShortName) {
  const std::string contents[] = {std::string(70000, 'x') + "\r\n" + std::string(3, '\0'), ""};
  for (std::size_t n = 0; n < std::size(contents); ++n) {
    const std::string path = InScratch("F" + std::to_string(n) + ".BIN");
    Env().WriteFile(path, contents[n]);
    std::string bytes = "stale";
    ASSERT_TRUE(P().ReadFileBytes(path, bytes)) << path;
    EXPECT_EQ(bytes, contents[n]) << path;
  }
  Env().MakeFolder(InScratch("SUB"));
  for (const std::string& path : {InScratch("SUB"), InScratch("MISSING.TXT")}) {
    std::string bytes = "stale";
    EXPECT_FALSE(P().ReadFileBytes(path, bytes)) << path;
    EXPECT_TRUE(bytes.empty()) << path;
  }
  // A short name names the file; one short already comes back as it is.
  Env().WriteFile(InScratch("A Long File Name.text"), "long");
  const std::string shortForm = P().ShortPathName(InScratch("A Long File Name.text"));
  std::string bytes;
  ASSERT_TRUE(P().ReadFileBytes(shortForm, bytes)) << shortForm;
  EXPECT_EQ(bytes, "long");
  EXPECT_EQ(P().ShortPathName(InScratch("F0.BIN")), InScratch("F0.BIN"));
  EXPECT_EQ(P().ShortPathName(InScratch("MISSING\\A.TXT")), "");
}

TEST_F(FilesContract, CurrentFolderIsAFullPathWithoutTrailingSeparatorAndResolvesRelativePaths) {
  Env().MakeFolder(InScratch("SUB"));
  Env().WriteFile(InScratch("A.TXT"), "relative");
  // A relative path is taken from the current folder and keeps its case.
  const std::pair<std::string, const char*> moves[] = {
      {InScratch("SUB\\"), "\\SUB"}, {"..", ""}, {"sub", "\\sub"}, {"..", ""}};
  for (const auto& [to, now] : moves) {
    ASSERT_TRUE(P().SetCurrentDirectory(to)) << to;
    EXPECT_EQ(P().CurrentDirectory(), Env().Scratch() + now) << to;
  }
  std::string bytes;
  EXPECT_TRUE(P().ReadFileBytes("A.TXT", bytes));
  EXPECT_EQ(bytes, "relative");
  // A missing folder or a file fails and keeps the current folder.
  EXPECT_FALSE(P().SetCurrentDirectory(InScratch("MISSING")));
  EXPECT_FALSE(P().SetCurrentDirectory(InScratch("A.TXT")));
  EXPECT_EQ(P().CurrentDirectory(), Env().Scratch());
}

TEST_F(FilesContract, ExpandEnvironmentStringsReplacesSetVariablesAndKeepsUnknownOnes) {
  const std::string set = "VELMORA_CONTRACT_SET";
  const std::string unknown = "VELMORA_CONTRACT_UNKNOWN_" + Env().UniqueName();
  const std::string value = "C:\\Set Value";
  Env().SetEnvironmentVariable(set, value);
  // Names compare without case. An unknown name stays with both its "%";
  // the scan goes on after the second, which therefore opens nothing.
  const std::pair<std::string, std::string> cases[] = {
      {"%" + set + "%\\setup.exe", value + "\\setup.exe"},
      {"%velmora_contract_set%", value},
      {"%" + unknown + "%", "%" + unknown + "%"},
      {"a%" + unknown + "%" + set + "%b", "a%" + unknown + "%" + set + "%b"},
      {"%" + unknown + "%%" + set + "%", "%" + unknown + "%" + value},
      {"x%%" + set + "%%y", "x%%" + set + "%%y"},
      {"100%", "100%"},
      {std::string(600, 'p') + "%" + set + "%", std::string(600, 'p') + value}};
  for (const auto& [text, expanded] : cases) EXPECT_EQ(P().ExpandEnvironmentStrings(text), expanded) << text;
}

}  // namespace
}  // namespace contract
