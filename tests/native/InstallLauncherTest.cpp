#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "install/Launcher.h"
#include "platform/fake/FakePlatform.h"
#include "tests/native/DialogTestSupport.h"

namespace {

// Stands in for the dialog's macro expansion: {SRC_DIR} and {ANY_DIR} only.
std::string ExpandTestMacros(const std::string& text) {
  std::string out = text;
  auto replace = [&out](const std::string& macro, const std::string& value) {
    for (auto pos = out.find(macro); pos != std::string::npos; pos = out.find(macro, pos + value.size()))
      out.replace(pos, macro.size(), value);
  };
  replace("{SRC_DIR}", "D:\\access");
  replace("{ANY_DIR}", "");
  return out;
}

class Launcher : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
  inst::MacroExpander expand = ExpandTestMacros;
  std::vector<std::string> scripts;
  inst::ScriptRunner runScript = [this](const std::string& path) { scripts.push_back(path); };

  void Launch(const inst::Command& c) { inst::LaunchByExtension(config, c.program, c.argument, runScript); }
  bool NothingStarted() const { return fake.shellCalls.empty() && fake.processes.empty() && scripts.empty(); }
};

TEST_F(Launcher, ResolvesCommandValues) {
  const std::string longFile = "C:\\" + std::string(200, 'd') + ".txt";
  const std::string tooLongFile = "C:\\" + std::string(270, 'd') + ".txt";
  struct Row {
    const char* name;
    char kind;  // 'M' macro value, 'R' Run value, 'I' MoreInfoRun value (both in D:\access\Games)
    std::string value, program, argument;
    std::function<void(plat::FakePlatform&)> setUp = {};
  };
  auto env = [](const char* name, std::string value, bool fail = false) {
    return [=](plat::FakePlatform& f) {
      f.environment[name] = value;
      f.failEnvironmentExpansion = fail;
    };
  };
  const Row rows[] = {
      {"QuotesLeaveTheProgramButStayOnTheArgument", 'M', "\"{SRC_DIR}\\my setup.exe\",\"/q\"",
       "D:\\access\\my setup.exe", "\"/q\""},
      {"QuotesDoNotProtectAComma", 'M', "\"{SRC_DIR}\\a,b.exe\",/x,ignored", "\"D:\\access\\a", "b.exe\""},
      {"LoneQuoteBecomesEmptyProgram", 'M', "{ANY_DIR}\"", "", ""},
      {"ExistingFileArgumentInShortForm", 'M', "{SRC_DIR}\\setup.exe,{SRC_DIR}\\Read Me First.txt",
       "D:\\access\\setup.exe", "D:\\access\\README~1.TXT",
       [](plat::FakePlatform& f) {
         f.AddFile("D:\\access\\Read Me First.txt");
         f.SetShortName("D:\\access\\Read Me First.txt", "D:\\access\\README~1.TXT");
       }},
      {"MissingFileArgumentStaysAsSplit", 'M', "{SRC_DIR}\\setup.exe , %TEMP%\\x.txt ",
       "D:\\access\\setup.exe", "%TEMP%\\x.txt", env("TEMP", "C:\\T")},
      {"ProgramExpandsEnvironment", 'M', "{ANY_DIR}%PROGDIR%\\a.exe", "C:\\Progs\\a.exe", "",
       env("ProgDir", "C:\\Progs")},
      {"FailedExpansionKeepsText", 'M', "{ANY_DIR}%PROGDIR%\\a.exe", "%PROGDIR%\\a.exe", "",
       env("ProgDir", "C:\\Progs", true)},
      {"Expansion259Fits", 'M', "{ANY_DIR}%LONG%\\a.exe", std::string(253, 'x') + "\\a.exe", "",
       env("LONG", std::string(253, 'x'))},
      {"Expansion260DoesNotFit", 'M', "{ANY_DIR}%LONG%\\a.exe", "%LONG%\\a.exe", "",
       env("LONG", std::string(254, 'x'))},
      {"ShortFormTooLongGivesEmptyArgument", 'M', "{ANY_DIR}a.exe," + longFile, "a.exe", "",
       [&](plat::FakePlatform& f) {
         f.AddFile(longFile);
         f.SetShortName(longFile, "C:\\" + std::string(280, 'S'));
       }},
      {"ArgumentTooLongToExpandStaysAsSplit", 'M', "{ANY_DIR}a.exe," + tooLongFile, "a.exe", tooLongFile,
       [&](plat::FakePlatform& f) { f.AddFile(tooLongFile); }},
      {"ArgumentWhoseExpansionFailsStaysAsSplit", 'M', "{ANY_DIR}a.exe,C:\\data\\long name.txt", "a.exe",
       "C:\\data\\long name.txt",
       [](plat::FakePlatform& f) {
         f.AddFile("C:\\data\\long name.txt");
         f.SetShortName("C:\\data\\long name.txt", "C:\\data\\LONGNA~1.TXT");
         f.failEnvironmentExpansion = true;
       }},
      {"RunMacroSplits", 'R', "  {SRC_DIR}\\setup.exe, /s", "D:\\access\\setup.exe", "/s"},
      {"RunWithoutBracesIsOneName", 'R', "  setup.exe, /s %TEMP%", "D:\\access\\Games\\setup.exe, /s %TEMP%",
       "", env("TEMP", "C:\\T")},
      {"MoreInfoInCapsuleFolder", 'I', "read me.htm, x", "D:\\access\\Games\\read me.htm", "x"},
      {"MoreInfoMacroExpandsEnvironment", 'I', "{ANY_DIR}  %WEB%\\a.htm", "C:\\Web\\a.htm", "",
       env("WEB", "C:\\Web")},
      {"MoreInfoQuotesGo", 'I', "\"info.htm\"", "D:\\access\\Games\\info.htm", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    plat::FakePlatform f;
    CBonusConfig c{f};
    if (r.setUp) r.setUp(f);
    const inst::Command got =
        r.kind == 'M' ? inst::ResolveMacroCommand(c, r.value, expand)
        : r.kind == 'R'
            ? inst::ResolveRunCommand(c, "D:\\access\\Games", r.value, expand)
            : inst::ResolveMoreInfo(c, "D:\\access\\Games", r.value, expand, inst::MoreInfoUse::kOpen);
    EXPECT_EQ(got.program, r.program);
    EXPECT_EQ(got.argument, r.argument);
  }
}

// What starts for each name: the shell from the program's folder, the script
// library for .cfg in any case, process creation from the short form for a
// one-character extension, nothing for a missing file, no extension, a
// trailing dot or a one-name Run value.
TEST_F(Launcher, StartsByExtension) {
  fake.AddFile("C:\\dir\\program");
  fake.AddFile("C:\\dir\\program.");
  fake.AddFile("D:\\access\\Games\\setup.exe");
  for (const char* program : {"C:\\dir\\missing.exe", "C:\\dir\\program", "C:\\dir\\program.", "C:\\dir", ""})
    Launch({program, ""});
  Launch({"D:\\access\\Games\\setup.exe, /s %TEMP%", ""});
  EXPECT_TRUE(NothingStarted());
  EXPECT_EQ(fake.currentDir, "C:\\");

  for (const char* f :
       {"D:\\access\\setup.exe", "C:\\v1.20\\setup", "D:\\access\\inst\\setup.cfg",
        "D:\\access\\inst\\SETUP.Cfg", "D:\\access\\Tools\\Long Program.x", "D:\\access\\Tools\\LONGPR~1.X"})
    fake.AddFile(f);
  fake.SetShortName("D:\\access\\Tools\\Long Program.x", "D:\\access\\Tools\\LONGPR~1.X");
  const std::string longName = "C:\\" + std::string(262, 'p') + ".x";  // too long for a short form
  fake.AddFile(longName);
  Launch({"D:\\access\\setup.exe", "/s"});
  Launch({"C:\\v1.20\\setup", "-a"});  // the dot in the folder name counts as the extension
  Launch({"D:\\access\\inst\\setup.cfg", ""});
  Launch({"D:\\access\\inst\\SETUP.Cfg", ""});
  Launch({"D:\\access\\Tools\\Long Program.x", "/arg"});
  Launch({longName, ""});
  EXPECT_EQ(scripts,
            (std::vector<std::string>{"D:\\access\\inst\\setup.cfg", "D:\\access\\inst\\SETUP.Cfg"}));
  EXPECT_EQ(bonus::testing::Started(fake),
            "open D:\\access\\setup.exe [/s] in D:\\access\nopen C:\\v1.20\\setup [-a] in C:\\v1.20\n"
            "run D:\\access\\Tools\\LONGPR~1.X in D:\\access\\Tools\n");
}

}  // namespace
