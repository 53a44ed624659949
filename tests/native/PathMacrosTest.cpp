// The token and folder macros of capsule values, as the dialog expands them.
#include <gtest/gtest.h>

#include "tests/native/DialogTestSupport.h"

namespace browser::testing {
namespace {

class MacroTest : public DialogTest {
 protected:
  std::string X(const std::string& text) { return dlg->ExpandMacros(text, 0); }
};

TEST_F(MacroTest, Expands) {
  struct Row {
    const char* lines;  // capsule lines after its Title
    const char* in;
    const char* out;
  };
  const char* tokens = "Token1={WIN_DIR}\\x\nToken2=two\nToken3={TOKEN4}\nToken4=four\n";
  const Row rows[] = {
      {"", "{WIN_DIR}|{WIN_SYS_DIR}|{RUN_DIR}|{TEMP}|{DESKTOP}|{STARTUP}",
       "C:\\WINDOWS|C:\\WINDOWS\\SYSTEM32|C:\\Program Files\\Velmora|C:\\WINDOWS\\temp|C:\\WINDOWS\\DESKTOP|"
       "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"},
      {"", "{PROGRAMS}|{START_MENU}|{FAVORITES_DIR}|{SRC_DIR}|{ANY_DIR}x",
       "C:\\WINDOWS\\Start Menu\\Programs|C:\\WINDOWS\\Start Menu|C:\\WINDOWS\\Favorites|D:\\access|x"},
      // Every occurrence, left to right; exact case only; unknown macros stay.
      {"", "{WIN_DIR};{WIN_DIR}", "C:\\WINDOWS;C:\\WINDOWS"},
      {"", "{win_dir}\\a{WINDIR}{Temp}{OTHER}", "{win_dir}\\a{WINDIR}{Temp}{OTHER}"},
      {"", "", ""},
      // Tokens expand first and may hold folder macros, and tokens of a
      // higher number; not those of a lower number nor themselves.
      {tokens, "{TOKEN1}", "C:\\WINDOWS\\x"},
      {tokens, "{TOKEN2}-{TOKEN2}", "two-two"},
      {tokens, "{TOKEN3}", "four"},
      {"Token1=one\nToken2={TOKEN1}\n", "{TOKEN2}", "{TOKEN1}"},
      {"Token1=<{TOKEN1}>\n", "{TOKEN1}", "<{TOKEN1}>"},
      {"Token1=one\nToken10=ten\n", "{TOKEN1}|{TOKEN10}|{TOKEN1}0", "one|ten|one0"},
      {"Token1=one\n", "{token1}{Token1}", "{token1}{Token1}"},
      // An empty token removes the macro; leading blanks of a value go.
      {"Token2=   spaced  x\n", "a{TOKEN1}b{TOKEN2}", "abspaced  x"},
      {"Token1={SRC_DIR}\nToken2={TOKEN3}{RUN_DIR}\nToken3=3\n", "{TOKEN2}|{TOKEN1}",
       "3C:\\Program Files\\Velmora|D:\\access"},
      // A section token whose section has no value gives nothing.
      {"Token1=[Nowhere]\n", "a{TOKEN1}b", "ab"},
      // A section token reads the registry; the end TextExcluded names goes.
      {"Token2=[Dir]\n[Version]\nTextExcluded=\\bin\n[Dir]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue="
       "Path\n",
       "{TOKEN2}\\chess.exe", "C:\\Chess\\chess.exe"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.lines) + r.in);
    Reset();
    OneCapsule(r.lines);
    Open();
    m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Chess", "Path", "C:\\Chess\\bin");
    EXPECT_EQ(X(r.in), r.out);
    EXPECT_TRUE(m.fake.boxes.empty());
  }
}

TEST_F(MacroTest, FolderValuesAreThoseOfSetUpAndOutsideTheListsTokensAreEmpty) {
  OneCapsule("Token1=one\n");
  Open();
  m.fake.windowsDir = "E:\\OTHER";
  dlg->m_config.LocateConfigFile(false);  // a later re-location does not change the copies
  EXPECT_EQ(X("{WIN_DIR}"), "C:\\WINDOWS");
  EXPECT_EQ(dlg->ExpandMacros("{TOKEN1}{WIN_DIR}", 7), "C:\\WINDOWS");
  EXPECT_EQ(dlg->ExpandMacros("{TOKEN1}", -1), "");
}

TEST_F(MacroTest, SectionTokenWithMissingCapsuleFileShowsBoxAndKeepsMacroEachTime) {
  OneCapsule("Token1=[InstallDir]\nMoreInfoTitle=M\nMoreInfoRun={TOKEN1}\\r.txt\n");
  Open();
  m.fake.RemovePath("D:\\access\\A\\A.cfg");
  EXPECT_EQ(X("{WIN_DIR}"), "C:\\WINDOWS");  // no section token in the text: no check
  EXPECT_TRUE(m.fake.boxes.empty());
  EXPECT_EQ(X("{TOKEN1}\\x.exe"), "{TOKEN1}\\x.exe");
  EXPECT_EQ(Boxes(m.fake.boxes), "|Error: D:\\access\\A\\A.cfg doesn't exist.|0x10\n");
  view.selected = 0;
  dlg->OnSelChangedCapsule();
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(m.fake.boxes.size(), 3u);  // MoreInfoRun's token at every selection
  EXPECT_EQ(view.moreInfoShown, false);
}

}  // namespace
}  // namespace browser::testing
