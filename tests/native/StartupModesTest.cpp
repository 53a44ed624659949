// The mode of a start: start-up parameter and marker files, with the named
// mutexes created on the way and the windows opened.
#include <gtest/gtest.h>

#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

const std::string kRun1 = "MainDialogFirstTimeRunning";
const std::string kRun2 = "AfterMainDialogFirstTimeRunning";
const std::string kTray = "justSTI";
const std::string kStop = "V50_StopAutoRun_Mutex owned";

struct Outcome {
  std::vector<std::string> windows;
  std::vector<std::string> mutexes;
  bool run1Started;
  bool mainWindow;
};

const Outcome kTrayOnly{{"tray"}, {kRun1, kRun2, kTray}, false, true};
const Outcome kDialogAndTray{{"tray", "main"}, {kRun1, kTray, kStop, kStop}, true, true};
const Outcome kDialogOnly{{"main"}, {kRun1, kStop, kStop}, true, false};
const Outcome kNoWindow{{}, {kRun1}, true, false};

struct ModeCase {
  std::string name;
  std::vector<std::string> arguments;
  std::vector<std::string> markerFiles;    // in the program folder
  std::vector<std::string> markerFolders;  // folders of a marker's name
  Outcome expected;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class StartUpMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(StartUpMode, ChoosesTheModeAndCreatesTheMutexesInOrder) {
  const ModeCase& c = GetParam();
  ScriptedPlatform fake;
  fake.InstallProduct();
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,2"}));
  fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Bonus"}));
  fake.AddFile(std::string(kDataDir) + "\\0.RTF");  // markers count only in the program folder
  for (const auto& m : c.markerFiles) fake.AddFile(std::string(kProgramDir) + "\\" + m);
  for (const auto& m : c.markerFolders) fake.AddFolder(std::string(kProgramDir) + "\\" + m);
  fake.arguments = c.arguments;
  RecordingWindows windows(fake);
  RecordingLibraries libraries;

  CBonusApp app(fake, windows, libraries);
  EXPECT_TRUE(app.InitInstance());

  EXPECT_EQ(windows.calls, c.expected.windows);
  EXPECT_EQ(fake.MutexLog(), c.expected.mutexes);
  EXPECT_EQ(app.HasMainWindow(), c.expected.mainWindow);
  EXPECT_TRUE(fake.boxes.empty());
  if (c.expected.run1Started) {
    ASSERT_EQ(fake.processes.size(), 1u);
    EXPECT_EQ(fake.processes[0].application, "D:\\Velmora\\access\\splash.exe");
    EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{2000});
  } else {
    EXPECT_TRUE(fake.processes.empty());
    EXPECT_TRUE(fake.sleeps.empty());
  }
  // Only RunMainDialog closes its handle; every other name stays alive.
  EXPECT_EQ(fake.closedHandles.size(), static_cast<std::size_t>(windows.Count("main")));
  for (int open : windows.stopAutoRunHandles) EXPECT_EQ(open, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartUpMode,
    ::testing::Values(
        ModeCase{"Param0", {"0"}, {}, {}, kTrayOnly},
        ModeCase{"SlashParam0", {"/0"}, {}, {}, kTrayOnly},
        ModeCase{"DashParam0", {"-0"}, {}, {}, kTrayOnly},
        ModeCase{"Param0WithTabs", {"\t0 "}, {}, {}, kTrayOnly},
        ModeCase{"Param1", {"1"}, {}, {}, kDialogAndTray},
        ModeCase{"SlashParam1", {"/1"}, {}, {}, kDialogAndTray},
        ModeCase{"DashParam1", {"-1"}, {}, {}, kDialogAndTray},
        ModeCase{"Param1WithBlanks", {"  1  "}, {}, {}, kDialogAndTray},
        ModeCase{"NoParam", {}, {}, {}, kDialogOnly},
        ModeCase{"QuotedBlanks", {"   "}, {}, {}, kDialogOnly},
        ModeCase{"EmptyToken", {""}, {}, {}, kDialogOnly},
        ModeCase{"Unrecognised", {"x"}, {}, {}, kNoWindow},
        ModeCase{"LeadingZero", {"01"}, {}, {}, kNoWindow},
        ModeCase{"XThen1", {"x", "1"}, {}, {}, kDialogAndTray},
        ModeCase{"OneThenX", {"1", "x"}, {}, {}, kNoWindow},
        ModeCase{"ZeroThen1", {"0", "1"}, {}, {}, kDialogAndTray},
        ModeCase{"Marker0Param1", {"1"}, {"0.RTF"}, {}, kTrayOnly},
        ModeCase{"Marker0NoParam", {}, {"0.RTF"}, {}, kTrayOnly},
        ModeCase{"Marker0Unrecognised", {"x"}, {"0.RTF"}, {}, kTrayOnly},
        ModeCase{"Marker0LowerCase", {}, {"0.rtf"}, {}, kTrayOnly},
        ModeCase{"Marker1NoParam", {}, {"1.RTF"}, {}, kDialogAndTray},
        ModeCase{"Marker1Param1", {"1"}, {"1.RTF"}, {}, kDialogAndTray},
        ModeCase{"Marker1Unrecognised", {"x"}, {"1.RTF"}, {}, kDialogAndTray},
        ModeCase{"Marker1Param0", {"0"}, {"1.RTF"}, {}, kTrayOnly},
        ModeCase{"BothMarkers", {}, {"0.RTF", "1.RTF"}, {}, kTrayOnly},
        ModeCase{"Marker0IsAFolder", {}, {}, {"0.RTF"}, kDialogOnly},
        ModeCase{"Marker1IsAFolder", {"x"}, {}, {"1.RTF"}, kNoWindow}),
    [](const ::testing::TestParamInfo<ModeCase>& row) { return row.param.name; });

}  // namespace
