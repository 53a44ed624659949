// What start-up does when something is missing or already running.
#include <gtest/gtest.h>

#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

const std::string kNotInstalled = "You have to install  \"Velmora 5.0\"  first.";
const std::string kStop = "V50_StopAutoRun_Mutex";
using Strings = std::vector<std::string>;

// A machine with the product installed, its disk inserted (title "Bonus") and
// a program folder copy of the configuration (title "Local Bonus").
struct Machine {
  plat::FakePlatform fake;
  RecordingWindows windows{fake};
  RecordingLibraries libraries;
  bool mainWindow = false;

  Machine() {
    InstallProduct(fake);
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus"}));
    fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus"}));
  }
  bool Start(const Strings& arguments) {
    fake.arguments = arguments;
    CBonusApp app(fake, windows, libraries);
    const bool result = app.InitInstance();
    mainWindow = app.HasMainWindow();
    return result;
  }
  void EjectDisk() { fake.RemovePath(kDataConfig); }
  void Uninstall(const Strings& dataLines) {
    fake.AddFile(kDataConfig, TuneUp(dataLines));
    fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
    InstallProduct(fake, false);
  }
  int StopAutoRunCalls() const {
    int n = 0;
    for (const auto& call : fake.mutexCalls) {
      if (call.name != kStop) continue;
      EXPECT_TRUE(call.initialOwner);
      ++n;
    }
    return n;
  }
};

std::string NotInstalledBox(const std::string& caption) { return "0x0|" + caption + "|" + kNotInstalled; }

class StartUp : public ::testing::Test, public Machine {
 protected:
  // Starts with the arguments and checks the whole outcome; `raised` is the
  // window expected brought forward, if any.
  void Expect(const Strings& arguments, bool result, const Strings& boxes, const Strings& windowCalls,
              plat::WindowHandle raised = 0) {
    EXPECT_EQ(Start(arguments), result);
    EXPECT_EQ(BoxLog(fake), boxes);
    EXPECT_EQ(windows.calls, windowCalls);
    EXPECT_EQ(mainWindow, windows.Count("tray") > 0 && windows.trayCreatable);
    EXPECT_EQ(fake.foregrounded,
              raised ? std::vector<plat::WindowHandle>{raised} : std::vector<plat::WindowHandle>{});
  }
};

TEST_F(StartUp, NoAdminRightsEndsSilentlyBeforeAnythingElse) {
  libraries.adminRights = 0;
  Expect({}, false, {}, {});
  EXPECT_EQ(libraries.calls, Strings{"HasAdminRights(0)"});
  EXPECT_TRUE(fake.mutexCalls.empty());
}

TEST_F(StartUp, UpdateInProgressEndsSilentlyAfterTheLibrariesAreSetUp) {
  libraries.updateInProgress = 1;
  Expect({"1"}, false, {}, {});
  EXPECT_EQ(libraries.calls, (Strings{"HasAdminRights(0)", "VUtils 1", "VGui 1", "GetCurrentTheme",
                                      "VGui 3(Blue,1,1)", "IsUpdateInProgress"}));
  EXPECT_TRUE(fake.mutexCalls.empty());
}

TEST_F(StartUp, MissingInstallDirWithTestOneEndsWithTheNotInstalledMessage) {
  Uninstall({"WindowTitle=Bonus", "Test=1", "Run1=splash.exe,0"});
  fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  for (const char* param : {"0", "1", "", "x"}) {
    SCOPED_TRACE(param);
    fake.boxes.clear();
    Expect({param}, false, {NotInstalledBox("Bonus")}, {});
  }
  EXPECT_TRUE(fake.mutexCalls.empty());
  EXPECT_TRUE(fake.processes.empty());
}

TEST_F(StartUp, TheTestValueIsTrimmedAndComparedExactly) {
  for (const auto& [test, demandsProduct] : std::vector<std::pair<std::string, bool>>{
           {"1", true}, {" 1 \t", true}, {"01", false}, {"1.0", false}, {"yes", false}, {"", false}}) {
    SCOPED_TRACE(test);
    fake.boxes.clear();
    windows.calls.clear();
    Uninstall({"WindowTitle=Bonus", "Test=" + test});
    Expect({}, !demandsProduct, demandsProduct ? Strings{NotInstalledBox("Bonus")} : Strings{},
           demandsProduct ? Strings{} : Strings{"main"});
  }
}

TEST_F(StartUp, AnInstallDirValueOfAnyContentCountsAsInstalled) {
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Test=1"}));
  fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, "InstallDir", {plat::kRegSz, ""});
  Expect({}, true, {}, {"main"});
}

TEST_F(StartUp, TheNotInstalledMessageHasAnEmptyCaptionWithoutWindowTitle) {
  fake.AddFile(kDataConfig, TuneUp({"Test=1"}));
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  fake.AddFile(std::string(kProgramDir) + "\\VERavevi.rtf");  // data folder = program folder
  fake.AddFile(kProgramConfig, TuneUp({"Test=1"}));
  Expect({}, false, {NotInstalledBox("")}, {});
}

TEST_F(StartUp, AProductRemovedWhileThePromptIsOpenEndsTheDialogLoop) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "Test=1"}));
  fake.onBox = [&](const plat::FakePlatform::Box& box) {
    if (box.text == kPromptText) fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  };
  Expect({}, true, {PromptBox("Local Bonus"), NotInstalledBox("Local Bonus")}, {});
}

// ---- the insert-disk prompt and the order dialog ------------------------------

TEST_F(StartUp, InsertDiskPromptRepeatsOnOkAndCancelEndsDialogOnlyMode) {
  EjectDisk();
  fake.answers = {plat::kIdOk, plat::kIdOk, plat::kIdCancel};
  Expect({}, true, Strings(3, PromptBox("Local Bonus")), {});
  EXPECT_EQ(StopAutoRunCalls(), 3);  // one per round, none closed
  EXPECT_EQ(fake.OpenHandles(kStop), 3);
}

TEST_F(StartUp, CancelInDialogAndTrayModeLeavesTheTray) {
  EjectDisk();
  fake.answers = {plat::kIdCancel};
  Expect({"1"}, true, {PromptBox("Local Bonus")}, {"tray"});
}

TEST_F(StartUp, InsertingTheDiskAndPressingOkOpensTheDialog) {
  EjectDisk();
  fake.onBox = [&](const plat::FakePlatform::Box&) {
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus"}));
  };
  Expect({}, true, {PromptBox("Local Bonus")}, {"main"});
  EXPECT_EQ(windows.stopAutoRunHandles, std::vector<int>{3});  // two rounds' handles and the dialog's
}

TEST_F(StartUp, WithoutAnyConfigurationThePromptHasTheDefaultTitle) {
  EjectDisk();
  fake.RemovePath(kProgramConfig);  // empty values, no error box
  fake.answers = {plat::kIdCancel};
  Expect({}, true, {PromptBox(kDefaultTitle)}, {});
}

TEST_F(StartUp, ATrayOnlyStartWithoutAnyConfigurationShowsNothing) {
  EjectDisk();
  fake.RemovePath(kProgramConfig);
  Expect({"0"}, true, {}, {"tray"});
}

TEST_F(StartUp, WithOrderTextsTheOrderDialogReplacesThePrompt) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "OrderURLmsg=Order %s at",
                                       "OrderURL=http://example.com/order"}));
  windows.orderResults = {plat::kIdOk, plat::kIdOk, plat::kIdCancel};
  Expect({}, true, {}, {"order", "order", "order"});
  // Each round: OpenMainDialog's handle, then RunOrderDialog's; none closed.
  EXPECT_EQ(windows.stopAutoRunHandles, (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(StopAutoRunCalls(), 6);
  EXPECT_TRUE(fake.closedHandles.empty());
  // Closing the order dialog any other way ends the loop.
  windows.calls.clear();
  windows.orderResults = {0};
  Expect({}, true, {}, {"order"});
}

TEST_F(StartUp, OneOrderTextAloneGivesThePrompt) {
  EjectDisk();
  for (const auto& line : {"OrderURLmsg=Order", "OrderURL=http://example.com"}) {
    SCOPED_TRACE(line);
    fake.boxes.clear();
    fake.AddFile(kProgramConfig, TuneUp({line}));
    fake.answers = {plat::kIdCancel};
    Expect({}, true, {PromptBox(kDefaultTitle)}, {});
  }
}

// ---- a main dialog already open ------------------------------------------------

TEST_F(StartUp, AnOpenMainDialogIsRaisedInsteadOfOpeningASecond) {
  Expect({}, true, {}, {}, fake.AddWindow("Bonus", "#32770", "C:\\Other\\VERavevi.exe"));
}

TEST_F(StartUp, WhenTheDiskIsMissingTheOpenDialogIsLookedForUnderTheDefaultTitle) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({}));
  const auto open = fake.AddWindow(kDefaultTitle, "#32770", kProgram);
  fake.AddWindow("", "#32770", kProgram);
  Expect({}, true, {}, {}, open);
}

TEST_F(StartUp, WithAnEmptyWindowTitleOnlyThisProgramsUntitledDialogCounts) {
  fake.AddFile(kDataConfig, TuneUp({}));
  fake.AddWindow("", "#32770", "C:\\Windows\\notepad.exe");
  fake.AddWindow("", "Shell_TrayWnd", kProgram);
  fake.AddWindow("", "#32770", "");
  Expect({}, true, {}, {"main"});
  windows.calls.clear();
  Expect({}, true, {}, {}, fake.AddWindow("", "#32770", "c:\\program files\\velmora\\veravevi.EXE"));
}

// ---- another process already owns the tray, or the tray cannot be made ----------

TEST_F(StartUp, DialogAndTrayStartWithATrayAliveShowsOnlyTheDialog) {
  fake.CreateMutex("justSTI", false);  // held by another process
  Expect({"1"}, true, {}, {"main"});
}

TEST_F(StartUp, AnUnrecognisedParameterStillStartsRun1) {
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,0"}));
  fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  Expect({"x"}, true, {}, {});
  EXPECT_EQ(fake.processes.size(), 1u);
}

TEST_F(StartUp, ATrayFrameThatCannotBeMadeEndsTheProcess) {
  windows.trayCreatable = false;
  Expect({"0"}, false, {}, {"tray"});
  windows.calls.clear();
  fake.mutexNames.clear();  // the first process has ended
  Expect({"1"}, false, {}, {"tray"});
}

TEST_F(StartUp, TheSubstituteLibrariesLetStartUpGoOn) {
  CBonusApp app(fake, windows);
  EXPECT_TRUE(app.InitInstance());
  EXPECT_EQ(windows.calls, Strings{"main"});
}

TEST(StartUpProductCheck, ReadsTheDataFolderCopyOrFallsBackToTheProgramFolder) {
  for (bool diskIn : {true, false}) {
    SCOPED_TRACE(diskIn);
    Machine m;
    m.fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "Test=1"}));
    m.fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
    if (diskIn) InstallProduct(m.fake, false);
    CBonusApp app(m.fake, m.windows, m.libraries);
    EXPECT_EQ(app.CheckProductInstalled(), diskIn);
    EXPECT_EQ(app.m_sConfigFile, diskIn ? kDataConfig : kProgramConfig);
    EXPECT_EQ(app.m_sWindowTitle, diskIn ? "Bonus" : "Local Bonus");
    EXPECT_EQ(BoxLog(m.fake), diskIn ? Strings{} : Strings{NotInstalledBox("Local Bonus")});
  }
}

TEST_F(StartUp, ALiveTrayOnlyProcessEndsASecondTrayAndSuppressesLaterRun1) {
  Machine& m = *this;
  m.fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,1"}));
  m.fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  ASSERT_TRUE(m.Start({"0"}));  // the first process, alive on the same machine
  for (const Strings& arguments : {Strings{"0"}, Strings{}, Strings{"x"}}) {
    RecordingWindows later(m.fake);
    m.fake.arguments = arguments;
    CBonusApp app(m.fake, later, m.libraries);
    EXPECT_EQ(app.InitInstance(), arguments != Strings{"0"});
    if (arguments == Strings{"0"}) {
      EXPECT_TRUE(later.calls.empty());
    }
  }
  EXPECT_TRUE(m.fake.processes.empty());
  EXPECT_TRUE(m.fake.sleeps.empty());
  EXPECT_TRUE(m.fake.boxes.empty());
}

TEST(StartUpDialogs, RunMainDialogHoldsTheStopAutoRunNameOnlyWhileTheDialogIsOpen) {
  plat::FakePlatform fake;
  RecordingWindows windows(fake);
  EXPECT_TRUE(RunMainDialog(fake, windows));
  EXPECT_EQ(windows.stopAutoRunHandles, std::vector<int>{1});
  EXPECT_EQ(fake.OpenHandles(kStop), 0);
  EXPECT_EQ(fake.MutexLog(), Strings{kStop + " owned"});
}

TEST(StartUpDialogs, RunOrderDialogAsksAgainOnlyAfterOk) {
  plat::FakePlatform fake;
  RecordingWindows windows(fake);
  windows.orderResults = {plat::kIdOk, plat::kIdCancel, 0};
  EXPECT_FALSE(RunOrderDialog(fake, windows));
  EXPECT_TRUE(RunOrderDialog(fake, windows));
  EXPECT_TRUE(RunOrderDialog(fake, windows));
  EXPECT_EQ(windows.stopAutoRunHandles, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(fake.OpenHandles(kStop), 3);
}

}  // namespace
