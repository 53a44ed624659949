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

// Markers: files in the program folder; a trailing backslash makes a folder
// of that name instead.
struct ModeCase {
  std::string name;
  std::vector<std::string> arguments;
  std::vector<std::string> markers;
  Outcome expected;
};

TEST(StartUpMode, ChoosesTheModeAndCreatesTheMutexesInOrder) {
  const ModeCase cases[] = {
      {"Param0", {"0"}, {}, kTrayOnly},
      {"SlashParam0", {"/0"}, {}, kTrayOnly},
      {"DashParam0", {"-0"}, {}, kTrayOnly},
      {"Param0WithTabs", {"\t0 "}, {}, kTrayOnly},
      {"Param1", {"1"}, {}, kDialogAndTray},
      {"SlashParam1", {"/1"}, {}, kDialogAndTray},
      {"DashParam1", {"-1"}, {}, kDialogAndTray},
      {"Param1WithBlanks", {"  1  "}, {}, kDialogAndTray},
      {"NoParam", {}, {}, kDialogOnly},
      {"QuotedBlanks", {"   "}, {}, kDialogOnly},
      {"EmptyToken", {""}, {}, kDialogOnly},
      {"Unrecognised", {"x"}, {}, kNoWindow},
      {"LeadingZero", {"01"}, {}, kNoWindow},
      {"XThen1", {"x", "1"}, {}, kDialogAndTray},
      {"OneThenX", {"1", "x"}, {}, kNoWindow},
      {"ZeroThen1", {"0", "1"}, {}, kDialogAndTray},
      {"Marker0Param1", {"1"}, {"0.RTF"}, kTrayOnly},
      {"Marker0NoParam", {}, {"0.RTF"}, kTrayOnly},
      {"Marker0Unrecognised", {"x"}, {"0.RTF"}, kTrayOnly},
      {"Marker0LowerCase", {}, {"0.rtf"}, kTrayOnly},
      {"Marker1NoParam", {}, {"1.RTF"}, kDialogAndTray},
      {"Marker1Param1", {"1"}, {"1.RTF"}, kDialogAndTray},
      {"Marker1Unrecognised", {"x"}, {"1.RTF"}, kDialogAndTray},
      {"Marker1Param0", {"0"}, {"1.RTF"}, kTrayOnly},
      {"BothMarkers", {}, {"0.RTF", "1.RTF"}, kTrayOnly},
      {"Marker0IsAFolder", {}, {"0.RTF\\"}, kDialogOnly},
      {"Marker1IsAFolder", {"x"}, {"1.RTF\\"}, kNoWindow},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    plat::FakePlatform fake;
    InstallProduct(fake);
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,2"}));
    fake.AddFile(std::string(kDataDir) + "\\splash.exe");
    fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Bonus"}));
    fake.AddFile(std::string(kDataDir) + "\\0.RTF");  // markers count only in the program folder
    for (const auto& m : c.markers) {
      const std::string path = std::string(kProgramDir) + "\\" + m;
      if (m.back() == '\\')
        fake.AddFolder(path.substr(0, path.size() - 1));
      else
        fake.AddFile(path);
    }
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
}

}  // namespace
