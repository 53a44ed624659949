// Shortcut files written and read back through the shell's link object.
#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using ShellLinkContract = ContractTest;

void ExpectSameFields(const std::optional<plat::ShellLinkFields>& actual,
                      const plat::ShellLinkFields& expected) {
  ASSERT_TRUE(actual.has_value());
  EXPECT_EQ(Lowered(actual->target), Lowered(expected.target));
  EXPECT_EQ(Lowered(actual->workingDir), Lowered(expected.workingDir));
  EXPECT_EQ(Lowered(actual->iconPath), Lowered(expected.iconPath));
  EXPECT_EQ(actual->iconIndex, expected.iconIndex);
  EXPECT_EQ(actual->showCommand, expected.showCommand);
  EXPECT_EQ(actual->arguments, expected.arguments);
}

TEST_F(ShellLinkContract, SavedFieldsLoadBackAndSavingAgainOverwrites) {
  Env().MakeFolder(InScratch("PROGRAM"));
  Env().WriteFile(InScratch("PROGRAM\\VERAVEVI.EXE"), "MZ");
  Env().WriteFile(InScratch("PROGRAM\\OTHER.EXE"), "MZ");
  // The fields a StartUp shortcut of the program has...
  plat::ShellLinkFields first;
  first.target = first.iconPath = InScratch("PROGRAM\\VERAVEVI.EXE");
  first.workingDir = InScratch("PROGRAM");
  first.iconIndex = 0;
  first.showCommand = 1;
  first.arguments = "0";
  const std::string link = InScratch("VERavevi.lnk");
  ASSERT_TRUE(P().SaveShellLink(first, link));
  EXPECT_TRUE(Env().PathExists(link));
  ExpectSameFields(P().LoadShellLink(link), first);

  // ...and others, minimised and not active, without a working folder.
  plat::ShellLinkFields second = first;
  second.target = InScratch("PROGRAM\\OTHER.EXE");
  second.workingDir.clear();
  second.iconIndex = 3;
  second.showCommand = 7;
  second.arguments = "/s \"C:\\A Folder\\x.cfg\" -q";
  ASSERT_TRUE(P().SaveShellLink(second, link));
  ExpectSameFields(P().LoadShellLink(link), second);

  ASSERT_TRUE(P().DeleteFile(link));
  EXPECT_FALSE(P().LoadShellLink(link).has_value());
  EXPECT_FALSE(P().SaveShellLink(first, InScratch("MISSING\\VERavevi.lnk")));
  EXPECT_FALSE(Env().PathExists(InScratch("MISSING")));
  EXPECT_FALSE(P().LoadShellLink(InScratch("MISSING.LNK")).has_value());
  Env().WriteFile(InScratch("TEXT.LNK"), "not a shortcut");
  EXPECT_FALSE(P().LoadShellLink(InScratch("TEXT.LNK")).has_value());
}

}  // namespace
}  // namespace contract
