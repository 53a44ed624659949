// Shortcut files written and read back through the shell's link object.
#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

class ShellLinkContract : public ContractTest {
 protected:
  // The fields a StartUp shortcut of the program has, on files that exist.
  plat::ShellLinkFields Fields() {
    Env().MakeFolder(InScratch("PROGRAM"));
    Env().WriteFile(InScratch("PROGRAM\\VERAVEVI.EXE"), "MZ");
    plat::ShellLinkFields fields;
    fields.target = InScratch("PROGRAM\\VERAVEVI.EXE");
    fields.workingDir = InScratch("PROGRAM");
    fields.iconPath = InScratch("PROGRAM\\VERAVEVI.EXE");
    fields.iconIndex = 0;
    fields.showCommand = 1;
    fields.arguments = "0";
    return fields;
  }
};

void ExpectSameFields(const plat::ShellLinkFields& actual, const plat::ShellLinkFields& expected) {
  EXPECT_EQ(Lowered(actual.target), Lowered(expected.target));
  EXPECT_EQ(Lowered(actual.workingDir), Lowered(expected.workingDir));
  EXPECT_EQ(Lowered(actual.iconPath), Lowered(expected.iconPath));
  EXPECT_EQ(actual.iconIndex, expected.iconIndex);
  EXPECT_EQ(actual.showCommand, expected.showCommand);
  EXPECT_EQ(actual.arguments, expected.arguments);
}

TEST_F(ShellLinkContract, SavedFieldsLoadBack) {
  const plat::ShellLinkFields fields = Fields();
  const std::string link = InScratch("VERavevi.lnk");
  ASSERT_TRUE(P().SaveShellLink(fields, link));
  EXPECT_TRUE(Env().PathExists(link));

  auto loaded = P().LoadShellLink(link);
  ASSERT_TRUE(loaded.has_value());
  ExpectSameFields(*loaded, fields);
}

TEST_F(ShellLinkContract, OtherIconIndexShowCommandAndArgumentsLoadBack) {
  plat::ShellLinkFields fields = Fields();
  fields.iconIndex = 3;
  fields.showCommand = 7;  // minimised, not active
  fields.arguments = "/s \"C:\\A Folder\\x.cfg\" -q";
  fields.workingDir.clear();
  const std::string link = InScratch("Other.lnk");
  ASSERT_TRUE(P().SaveShellLink(fields, link));
  auto loaded = P().LoadShellLink(link);
  ASSERT_TRUE(loaded.has_value());
  ExpectSameFields(*loaded, fields);
}

TEST_F(ShellLinkContract, SavingAgainOverwritesTheShortcut) {
  plat::ShellLinkFields first = Fields();
  const std::string link = InScratch("VERaveviTrayIcon.lnk");
  ASSERT_TRUE(P().SaveShellLink(first, link));

  plat::ShellLinkFields second = first;
  Env().WriteFile(InScratch("PROGRAM\\OTHER.EXE"), "MZ");
  second.target = InScratch("PROGRAM\\OTHER.EXE");
  second.arguments = "1";
  second.iconIndex = 1;
  ASSERT_TRUE(P().SaveShellLink(second, link));

  auto loaded = P().LoadShellLink(link);
  ASSERT_TRUE(loaded.has_value());
  ExpectSameFields(*loaded, second);
}

TEST_F(ShellLinkContract, SavingIntoAMissingFolderFailsAndLeavesNoFile) {
  const std::string link = InScratch("MISSING\\VERavevi.lnk");
  EXPECT_FALSE(P().SaveShellLink(Fields(), link));
  EXPECT_FALSE(Env().PathExists(link));
  EXPECT_FALSE(Env().PathExists(InScratch("MISSING")));
}

TEST_F(ShellLinkContract, LoadingAMissingOrForeignFileGivesNothing) {
  EXPECT_FALSE(P().LoadShellLink(InScratch("MISSING.LNK")).has_value());
  Env().WriteFile(InScratch("TEXT.LNK"), "not a shortcut");
  EXPECT_FALSE(P().LoadShellLink(InScratch("TEXT.LNK")).has_value());
}

TEST_F(ShellLinkContract, DeletedShortcutCannotBeLoaded) {
  const std::string link = InScratch("GONE.LNK");
  ASSERT_TRUE(P().SaveShellLink(Fields(), link));
  ASSERT_TRUE(P().DeleteFile(link));
  EXPECT_FALSE(P().LoadShellLink(link).has_value());
}

}  // namespace
}  // namespace contract
