// Folders, the program's path, files, short names, the current folder and
// environment expansion.
#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using FoldersContract = ContractTest;
using FilesContract = ContractTest;

TEST_F(FoldersContract, SystemFoldersAreAbsoluteExistingFoldersWithoutTrailingSeparator) {
  for (const std::string& folder : {P().WindowsDirectory(), P().SystemDirectory()}) {
    SCOPED_TRACE(folder);
    EXPECT_TRUE(IsAbsoluteWithoutTrailingSeparator(folder));
    EXPECT_GT(folder.size(), 3u);
    auto attributes = P().GetFileAttributes(folder);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_TRUE(attributes->directory);
  }
}

TEST_F(FoldersContract, ModulePathIsTheExistingProgramFile) {
  const std::string module = P().ModulePath();
  EXPECT_TRUE(IsAbsoluteWithoutTrailingSeparator(module)) << module;
  EXPECT_EQ(Lowered(module.substr(module.size() - 4)), ".exe") << module;
  auto attributes = P().GetFileAttributes(module);
  ASSERT_TRUE(attributes.has_value()) << module;
  EXPECT_FALSE(attributes->directory);
}

TEST_F(FilesContract, AttributesTellFilesFromFoldersAndMissingPaths) {
  Env().WriteFile(InScratch("A.TXT"), "a");
  Env().MakeFolder(InScratch("SUB"));

  auto file = P().GetFileAttributes(InScratch("A.TXT"));
  ASSERT_TRUE(file.has_value());
  EXPECT_FALSE(file->directory);
  auto folder = P().GetFileAttributes(InScratch("SUB"));
  ASSERT_TRUE(folder.has_value());
  EXPECT_TRUE(folder->directory);
  auto folderWithSeparator = P().GetFileAttributes(InScratch("SUB\\"));
  ASSERT_TRUE(folderWithSeparator.has_value());
  EXPECT_TRUE(folderWithSeparator->directory);

  EXPECT_FALSE(P().GetFileAttributes(InScratch("MISSING.TXT")).has_value());
  EXPECT_FALSE(P().GetFileAttributes(InScratch("MISSING\\A.TXT")).has_value());
  EXPECT_FALSE(P().GetFileAttributes("").has_value());
}

TEST_F(FilesContract, PathsFollowTheSystemsNormalisation) {
  Env().WriteFile(InScratch("A.TXT"), "a");
  Env().MakeFolder(InScratch("SUB"));
  // Letter case, forward slashes, doubled separators, "." and "..", and
  // trailing dots or blanks of the last component do not matter...
  EXPECT_TRUE(P().GetFileAttributes(Lowered(InScratch("A.TXT"))).has_value());
  std::string slashed = InScratch("A.TXT");
  for (char& c : slashed)
    if (c == '\\') c = '/';
  EXPECT_TRUE(P().GetFileAttributes(slashed).has_value());
  EXPECT_TRUE(P().GetFileAttributes(Env().Scratch() + "\\\\A.TXT").has_value());
  EXPECT_TRUE(P().GetFileAttributes(InScratch("SUB\\..\\.\\A.TXT")).has_value());
  EXPECT_TRUE(P().GetFileAttributes(InScratch("A.TXT.")).has_value());
  EXPECT_TRUE(P().GetFileAttributes(InScratch("A.TXT ")).has_value());
  // ...but a file named with a separator after it is not found.
  EXPECT_FALSE(P().GetFileAttributes(InScratch("A.TXT\\")).has_value());
}

TEST_F(FilesContract, ReadFileBytesGivesExactlyTheBytes) {
  const std::string cases[] = {
      std::string("line one\r\nline two\r\n"),
      std::string("unix\nlines\n"),
      std::string("nul\0inside\0", 11),
      std::string("no end of line"),
      std::string(70000, 'x') + "\r\n" + std::string(3, '\0'),
      std::string(),
  };
  int n = 0;
  for (const std::string& content : cases) {
    const std::string path = InScratch("F" + std::to_string(n++) + ".BIN");
    Env().WriteFile(path, content);
    std::string bytes = "stale";
    ASSERT_TRUE(P().ReadFileBytes(path, bytes)) << path;
    EXPECT_EQ(bytes, content) << path;
  }
}

TEST_F(FilesContract, ReadFileBytesFailsForFoldersAndMissingFilesAndEmptiesTheResult) {
  Env().MakeFolder(InScratch("SUB"));
  for (const std::string& path : {InScratch("SUB"), InScratch("MISSING.TXT"), std::string()}) {
    std::string bytes = "stale";
    EXPECT_FALSE(P().ReadFileBytes(path, bytes)) << path;
    EXPECT_TRUE(bytes.empty()) << path;
  }
}

TEST_F(FilesContract, DeleteFileRemovesAFileOnly) {
  Env().WriteFile(InScratch("A.TXT"), "a");
  Env().MakeFolder(InScratch("SUB"));

  EXPECT_TRUE(P().DeleteFile(InScratch("A.TXT")));
  EXPECT_FALSE(Env().PathExists(InScratch("A.TXT")));
  EXPECT_FALSE(P().DeleteFile(InScratch("A.TXT")));
  EXPECT_FALSE(P().DeleteFile(InScratch("SUB")));
  EXPECT_TRUE(Env().PathExists(InScratch("SUB")));
}

TEST_F(FilesContract, ShortPathNameOfAnExistingFileNamesThatFile) {
  Env().WriteFile(InScratch("SHORT.TXT"), "short");
  Env().WriteFile(InScratch("A Long File Name.text"), "long");

  // A path that is short already comes back as it is.
  EXPECT_EQ(P().ShortPathName(InScratch("SHORT.TXT")), InScratch("SHORT.TXT"));

  const std::string shortForm = P().ShortPathName(InScratch("A Long File Name.text"));
  ASSERT_FALSE(shortForm.empty());
  std::string bytes;
  ASSERT_TRUE(P().ReadFileBytes(shortForm, bytes)) << shortForm;
  EXPECT_EQ(bytes, "long");
}

TEST_F(FilesContract, ShortPathNameOfAMissingFileIsEmpty) {
  EXPECT_EQ(P().ShortPathName(InScratch("MISSING.TXT")), "");
  EXPECT_EQ(P().ShortPathName(InScratch("MISSING\\A.TXT")), "");
}

class CurrentDirectoryContract : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    saved_ = P().CurrentDirectory();
  }
  void TearDown() override {
    P().SetCurrentDirectory(saved_);
    ContractTest::TearDown();
  }

 private:
  std::string saved_;
};

TEST_F(CurrentDirectoryContract, SetThenReadGivesTheFullPathWithoutTrailingSeparator) {
  Env().MakeFolder(InScratch("SUB"));
  ASSERT_TRUE(P().SetCurrentDirectory(Env().Scratch()));
  EXPECT_EQ(P().CurrentDirectory(), Env().Scratch());

  ASSERT_TRUE(P().SetCurrentDirectory(InScratch("SUB\\")));
  EXPECT_EQ(P().CurrentDirectory(), InScratch("SUB"));

  ASSERT_TRUE(P().SetCurrentDirectory(".."));
  EXPECT_EQ(P().CurrentDirectory(), Env().Scratch());

  // A relative path is taken from the current folder and keeps its case.
  ASSERT_TRUE(P().SetCurrentDirectory("sub"));
  EXPECT_EQ(P().CurrentDirectory(), InScratch("sub"));
}

TEST_F(CurrentDirectoryContract, RelativePathsAreTakenFromTheCurrentFolder) {
  Env().WriteFile(InScratch("A.TXT"), "relative");
  ASSERT_TRUE(P().SetCurrentDirectory(Env().Scratch()));
  std::string bytes;
  EXPECT_TRUE(P().ReadFileBytes("A.TXT", bytes));
  EXPECT_EQ(bytes, "relative");
  EXPECT_TRUE(P().GetFileAttributes(".\\A.TXT").has_value());
}

TEST_F(CurrentDirectoryContract, SettingAMissingFolderOrAFileFailsAndKeepsTheCurrentOne) {
  Env().WriteFile(InScratch("A.TXT"), "a");
  ASSERT_TRUE(P().SetCurrentDirectory(Env().Scratch()));
  EXPECT_FALSE(P().SetCurrentDirectory(InScratch("MISSING")));
  EXPECT_FALSE(P().SetCurrentDirectory(InScratch("A.TXT")));
  EXPECT_EQ(P().CurrentDirectory(), Env().Scratch());
}

TEST_F(FilesContract, ExpandEnvironmentStringsReplacesSetVariablesAndKeepsUnknownOnes) {
  const std::string set = "VELMORA_CONTRACT_SET";
  const std::string unknown = "VELMORA_CONTRACT_UNKNOWN_" + Env().UniqueName();
  Env().SetEnvironmentVariable(set, "C:\\Set Value");

  struct Case {
    std::string text;
    std::string expanded;
  };
  const Case cases[] = {
      {"%" + set + "%\\setup.exe", "C:\\Set Value\\setup.exe"},
      {"a%" + set + "%b%" + set + "%c", "aC:\\Set ValuebC:\\Set Valuec"},
      {"%velmora_contract_set%", "C:\\Set Value"},  // names compare without case
      {"%" + unknown + "%", "%" + unknown + "%"},
      // An unknown name stays with both its "%"; the scan goes on after
      // the second, which therefore opens nothing.
      {"a%" + unknown + "%" + set + "%b", "a%" + unknown + "%" + set + "%b"},
      {"%" + unknown + "%%" + set + "%", "%" + unknown + "%C:\\Set Value"},
      {"x%%" + set + "%%y", "x%%" + set + "%%y"},
      {"100%", "100%"},
      {"%" + set, "%" + set},
      {"", ""},
      {std::string(600, 'p') + "%" + set + "%", std::string(600, 'p') + "C:\\Set Value"},
  };
  for (const Case& c : cases) {
    auto expanded = P().ExpandEnvironmentStrings(c.text);
    ASSERT_TRUE(expanded.has_value()) << c.text;
    EXPECT_EQ(*expanded, c.expanded) << c.text;
  }
}

}  // namespace
}  // namespace contract
