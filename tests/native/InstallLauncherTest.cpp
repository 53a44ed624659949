#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "install/Launcher.h"
#include "platform/fake/FakePlatform.h"

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
};

TEST_F(Launcher, MacroCommandStartsProgramFromItsFolderWithArgument) {
  fake.AddFile("D:\\access\\setup.exe");
  inst::Command c =
      inst::ResolveRunCommand(config, "D:\\access\\Games", "  {SRC_DIR}\\setup.exe, /s", expand);
  EXPECT_EQ(c.program, "D:\\access\\setup.exe");
  EXPECT_EQ(c.argument, "/s");
  Launch(c);
  ASSERT_EQ(fake.shellCalls.size(), 1u);
  const auto& call = fake.shellCalls[0];
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, "D:\\access\\setup.exe");
  EXPECT_EQ(call.parameters, "/s");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.show, 1);
  EXPECT_EQ(call.currentDir, "D:\\access");
  EXPECT_TRUE(fake.processes.empty());
}

TEST_F(Launcher, QuotesLeaveTheProgramButStayOnTheArgument) {
  inst::Command c = inst::ResolveMacroCommand(config, "\"{SRC_DIR}\\my setup.exe\",\"/q\"", expand);
  EXPECT_EQ(c.program, "D:\\access\\my setup.exe");
  EXPECT_EQ(c.argument, "\"/q\"");
}

TEST_F(Launcher, QuotesDoNotProtectAComma) {
  inst::Command c = inst::ResolveMacroCommand(config, "\"{SRC_DIR}\\a,b.exe\",/x,ignored", expand);
  EXPECT_EQ(c.program, "\"D:\\access\\a");
  EXPECT_EQ(c.argument, "b.exe\"");
}

TEST_F(Launcher, LoneQuoteBecomesEmptyProgram) {
  inst::Command c = inst::ResolveMacroCommand(config, "{ANY_DIR}\"", expand);
  EXPECT_EQ(c.program, "");
}

TEST_F(Launcher, ExistingFileArgumentIsPassedInShortForm) {
  fake.AddFile("D:\\access\\Read Me First.txt");
  fake.SetShortName("D:\\access\\Read Me First.txt", "D:\\access\\README~1.TXT");
  inst::Command c =
      inst::ResolveMacroCommand(config, "{SRC_DIR}\\setup.exe,{SRC_DIR}\\Read Me First.txt", expand);
  EXPECT_EQ(c.argument, "D:\\access\\README~1.TXT");
}

TEST_F(Launcher, MissingFileArgumentStaysAsSplit) {
  fake.environment["TEMP"] = "C:\\T";
  inst::Command c = inst::ResolveMacroCommand(config, "{SRC_DIR}\\setup.exe , %TEMP%\\x.txt ", expand);
  EXPECT_EQ(c.argument, "%TEMP%\\x.txt");
}

TEST_F(Launcher, ProgramIsExpandedForEnvironmentVariables) {
  fake.environment["ProgDir"] = "C:\\Progs";
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}%PROGDIR%\\a.exe", expand).program,
            "C:\\Progs\\a.exe");
  fake.failEnvironmentExpansion = true;
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}%PROGDIR%\\a.exe", expand).program,
            "%PROGDIR%\\a.exe");
}

TEST_F(Launcher, ExpansionLongerThanTheBufferKeepsTheUnexpandedText) {
  fake.environment["LONG"] = std::string(300, 'x');
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}%LONG%\\a.exe", expand).program, "%LONG%\\a.exe");
  fake.environment["LONG"] = std::string(253, 'x');  // 253 + "\a.exe" = 259 characters: fits
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}%LONG%\\a.exe", expand).program,
            std::string(253, 'x') + "\\a.exe");
  fake.environment["LONG"] = std::string(254, 'x');  // 260 characters and the zero: does not fit
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}%LONG%\\a.exe", expand).program, "%LONG%\\a.exe");
}

TEST_F(Launcher, ShortFormThatDoesNotFitTheBufferGivesEmptyArgument) {
  std::string name = "C:\\" + std::string(200, 'd') + ".txt";
  fake.AddFile(name);
  fake.SetShortName(name, "C:\\" + std::string(280, 'S'));
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}a.exe," + name, expand).argument, "");
}

TEST_F(Launcher, ExistingArgumentTooLongToExpandStaysAsSplit) {
  std::string name = "C:\\" + std::string(270, 'd') + ".txt";
  fake.AddFile(name);
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}a.exe," + name, expand).argument, name);
}

TEST_F(Launcher, ExistingArgumentWhoseExpansionFailsStaysAsSplit) {
  fake.AddFile("C:\\data\\long name.txt");
  fake.SetShortName("C:\\data\\long name.txt", "C:\\data\\LONGNA~1.TXT");
  fake.failEnvironmentExpansion = true;
  EXPECT_EQ(inst::ResolveMacroCommand(config, "{ANY_DIR}a.exe,C:\\data\\long name.txt", expand).argument,
            "C:\\data\\long name.txt");
}

TEST_F(Launcher, NoPartsGiveNothing) {
  inst::Command c = inst::ResolveMacroCommand(config, "   {ANY_DIR}", expand);
  EXPECT_EQ(c.program, "");
  EXPECT_EQ(c.argument, "");
}

TEST_F(Launcher, RunWithoutBracesIsOneNameInTheCapsuleFolder) {
  fake.environment["TEMP"] = "C:\\T";
  inst::Command c = inst::ResolveRunCommand(config, "D:\\access\\Games", "  setup.exe, /s %TEMP%", expand);
  EXPECT_EQ(c.program, "D:\\access\\Games\\setup.exe, /s %TEMP%");
  EXPECT_EQ(c.argument, "");
  fake.AddFile("D:\\access\\Games\\setup.exe");
  Launch(c);
  EXPECT_TRUE(fake.shellCalls.empty());
  EXPECT_TRUE(fake.processes.empty());
}

TEST_F(Launcher, ScriptGoesToTheScriptLibraryInAnyCase) {
  for (const char* name : {"D:\\access\\inst\\setup.cfg", "D:\\access\\inst\\SETUP.Cfg"}) {
    scripts.clear();
    fake.AddFile(name);
    Launch(inst::ResolveMacroCommand(config, std::string("{ANY_DIR}") + name, expand));
    ASSERT_EQ(scripts.size(), 1u) << name;
    EXPECT_EQ(scripts[0], name);
  }
  EXPECT_TRUE(fake.shellCalls.empty());
  EXPECT_TRUE(fake.processes.empty());
}

TEST_F(Launcher, OneCharacterExtensionIsStartedByProcessCreationWithoutArgument) {
  fake.AddFile("D:\\access\\Tools\\Long Program.x");
  fake.SetShortName("D:\\access\\Tools\\Long Program.x", "D:\\access\\Tools\\LONGPR~1.X");
  fake.AddFile("D:\\access\\Tools\\LONGPR~1.X");
  Launch({"D:\\access\\Tools\\Long Program.x", "/arg"});
  ASSERT_EQ(fake.processes.size(), 1u);
  EXPECT_EQ(fake.processes[0].application, "D:\\access\\Tools\\LONGPR~1.X");
  EXPECT_EQ(fake.processes[0].currentDir, "D:\\access\\Tools");
  EXPECT_TRUE(fake.shellCalls.empty());
}

TEST_F(Launcher, OneCharacterExtensionWithoutShortFormStartsNothing) {
  std::string longName = "C:\\" + std::string(262, 'p') + ".x";
  fake.AddFile(longName);
  Launch({longName, ""});
  EXPECT_TRUE(fake.processes.empty());
}

TEST_F(Launcher, NothingStartsForAMissingFileNoDotOrATrailingDot) {
  fake.AddFile("C:\\dir\\program");
  fake.AddFile("C:\\dir\\program.");
  Launch({"C:\\dir\\missing.exe", ""});
  Launch({"C:\\dir\\program", ""});
  Launch({"C:\\dir\\program.", ""});
  Launch({"C:\\dir", ""});
  Launch({"", ""});
  EXPECT_TRUE(fake.shellCalls.empty());
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(scripts.empty());
  EXPECT_EQ(fake.currentDir, "C:\\");
}

TEST_F(Launcher, DotInAFolderNameCountsAsTheExtension) {
  fake.AddFile("C:\\v1.20\\setup");
  Launch({"C:\\v1.20\\setup", "-a"});
  ASSERT_EQ(fake.shellCalls.size(), 1u);
  EXPECT_EQ(fake.shellCalls[0].file, "C:\\v1.20\\setup");
  EXPECT_EQ(fake.shellCalls[0].parameters, "-a");
}

TEST_F(Launcher, MoreInfoTargetLiesInTheCapsuleFolderUnlessTheValueHasAMacro) {
  inst::Command plain = inst::ResolveMoreInfoCommand(config, "D:\\access\\Games", "read me.htm, x", expand);
  EXPECT_EQ(plain.program, "D:\\access\\Games\\read me.htm");
  EXPECT_EQ(plain.argument, "x");
  fake.environment["WEB"] = "C:\\Web";
  inst::Command macro =
      inst::ResolveMoreInfoCommand(config, "D:\\access\\Games", "{ANY_DIR}  %WEB%\\a.htm", expand);
  EXPECT_EQ(macro.program, "C:\\Web\\a.htm");
  inst::Command quoted = inst::ResolveMoreInfoCommand(config, "D:\\access\\Games", "\"info.htm\"", expand);
  EXPECT_EQ(quoted.program, "D:\\access\\Games\\info.htm");
}

}  // namespace
