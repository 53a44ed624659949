#include <gtest/gtest.h>

#include <string>
#include <tuple>
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
  install::MacroExpander expand = ExpandTestMacros;
  std::vector<std::string> scripts;
  install::ScriptRunner runScript = [this](const std::string& path) { scripts.push_back(path); };

  void Launch(const install::Command& c) {
    install::LaunchByExtension(config, c.program, c.argument, runScript);
  }
};

// Program and argument of a macro value ('M'), a Run value ('R') and a
// MoreInfoRun value ('I', both in D:\access\Games), on one machine; '!' rows
// run with the environment expansion failing.
TEST_F(Launcher, ResolvesCommandValues) {
  const std::string longFile = "C:\\" + std::string(200, 'd') + ".txt";
  const std::string tooLongFile = "C:\\" + std::string(270, 'd') + ".txt";
  fake.environment = {{"TEMP", "C:\\T"},
                      {"ProgDir", "C:\\Progs"},
                      {"WEB", "C:\\Web"},
                      {"L253", std::string(253, 'x')},
                      {"L254", std::string(254, 'x')}};
  for (const std::string& f : {std::string("D:\\access\\Read Me First.txt"), longFile, tooLongFile,
                               std::string("C:\\data\\long name.txt")})
    fake.AddFile(f);
  fake.SetShortName("D:\\access\\Read Me First.txt", "D:\\access\\README~1.TXT");
  fake.SetShortName(longFile, "C:\\" + std::string(280, 'S'));
  fake.SetShortName("C:\\data\\long name.txt", "C:\\data\\LONGNA~1.TXT");
  const std::tuple<const char*, std::string, std::string, std::string> rows[] = {
      // Quotes leave the program but stay on the argument, and do not protect a comma.
      {"M", "\"{SRC_DIR}\\my setup.exe\",\"/q\"", "D:\\access\\my setup.exe", "\"/q\""},
      {"M", "\"{SRC_DIR}\\a,b.exe\",/x,ignored", "\"D:\\access\\a", "b.exe\""},
      {"M", "{ANY_DIR}\"", "", ""},
      // An existing file argument in its short form; a missing one as split.
      {"M", "{SRC_DIR}\\setup.exe,{SRC_DIR}\\Read Me First.txt", "D:\\access\\setup.exe",
       "D:\\access\\README~1.TXT"},
      {"M", "{SRC_DIR}\\setup.exe , %TEMP%\\x.txt ", "D:\\access\\setup.exe", "%TEMP%\\x.txt"},
      {"M", "{ANY_DIR}%PROGDIR%\\a.exe", "C:\\Progs\\a.exe", ""},
      {"M!", "{ANY_DIR}%PROGDIR%\\a.exe", "%PROGDIR%\\a.exe", ""},
      // 253 + "\a.exe" = 259 characters fit the buffer with the zero; 260 do not.
      {"M", "{ANY_DIR}%L253%\\a.exe", std::string(253, 'x') + "\\a.exe", ""},
      {"M", "{ANY_DIR}%L254%\\a.exe", "%L254%\\a.exe", ""},
      {"M", "{ANY_DIR}a.exe," + longFile, "a.exe", ""},  // short form too long
      {"M", "{ANY_DIR}a.exe," + tooLongFile, "a.exe", tooLongFile},
      {"M!", "{ANY_DIR}a.exe,C:\\data\\long name.txt", "a.exe", "C:\\data\\long name.txt"},
      {"R", "  {SRC_DIR}\\setup.exe, /s", "D:\\access\\setup.exe", "/s"},
      {"R", "  setup.exe, /s %TEMP%", "D:\\access\\Games\\setup.exe, /s %TEMP%", ""},  // no braces: one name
      {"I", "read me.htm, x", "D:\\access\\Games\\read me.htm", "x"},
      {"I", "{ANY_DIR}  %WEB%\\a.htm", "C:\\Web\\a.htm", ""},
      {"I", "\"info.htm\"", "D:\\access\\Games\\info.htm", ""},
  };
  for (const auto& [kind, value, program, argument] : rows) {
    SCOPED_TRACE(value);
    fake.failEnvironmentExpansion = kind[1] == '!';
    const install::Command got = kind[0] == 'M' ? install::ResolveMacroCommand(config, value, expand)
                                 : kind[0] == 'R'
                                     ? install::ResolveRunCommand(config, "D:\\access\\Games", value, expand)
                                     : install::ResolveMoreInfo(config, "D:\\access\\Games", value, expand,
                                                                install::MoreInfoUse::kOpen);
    EXPECT_EQ(got.program + "|" + got.argument, program + "|" + argument);
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
  EXPECT_EQ(fake.currentDir, "C:\\");

  for (const char* f :
       {"D:\\access\\setup.exe", "C:\\v1.20\\setup", "D:\\access\\read.me", "D:\\access\\inst\\setup.cfg",
        "D:\\access\\inst\\SETUP.Cfg", "D:\\access\\Tools\\Long Program.x", "D:\\access\\Tools\\LONGPR~1.X"})
    fake.AddFile(f);
  fake.SetShortName("D:\\access\\Tools\\Long Program.x", "D:\\access\\Tools\\LONGPR~1.X");
  const std::string longName = "C:\\" + std::string(262, 'p') + ".x";  // too long for a short form
  fake.AddFile(longName);
  Launch({"D:\\access\\setup.exe", "/s"});
  Launch({"C:\\v1.20\\setup", "-a"});   // the dot in the folder name counts as the extension
  Launch({"D:\\access\\read.me", ""});  // two characters are enough for the shell
  Launch({"D:\\access\\inst\\setup.cfg", ""});
  Launch({"D:\\access\\inst\\SETUP.Cfg", ""});
  Launch({"D:\\access\\Tools\\Long Program.x", "/arg"});
  Launch({longName, ""});
  EXPECT_EQ(scripts,
            (std::vector<std::string>{"D:\\access\\inst\\setup.cfg", "D:\\access\\inst\\SETUP.Cfg"}));
  EXPECT_EQ(browser::testing::Started(fake),
            "open D:\\access\\setup.exe [/s] in D:\\access\nopen C:\\v1.20\\setup [-a] in C:\\v1.20\n"
            "open D:\\access\\read.me [] in D:\\access\n"
            "run D:\\access\\Tools\\LONGPR~1.X in D:\\access\\Tools\n");
}

}  // namespace
