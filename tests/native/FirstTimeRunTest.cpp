// The first-run programs (Run1 before, Run2 beside the main dialog) and the
// search for the open main dialog they depend on.
#include <gtest/gtest.h>

#include "config/FirstTimeRun.h"
#include "config/MainDialogSearch.h"
#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

using Strings = std::vector<std::string>;
using Sleeps = std::vector<std::uint32_t>;

std::string InData(const std::string& name) { return std::string(kDataDir) + "\\" + name; }

Strings Started(const plat::FakePlatform& fake) {
  Strings out;
  for (const auto& p : fake.processes) out.push_back(p.application);
  return out;
}

class FirstTimeRun : public ::testing::Test {
 protected:
  plat::FakePlatform fake;

  void SetUp() override { InstallProduct(fake); }
  void Configure(const Strings& lines) { fake.AddFile(kDataConfig, TuneUp(lines)); }
  void Run(int mode) { CFirstTimeRun(fake).RunOnce(mode); }
};

TEST(FirstTimeRunPause, ReadsLikeAtofTruncatesAndBounds) {
  const std::pair<const char*, int> rows[] = {
      {"  7abc", 7}, {"splash.exe", 0}, {"", 0},        {"-5", 0},     {"-0.5", 0},   {"0.9", 0}, {"1", 1},
      {"59.99", 59}, {"60", 60},        {"100000", 60}, {"1e300", 60}, {"-1e300", 0}, {"nan", 0}, {"inf", 60},
  };
  for (const auto& [text, seconds] : rows) EXPECT_EQ(FirstTimeRunPauseSeconds(text), seconds) << text;
}

// Mode 1 with one Run1 line, each on a fresh machine; files are in the data
// folder, a trailing backslash makes a folder.
TEST(FirstTimeRunValues, Run1) {
  const struct {
    std::string run1, file;
    bool started;
    Sleeps sleeps;
    bool failStart = false;
  } rows[] = {
      {"splash.exe", "splash.exe", true, {}},  // no comma: the whole value is the pause
      {"   splash.exe  ,  3", "splash.exe", true, {3000}},
      {"tools\\intro.exe,0", "tools\\intro.exe", true, {}},
      {"missing.exe,3", "", false, {}},
      {"tools,3", "tools\\", false, {}},
      {"splash.exe,4", "splash.exe", false, {4000}, true},  // a failed start still pauses
  };
  for (const auto& row : rows) {
    plat::FakePlatform fake;
    InstallProduct(fake);
    if (row.file.ends_with('\\'))
      fake.AddFolder(InData(row.file.substr(0, row.file.size() - 1)));
    else if (!row.file.empty())
      fake.AddFile(InData(row.file));
    fake.failCreateProcess = row.failStart;
    fake.AddFile(kDataConfig, TuneUp({"Run1=" + row.run1}));
    CFirstTimeRun(fake).RunOnce(1);
    EXPECT_EQ(Started(fake), row.started ? Strings{InData(row.file)} : Strings{}) << row.run1;
    EXPECT_EQ(fake.sleeps, row.sleeps) << row.run1;
  }
}

// A short path of 259 characters is started, one of 260 is not, nor paused for.
TEST_F(FirstTimeRun, Mode1StartsRun1ByAShortPathThatFitsAndPausesWholeSeconds) {
  Configure({"WindowTitle=Bonus", "Run1=splash screen.exe,2.9"});
  fake.AddFile(InData("splash screen.exe"));
  for (std::size_t length : {257, 256}) {
    fake.mutexNames.clear();
    fake.SetShortName(InData("splash screen.exe"), "D:\\" + std::string(length, 'a'));
    fake.AddFile("D:\\" + std::string(length, 'a'));  // the fake knows no aliases of its own
    Run(1);
  }
  EXPECT_EQ(Started(fake), Strings{"D:\\" + std::string(256, 'a')});
  EXPECT_EQ(fake.sleeps, Sleeps{2000});
  EXPECT_EQ(fake.MutexLog(), Strings(2, "MainDialogFirstTimeRunning"));
  EXPECT_TRUE(fake.closedHandles.empty());
}

TEST_F(FirstTimeRun, EachModeRunsItsOwnProgramOnceAndMode2OnlyBesideTheOpenDialog) {
  Configure({"WindowTitle=Bonus", "Run1=splash.exe,1", "Run2=after.exe,5"});
  fake.AddFile(InData("splash.exe"));
  fake.AddFile(InData("after.exe"));
  Run(0);
  Run(3);
  EXPECT_TRUE(fake.mutexCalls.empty());  // other modes do nothing
  Run(2);
  EXPECT_TRUE(fake.processes.empty());  // no dialog yet: and the name is now taken
  fake.mutexNames.clear();
  Run(1);
  Run(1);
  EXPECT_EQ(Started(fake), Strings{InData("splash.exe")});
  fake.AddWindow("Bonus");
  Run(2);
  Run(2);
  EXPECT_EQ(Started(fake), (Strings{InData("splash.exe"), InData("after.exe")}));
  EXPECT_EQ(fake.sleeps, Sleeps{1000});  // Run2 never pauses
  EXPECT_EQ(fake.mutexCalls.back().name, "AfterMainDialogFirstTimeRunning");
}

TEST_F(FirstTimeRun, AnOpenMainDialogStopsRun1NowAndLater) {
  Configure({"WindowTitle=Bonus", "Run1=splash.exe,1"});
  fake.AddFile(InData("splash.exe"));
  fake.AddWindow("Bonus", "SomeClass");
  Run(1);
  fake.windows.clear();
  Run(1);
  EXPECT_TRUE(fake.processes.empty() && fake.sleeps.empty());
  EXPECT_EQ(fake.OpenHandles("MainDialogFirstTimeRunning"), 2);
}

TEST_F(FirstTimeRun, AMissingConfigurationRunsNothingButTakesTheName) {
  Run(1);
  Run(2);
  EXPECT_TRUE(fake.processes.empty() && fake.boxes.empty());
  EXPECT_EQ(
      fake.OpenHandles("MainDialogFirstTimeRunning") + fake.OpenHandles("AfterMainDialogFirstTimeRunning"),
      2);
}

TEST(MainDialogSearch, ACaptionFindsAnyWindowWithExactlyItAnEmptyOneOnlyThisProgramsUntitledDialog) {
  plat::FakePlatform fake;
  fake.modulePath.clear();
  fake.AddWindow("", "#32770", "");
  EXPECT_EQ(FindMainDialog(fake, ""), 0u);  // no program path: nothing untitled is ours
  fake.modulePath = kProgram;
  fake.AddWindow("Bonus Installer", "#32770", kProgram);
  const auto other = fake.AddWindow("Bonus", "Notepad", "C:\\Windows\\notepad.exe");
  EXPECT_EQ(FindMainDialog(fake, "Bonus"), other);
  EXPECT_EQ(FindMainDialog(fake, "bonus") + FindMainDialog(fake, "Bonus "), 0u);
  fake.AddWindow("", "#32770", "C:\\Windows\\explorer.exe");
  fake.AddWindow("", "Shell_TrayWnd", kProgram);
  fake.AddWindow("", "#32770", "C:\\Program Files\\Velmora\\VERavevi.exe.bak");
  EXPECT_EQ(FindMainDialog(fake, ""), 0u);
  const auto ours = fake.AddWindow("", "#32770", "C:\\PROGRAM FILES\\velmora\\VERAVEVI.EXE");
  EXPECT_EQ(FindMainDialog(fake, ""), ours);
}

}  // namespace
