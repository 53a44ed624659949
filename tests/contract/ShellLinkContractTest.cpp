// Shortcut files written and read back through the shell's link object.
#include <tuple>

#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using ShellLinkContract = ContractTest;

// The fields as the shell keeps them: paths compare without case.
auto Kept(const std::optional<plat::ShellLinkFields>& f) {
  EXPECT_TRUE(f.has_value());
  const plat::ShellLinkFields k = f.value_or(plat::ShellLinkFields{});
  return std::tuple(Lowered(k.target), Lowered(k.workingDir), Lowered(k.iconPath), k.iconIndex, k.showCommand,
                    k.arguments);
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
  EXPECT_EQ(Kept(P().LoadShellLink(link)), Kept(first));

  // ...and others, without a working folder.
  plat::ShellLinkFields second = first;
  second.target = InScratch("PROGRAM\\OTHER.EXE");
  second.workingDir.clear();
  second.arguments = "/s \"C:\\A Folder\\x.cfg\" -q";
  ASSERT_TRUE(P().SaveShellLink(second, link));
  EXPECT_EQ(Kept(P().LoadShellLink(link)), Kept(second));

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
