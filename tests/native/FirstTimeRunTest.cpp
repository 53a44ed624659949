#include <gtest/gtest.h>

#include "config/FirstTimeRun.h"
#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

class FirstTimeRun : public ::testing::Test {
 protected:
  ScriptedPlatform fake;

  void SetUp() override { fake.InstallProduct(); }

  void Configure(const std::vector<std::string>& lines) { fake.AddFile(kDataConfig, TuneUp(lines)); }

  std::string InData(const std::string& name) { return std::string(kDataDir) + "\\" + name; }

  void Run(int mode) { CFirstTimeRun(fake).RunOnce(mode); }

  std::vector<std::string> Started() const {
    std::vector<std::string> out;
    for (const auto& p : fake.processes) out.push_back(p.application);
    return out;
  }
};

TEST_F(FirstTimeRun, Mode1StartsRun1ByItsShortPathAndPausesWholeSeconds) {
  Configure({"WindowTitle=Bonus", "Run1=splash screen.exe,2.9"});
  fake.AddFile(InData("splash screen.exe"));
  fake.SetShortName(InData("splash screen.exe"), "D:\\Velmora\\access\\SPLASH~1.EXE");
  fake.AddFile("D:\\Velmora\\access\\SPLASH~1.EXE");  // the fake knows no aliases of its own
  Run(1);
  EXPECT_EQ(Started(), std::vector<std::string>{"D:\\Velmora\\access\\SPLASH~1.EXE"});
  EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{2000});
  ASSERT_EQ(fake.mutexCalls.size(), 1u);
  EXPECT_EQ(fake.mutexCalls[0].name, "MainDialogFirstTimeRunning");
  EXPECT_FALSE(fake.mutexCalls[0].initialOwner);
  EXPECT_TRUE(fake.closedHandles.empty());
}

TEST_F(FirstTimeRun, LaterCallsOfTheSameModeDoNothing) {
  Configure({"WindowTitle=Bonus", "Run1=splash.exe,1", "Run2=after.exe,1"});
  fake.AddFile(InData("splash.exe"));
  fake.AddFile(InData("after.exe"));
  Run(1);
  Run(1);
  EXPECT_EQ(Started().size(), 1u);
  fake.AddWindow("Bonus");
  Run(2);
  Run(2);
  EXPECT_EQ(Started(), (std::vector<std::string>{InData("splash.exe"), InData("after.exe")}));
  EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{1000});
}

TEST_F(FirstTimeRun, AnOpenMainDialogStopsRun1NowAndLater) {
  Configure({"WindowTitle=Bonus", "Run1=splash.exe,1"});
  fake.AddFile(InData("splash.exe"));
  fake.AddWindow("Bonus", "SomeClass");
  Run(1);
  fake.windows.clear();
  Run(1);
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(fake.sleeps.empty());
  EXPECT_EQ(fake.OpenHandles("MainDialogFirstTimeRunning"), 2);
}

TEST_F(FirstTimeRun, Mode2NeedsTheOpenMainDialogAndNeverPauses) {
  Configure({"WindowTitle=Bonus", "Run2=after.exe,5"});
  fake.AddFile(InData("after.exe"));
  Run(2);
  EXPECT_TRUE(fake.processes.empty());  // no dialog yet: and the name is now taken

  fake.mutexNames.clear();
  fake.AddWindow("Bonus");
  Run(2);
  EXPECT_EQ(Started(), std::vector<std::string>{InData("after.exe")});
  EXPECT_TRUE(fake.sleeps.empty());
  EXPECT_EQ(fake.mutexCalls.back().name, "AfterMainDialogFirstTimeRunning");
}

TEST_F(FirstTimeRun, Mode1DoesNotRunRun2NorMode2Run1) {
  Configure({"WindowTitle=Bonus", "Run2=after.exe,0"});
  fake.AddFile(InData("after.exe"));
  fake.AddWindow("Bonus");
  Run(1);
  Configure({"WindowTitle=Bonus", "Run1=splash.exe,0"});
  fake.AddFile(InData("splash.exe"));
  fake.windows.clear();
  Run(2);
  EXPECT_TRUE(fake.processes.empty());
}

TEST_F(FirstTimeRun, ValueWithoutCommaStartsWithoutPause) {
  Configure({"Run1=splash.exe"});
  fake.AddFile(InData("splash.exe"));
  Run(1);
  EXPECT_EQ(Started(), std::vector<std::string>{InData("splash.exe")});
  EXPECT_TRUE(fake.sleeps.empty());
}

TEST_F(FirstTimeRun, BlanksAroundThePathAndSecondsAreIgnored) {
  Configure({"Run1=   splash.exe  ,  3"});
  fake.AddFile(InData("splash.exe"));
  Run(1);
  EXPECT_EQ(Started(), std::vector<std::string>{InData("splash.exe")});
  EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{3000});
}

TEST_F(FirstTimeRun, AProgramInASubfolderOfTheDataFolder) {
  Configure({"Run1=tools\\intro.exe,0"});
  fake.AddFile(InData("tools\\intro.exe"));
  Run(1);
  EXPECT_EQ(Started(), std::vector<std::string>{InData("tools\\intro.exe")});
}

TEST_F(FirstTimeRun, AMissingProgramIsNotStartedAndMakesNoPause) {
  Configure({"Run1=missing.exe,3"});
  Run(1);
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(fake.sleeps.empty());
}

TEST_F(FirstTimeRun, AFolderIsNotAProgram) {
  Configure({"Run1=tools,3"});
  fake.AddFolder(InData("tools"));
  Run(1);
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(fake.sleeps.empty());
}

TEST_F(FirstTimeRun, AFailedStartStillPauses) {
  Configure({"Run1=splash.exe,4"});
  fake.AddFile(InData("splash.exe"));
  fake.failCreateProcess = true;
  Run(1);
  EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{4000});
}

TEST_F(FirstTimeRun, AShortPathThatDoesNotFitIsNotStarted) {
  Configure({"Run1=splash.exe,4"});
  fake.AddFile(InData("splash.exe"));
  fake.SetShortName(InData("splash.exe"), "D:\\" + std::string(257, 'a'));
  fake.AddFile("D:\\" + std::string(257, 'a'));
  Run(1);
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(fake.sleeps.empty());

  fake.mutexNames.clear();
  fake.SetShortName(InData("splash.exe"), "D:\\" + std::string(256, 'a'));  // 259 characters
  fake.AddFile("D:\\" + std::string(256, 'a'));
  Run(1);
  EXPECT_EQ(fake.processes.size(), 1u);
}

TEST_F(FirstTimeRun, NegativeAndHugePausesAreBounded) {
  fake.AddFile(InData("splash.exe"));
  struct Row {
    std::string seconds;
    std::vector<std::uint32_t> sleeps;
  };
  for (const Row& row : {Row{"-5", {}}, Row{"-0.5", {}}, Row{"0.9", {}}, Row{"1e300", {60000}},
                         Row{"-1e300", {}}, Row{"100000", {60000}}, Row{"60", {60000}},
                         Row{"59.99", {59000}}, Row{"nan", {}}, Row{"inf", {60000}},
                         Row{"soon", {}}}) {
    fake.mutexNames.clear();
    fake.sleeps.clear();
    fake.processes.clear();
    Configure({"Run1=splash.exe," + row.seconds});
    Run(1);
    EXPECT_EQ(fake.processes.size(), 1u) << row.seconds;
    EXPECT_EQ(fake.sleeps, row.sleeps) << row.seconds;
  }
}

TEST(FirstTimeRunPause, ReadsLikeAtofAndTruncates) {
  EXPECT_EQ(FirstTimeRunPauseSeconds("2.9"), 2);
  EXPECT_EQ(FirstTimeRunPauseSeconds("  7abc"), 7);
  EXPECT_EQ(FirstTimeRunPauseSeconds("splash.exe"), 0);
  EXPECT_EQ(FirstTimeRunPauseSeconds(""), 0);
  EXPECT_EQ(FirstTimeRunPauseSeconds("-3"), 0);
  EXPECT_EQ(FirstTimeRunPauseSeconds("1e9"), CFirstTimeRun::kMaxPauseSeconds);
}

TEST_F(FirstTimeRun, AMissingConfigurationRunsNothingButTakesTheName) {
  Run(1);
  Run(2);
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_EQ(fake.OpenHandles("MainDialogFirstTimeRunning"), 1);
  EXPECT_EQ(fake.OpenHandles("AfterMainDialogFirstTimeRunning"), 1);
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(FirstTimeRun, TheDataFolderIsTheProgramFolderBesideTheMarker) {
  fake.AddFile(std::string(kProgramDir) + "\\VERavevi.rtf");
  fake.AddFile(kProgramConfig, TuneUp({"Run1=splash.exe,0"}));
  fake.AddFile(std::string(kProgramDir) + "\\splash.exe");
  Run(1);
  EXPECT_EQ(Started(), std::vector<std::string>{std::string(kProgramDir) + "\\splash.exe"});
}

TEST_F(FirstTimeRun, AnEmptyWindowTitleLooksOnlyForThisProgramsUntitledDialog) {
  Configure({"Run1=splash.exe,0", "Run2=after.exe,0"});
  fake.AddFile(InData("splash.exe"));
  fake.AddFile(InData("after.exe"));
  fake.AddWindow("", "#32770", "C:\\Windows\\explorer.exe");
  fake.AddWindow("", "Progman", kProgram);
  Run(1);
  Run(2);
  EXPECT_EQ(Started(), std::vector<std::string>{InData("splash.exe")});

  fake.mutexNames.clear();
  fake.processes.clear();
  fake.AddWindow("", "#32770", kProgram);
  Run(1);
  Run(2);
  EXPECT_EQ(Started(), std::vector<std::string>{InData("after.exe")});
}

TEST_F(FirstTimeRun, OtherModesDoNothing) {
  Configure({"Run1=splash.exe,0"});
  fake.AddFile(InData("splash.exe"));
  Run(0);
  Run(3);
  EXPECT_TRUE(fake.mutexCalls.empty());
  EXPECT_TRUE(fake.processes.empty());
}

}  // namespace
