#include <gtest/gtest.h>

#include "config/FirstTimeRun.h"
#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

using Strings = std::vector<std::string>;
using Sleeps = std::vector<std::uint32_t>;

std::string InData(const std::string& name) { return std::string(kDataDir) + "\\" + name; }

class FirstTimeRun : public ::testing::Test {
 protected:
  plat::FakePlatform fake;

  void SetUp() override { InstallProduct(fake); }
  void Configure(const Strings& lines) { fake.AddFile(kDataConfig, TuneUp(lines)); }
  void Run(int mode) { CFirstTimeRun(fake).RunOnce(mode); }
  Strings Started() const {
    Strings out;
    for (const auto& p : fake.processes) out.push_back(p.application);
    return out;
  }
};

TEST(FirstTimeRunPause, ReadsLikeAtofTruncatesAndBounds) {
  const std::pair<const char*, int> rows[] = {
      {"  7abc", 7}, {"splash.exe", 0}, {"", 0},        {"-5", 0},     {"-0.5", 0},   {"0.9", 0}, {"1", 1},
      {"59.99", 59}, {"60", 60},        {"100000", 60}, {"1e300", 60}, {"-1e300", 0}, {"nan", 0}, {"inf", 60},
  };
  for (const auto& [text, seconds] : rows) EXPECT_EQ(FirstTimeRunPauseSeconds(text), seconds) << text;
}

// Mode 1 with one Run1 line; files are in the data folder, a trailing
// backslash makes a folder.
TEST_F(FirstTimeRun, Run1Values) {
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
    SCOPED_TRACE(row.run1);
    fake.mutexNames.clear();
    fake.sleeps.clear();
    fake.RemovePath(InData("tools"));
    fake.RemovePath(InData("splash.exe"));
    if (row.file.ends_with('\\'))
      fake.AddFolder(InData(row.file.substr(0, row.file.size() - 1)));
    else if (!row.file.empty())
      fake.AddFile(InData(row.file));
    fake.failCreateProcess = row.failStart;
    Configure({"Run1=" + row.run1});
    fake.processes.clear();
    Run(1);
    EXPECT_EQ(Started(), row.started ? Strings{InData(row.file)} : Strings{});
    EXPECT_EQ(fake.sleeps, row.sleeps);
  }
}

TEST_F(FirstTimeRun, Mode1StartsRun1ByItsShortPathAndPausesWholeSeconds) {
  Configure({"WindowTitle=Bonus", "Run1=splash screen.exe,2.9"});
  fake.AddFile(InData("splash screen.exe"));
  fake.SetShortName(InData("splash screen.exe"), "D:\\Velmora\\access\\SPLASH~1.EXE");
  fake.AddFile("D:\\Velmora\\access\\SPLASH~1.EXE");  // the fake knows no aliases of its own
  Run(1);
  EXPECT_EQ(Started(), Strings{"D:\\Velmora\\access\\SPLASH~1.EXE"});
  EXPECT_EQ(fake.sleeps, Sleeps{2000});
  EXPECT_EQ(fake.MutexLog(), Strings{"MainDialogFirstTimeRunning"});
  EXPECT_TRUE(fake.closedHandles.empty());
}

TEST_F(FirstTimeRun, AShortPathThatDoesNotFitIsNotStarted) {
  Configure({"Run1=splash.exe,4"});
  fake.AddFile(InData("splash.exe"));
  for (std::size_t length : {257, 256}) {  // 260 and 259 characters
    fake.mutexNames.clear();
    fake.SetShortName(InData("splash.exe"), "D:\\" + std::string(length, 'a'));
    fake.AddFile("D:\\" + std::string(length, 'a'));
    Run(1);
  }
  EXPECT_EQ(fake.processes.size(), 1u);
  EXPECT_EQ(fake.sleeps, Sleeps{4000});
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
  EXPECT_EQ(Started(), Strings{InData("splash.exe")});
  fake.AddWindow("Bonus");
  Run(2);
  Run(2);
  EXPECT_EQ(Started(), (Strings{InData("splash.exe"), InData("after.exe")}));
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
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(fake.sleeps.empty());
  EXPECT_EQ(fake.OpenHandles("MainDialogFirstTimeRunning"), 2);
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

TEST_F(FirstTimeRun, AMissingConfigurationRunsNothingButTakesTheName) {
  Run(1);
  Run(2);
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_EQ(
      fake.OpenHandles("MainDialogFirstTimeRunning") + fake.OpenHandles("AfterMainDialogFirstTimeRunning"),
      2);
  EXPECT_TRUE(fake.boxes.empty());
}

}  // namespace
