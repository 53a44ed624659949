// ExpandMacros and ReplaceToken: the token and folder macros of capsule values.
#include <gtest/gtest.h>

#include "browser/BonusDlg.h"
#include "browser/TextUtil.h"
#include "install/PathMacros.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

class MacroTest : public ::testing::Test {
 protected:
  DiskMachine m;
  FakeBonusDlgView view;
  std::unique_ptr<CBonusDlg> dlg;

  // One capsule "A" with the given capsule file (after its Title line).
  void Open(const std::string& capsuleLines) {
    m.Main("[Packages]\nA\n");
    m.Capsule("A", "[TuneUp]\nTitle=Alpha\n" + capsuleLines);
    dlg = std::make_unique<CBonusDlg>(m.fake, view);
    ASSERT_TRUE(dlg->OnInitDialog());
  }
  std::string X(const std::string& text) { return dlg->ExpandMacros(text, 0); }
};

struct FolderCase {
  const char* in;
  const char* out;
};
class FolderMacroTest : public MacroTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderMacroTest, Expands) {
  Open("");
  EXPECT_EQ(X(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderMacroTest,
    ::testing::Values(FolderCase{"{WIN_DIR}", "C:\\WINDOWS"}, FolderCase{"{WIN_SYS_DIR}", "C:\\WINDOWS\\SYSTEM32"},
                      FolderCase{"{RUN_DIR}", "C:\\Program Files\\Velmora"},
                      FolderCase{"{TEMP}\\x.tmp", "C:\\WINDOWS\\temp\\x.tmp"},
                      FolderCase{"{DESKTOP}", "C:\\WINDOWS\\DESKTOP"},
                      FolderCase{"{STARTUP}", "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"},
                      FolderCase{"{PROGRAMS}", "C:\\WINDOWS\\Start Menu\\Programs"},
                      FolderCase{"{START_MENU}", "C:\\WINDOWS\\Start Menu"},
                      FolderCase{"{FAVORITES_DIR}", "C:\\WINDOWS\\Favorites"},
                      FolderCase{"{SRC_DIR}\\setup.exe", "D:\\access\\setup.exe"},
                      FolderCase{"{ANY_DIR}setup.exe", "setup.exe"},
                      // Every occurrence, left to right.
                      FolderCase{"{WIN_DIR};{WIN_DIR}", "C:\\WINDOWS;C:\\WINDOWS"},
                      // Exact case only; unknown macros stay.
                      FolderCase{"{win_dir}\\a", "{win_dir}\\a"}, FolderCase{"{WINDIR}", "{WINDIR}"},
                      FolderCase{"{Temp}", "{Temp}"}, FolderCase{"{OTHER}", "{OTHER}"},
                      FolderCase{"plain", "plain"}, FolderCase{"", ""}));

TEST_F(MacroTest, FolderValuesAreThoseOfSetUp) {
  Open("");
  // A later re-location does not change the copies.
  m.fake.windowsDir = "E:\\OTHER";
  dlg->m_config.LocateConfigFile(false);
  EXPECT_EQ(X("{WIN_DIR}"), "C:\\WINDOWS");
}

TEST_F(MacroTest, TokensExpandFirstAndMayHoldFolderMacros) {
  Open("Token1={WIN_DIR}\\x\nToken2=two\nToken3={TOKEN4}\nToken4=four\n");
  EXPECT_EQ(X("{TOKEN1}"), "C:\\WINDOWS\\x");
  EXPECT_EQ(X("{TOKEN2}-{TOKEN2}"), "two-two");
  // A token of a higher number inside a token value is expanded too.
  EXPECT_EQ(X("{TOKEN3}"), "four");
}

TEST_F(MacroTest, TokenOfLowerNumberInsideValueStays) {
  Open("Token1=one\nToken2={TOKEN1}\n");
  EXPECT_EQ(X("{TOKEN2}"), "{TOKEN1}");
}

TEST_F(MacroTest, TokenOneAndTokenTenAreDistinct) {
  Open("Token1=one\nToken10=ten\n");
  EXPECT_EQ(X("{TOKEN1}|{TOKEN10}|{TOKEN1}0"), "one|ten|one0");
}

TEST_F(MacroTest, EmptyTokenRemovesTheMacroAndLeadingBlanksGo) {
  Open("Token2=   spaced  x\n");
  EXPECT_EQ(X("a{TOKEN1}b"), "ab");
  EXPECT_EQ(X("{TOKEN2}"), "spaced  x");
  EXPECT_EQ(dlg->m_sToken, "");  // the last token (10) read
}

TEST_F(MacroTest, TokenMacroCaseMatters) {
  Open("Token1=one\n");
  EXPECT_EQ(X("{token1}{Token1}"), "{token1}{Token1}");
}

TEST_F(MacroTest, TokenValueIsNotRescannedForItsOwnMacro) {
  Open("Token1=<{TOKEN1}>\n");
  EXPECT_EQ(X("{TOKEN1}"), "<{TOKEN1}>");
}

TEST_F(MacroTest, SectionTokenReadsRegistryAndStripsTextExcluded) {
  Open("Token2=[InstallDir]\n[Version]\nTextExcluded=\\bin\n[InstallDir]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\n"
       "Value=Path\n");
  m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Chess", "Path", "C:\\Chess\\bin");
  EXPECT_EQ(X("{TOKEN2}\\chess.exe"), "C:\\Chess\\chess.exe");
  EXPECT_TRUE(m.fake.boxes.empty());
}

TEST_F(MacroTest, SectionTokenWithMissingValueGivesEmpty) {
  Open("Token1=[Nowhere]\n");
  EXPECT_EQ(X("a{TOKEN1}b"), "ab");
}

TEST_F(MacroTest, SectionTokenWithMissingCapsuleFileShowsBoxAndKeepsMacro) {
  Open("Token1=[InstallDir]\n");
  m.fake.RemovePath("D:\\access\\A\\A.cfg");
  EXPECT_EQ(X("{TOKEN1}\\x.exe"), "{TOKEN1}\\x.exe");
  ASSERT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(m.fake.boxes[0].text, "Error: D:\\access\\A\\A.cfg doesn't exist.");
  EXPECT_EQ(m.fake.boxes[0].caption, "");
  EXPECT_EQ(m.fake.boxes[0].type, plat::kMbOk | plat::kMbIconStop);
}

TEST_F(MacroTest, SectionTokenNotInTextCausesNoCheck) {
  Open("Token1=[InstallDir]\n");
  m.fake.RemovePath("D:\\access\\A\\A.cfg");
  EXPECT_EQ(X("{WIN_DIR}"), "C:\\WINDOWS");
  EXPECT_TRUE(m.fake.boxes.empty());
}

TEST_F(MacroTest, SectionTokenInMoreInfoRunBoxesAtEverySelection) {
  Open("Token1=[InstallDir]\nMoreInfoTitle=M\nMoreInfoRun={TOKEN1}\\r.txt\n");
  m.fake.RemovePath("D:\\access\\A\\A.cfg");
  view.Select(0);
  dlg->OnSelChangedCapsule();
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(m.fake.boxes.size(), 2u);
  EXPECT_EQ(view.moreInfoShown, false);
}

TEST_F(MacroTest, CapsuleOutsideTheListsReadsEmptyTokens) {
  Open("Token1=one\n");
  EXPECT_EQ(dlg->ExpandMacros("{TOKEN1}{WIN_DIR}", 7), "C:\\WINDOWS");
  EXPECT_EQ(dlg->ExpandMacros("{TOKEN1}", -1), "");
}

TEST_F(MacroTest, ReplaceTokenUsesTheValueAlreadyPlaced) {
  Open("");
  dlg->m_sToken = "val";
  EXPECT_EQ(dlg->ReplaceToken("x{TOKEN3}y", 0, 61235), "xvaly");
  EXPECT_EQ(dlg->ReplaceToken("x{TOKEN4}y", 0, 61235), "x{TOKEN4}y");
}

TEST_F(MacroTest, TokenStepsRunBeforeFolderStepsInOrder) {
  Open("Token1={SRC_DIR}\nToken2={TOKEN3}{RUN_DIR}\nToken3=3\n");
  EXPECT_EQ(X("{TOKEN2}|{TOKEN1}"), "3C:\\Program Files\\Velmora|D:\\access");
}

TEST(TextUtil, ReplaceAllDoesNotOverlapOrRescan) {
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("xax", "a", "aa"), "xaax");
  EXPECT_EQ(ReplaceAll("abc", "", "z"), "abc");
}

TEST(TextUtil, ParseLeadingIntReadsLikeAtoiAndClamps) {
  EXPECT_EQ(ParseLeadingInt("  32"), 32);
  EXPECT_EQ(ParseLeadingInt("12ab"), 12);
  EXPECT_EQ(ParseLeadingInt("-7"), -7);
  EXPECT_EQ(ParseLeadingInt("x1"), 0);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace bonus::testing
