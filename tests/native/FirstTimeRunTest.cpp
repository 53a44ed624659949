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

// Mode 1 with one Run1 line; files are in the data folder, a trailing
// backslash makes a folder.
TEST_F(FirstTimeRun, Run1ValuesTable) {
  struct Row {
    std::string run1;
    Strings files;
    Strings started;
    Sleeps sleeps;
    bool failStart = false;
  };
  const Row rows[] = {
      {"splash.exe", {"splash.exe"}, {"splash.exe"}, {}},  // no comma: no pause
      {"   splash.exe  ,  3", {"splash.exe"}, {"splash.exe"}, {3000}},
      {"tools\\intro.exe,0", {"tools\\intro.exe"}, {"tools\\intro.exe"}, {}},
      {"missing.exe,3", {}, {}, {}},
      {"tools,3", {"tools\\"}, {}, {}},
      {"splash.exe,4", {"splash.exe"}, {}, {4000}, true},  // a failed start still pauses
      // Pauses are bounded: nothing negative, NaN or below a second, at most a minute.
      {"splash.exe,-5", {"splash.exe"}, {"splash.exe"}, {}},
      {"splash.exe,-0.5", {"splash.exe"}, {"splash.exe"}, {}},
      {"splash.exe,0.9", {"splash.exe"}, {"splash.exe"}, {}},
      {"splash.exe,1e300", {"splash.exe"}, {"splash.exe"}, {60000}},
      {"splash.exe,-1e300", {"splash.exe"}, {"splash.exe"}, {}},
      {"splash.exe,100000", {"splash.exe"}, {"splash.exe"}, {60000}},
      {"splash.exe,60", {"splash.exe"}, {"splash.exe"}, {60000}},
      {"splash.exe,59.99", {"splash.exe"}, {"splash.exe"}, {59000}},
      {"splash.exe,nan", {"splash.exe"}, {"splash.exe"}, {}},
      {"splash.exe,inf", {"splash.exe"}, {"splash.exe"}, {60000}},
      {"splash.exe,soon", {"splash.exe"}, {"splash.exe"}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.run1);
    fake.mutexNames.clear();
    fake.sleeps.clear();
    fake.processes.clear();
    fake.RemovePath(InData("tools"));
    fake.RemovePath(InData("splash.exe"));
    for (const auto& f : row.files) {
      if (f.back() == '\\')
        fake.AddFolder(InData(f.substr(0, f.size() - 1)));
      else
        fake.AddFile(InData(f));
    }
    fake.failCreateProcess = row.failStart;
    Configure({"Run1=" + row.run1});
    Run(1);
    Strings started;
    for (const auto& s : row.started) started.push_back(InData(s));
    EXPECT_EQ(Started(), started);
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

TEST(FirstTimeRunPause, ReadsLikeAtofAndTruncates) {
  EXPECT_EQ(FirstTimeRunPauseSeconds("  7abc"), 7);
  EXPECT_EQ(FirstTimeRunPauseSeconds("splash.exe"), 0);
  EXPECT_EQ(FirstTimeRunPauseSeconds(""), 0);
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
  EXPECT_EQ(Started(), Strings{std::string(kProgramDir) + "\\splash.exe"});
}

TEST_F(FirstTimeRun, AnEmptyWindowTitleLooksOnlyForThisProgramsUntitledDialog) {
  Configure({"Run1=splash.exe,0", "Run2=after.exe,0"});
  fake.AddFile(InData("splash.exe"));
  fake.AddFile(InData("after.exe"));
  fake.AddWindow("", "#32770", "C:\\Windows\\explorer.exe");
  fake.AddWindow("", "Progman", kProgram);
  Run(1);
  Run(2);
  EXPECT_EQ(Started(), Strings{InData("splash.exe")});

  fake.mutexNames.clear();
  fake.processes.clear();
  fake.AddWindow("", "#32770", kProgram);
  Run(1);
  Run(2);
  EXPECT_EQ(Started(), Strings{InData("after.exe")});
}

}  // namespace
