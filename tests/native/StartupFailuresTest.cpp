// What start-up does when something is missing or already running.
#include <gtest/gtest.h>

#include "resources/StringTable.h"
#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

const std::string kNotInstalled = "You have to install  \"Velmora 5.0\"  first.";
const std::string kPrompt = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";
const std::string kDefaultTitle = "Velmora Bonus Software Installer";
const std::string kStop = "V50_StopAutoRun_Mutex";

class StartUp : public ::testing::Test {
 protected:
  ScriptedPlatform fake;
  RecordingWindows windows{fake};
  RecordingLibraries libraries;
  bool result = false;
  bool mainWindow = false;

  void SetUp() override {
    fake.InstallProduct();
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus"}));
    fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus"}));
  }

  bool Start(const std::vector<std::string>& arguments) {
    fake.arguments = arguments;
    CBonusApp app(fake, windows, libraries);
    result = app.InitInstance();
    mainWindow = app.HasMainWindow();
    return result;
  }

  // The data folder is unreachable (the product's disk is not inserted).
  void EjectDisk() { fake.RemovePath(kDataConfig); }

  void ExpectBox(std::size_t i, const std::string& text, const std::string& caption, unsigned type) {
    ASSERT_LT(i, fake.boxes.size());
    EXPECT_EQ(fake.boxes[i].owner, 0u);
    EXPECT_EQ(fake.boxes[i].text, text);
    EXPECT_EQ(fake.boxes[i].caption, caption);
    EXPECT_EQ(fake.boxes[i].type, type);
  }

  int StopAutoRunCalls() const {
    int n = 0;
    for (const auto& call : fake.mutexCalls) {
      if (call.name == kStop) {
        EXPECT_TRUE(call.initialOwner);
        ++n;
      }
    }
    return n;
  }
};

// ---- the maker's libraries --------------------------------------------------

TEST_F(StartUp, NoAdminRightsEndsSilentlyBeforeAnythingElse) {
  libraries.adminRights = 0;
  EXPECT_FALSE(Start({}));
  EXPECT_EQ(libraries.calls, std::vector<std::string>{"HasAdminRights(0)"});
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_TRUE(fake.mutexCalls.empty());
  EXPECT_TRUE(windows.calls.empty());
}

TEST_F(StartUp, UpdateInProgressEndsSilentlyAfterTheLibrariesAreSetUp) {
  libraries.updateInProgress = 1;
  EXPECT_FALSE(Start({"1"}));
  EXPECT_EQ(libraries.calls,
            (std::vector<std::string>{"HasAdminRights(0)", "VUtils 1", "VGui 1", "GetCurrentTheme",
                                      "VGui 3(Blue,1,1)", "IsUpdateInProgress"}));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_TRUE(fake.mutexCalls.empty());
  EXPECT_TRUE(windows.calls.empty());
}

TEST(StartUpSubstitutes, TheSubstituteLibrariesLetStartUpGoOn) {
  ScriptedPlatform fake;
  fake.InstallProduct();
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus"}));
  RecordingWindows windows(fake);
  CBonusApp app(fake, windows);
  EXPECT_TRUE(app.InitInstance());
  EXPECT_EQ(windows.calls, std::vector<std::string>{"main"});
}

// ---- the product check -----------------------------------------------------

TEST_F(StartUp, MissingInstallDirWithTestOneEndsWithTheNotInstalledMessage) {
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Test=1", "Run1=splash.exe,0"}));
  fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  fake.InstallProduct(false);
  for (const auto& param : {"0", "1", "", "x"}) {
    fake.boxes.clear();
    EXPECT_FALSE(Start({param})) << param;
    ASSERT_EQ(fake.boxes.size(), 1u);
    ExpectBox(0, kNotInstalled, "Bonus", 0);
  }
  EXPECT_TRUE(fake.mutexCalls.empty());
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(windows.calls.empty());
}

TEST_F(StartUp, TheTestValueIsTrimmedAndComparedExactly) {
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  fake.InstallProduct(false);
  struct Row {
    std::string test;
    bool demandsProduct;
  };
  for (const Row& row : {Row{"1", true}, Row{" 1 \t", true}, Row{"01", false}, Row{"1.0", false},
                         Row{"yes", false}, Row{"", false}}) {
    fake.boxes.clear();
    windows.calls.clear();
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Test=" + row.test}));
    EXPECT_EQ(Start({}), !row.demandsProduct) << row.test;
    EXPECT_EQ(fake.boxes.size(), row.demandsProduct ? 1u : 0u) << row.test;
    EXPECT_EQ(windows.Count("main"), row.demandsProduct ? 0 : 1) << row.test;
  }
}

TEST_F(StartUp, AnInstallDirValueOfAnyContentCountsAsInstalled) {
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Test=1"}));
  fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, "InstallDir", {plat::kRegSz, ""});
  EXPECT_TRUE(Start({}));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(windows.calls, std::vector<std::string>{"main"});
}

TEST_F(StartUp, TheNotInstalledMessageHasAnEmptyCaptionWithoutWindowTitle) {
  fake.AddFile(kDataConfig, TuneUp({"Test=1"}));
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  fake.AddFile(std::string(kProgramDir) + "\\VERavevi.rtf");  // data folder = program folder
  fake.AddFile(kProgramConfig, TuneUp({"Test=1"}));
  EXPECT_FALSE(Start({}));
  ASSERT_EQ(fake.boxes.size(), 1u);
  ExpectBox(0, kNotInstalled, "", 0);
}

TEST_F(StartUp, TheProductCheckFallsBackToTheProgramFolderCopy) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "Test=1"}));
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  CBonusApp app(fake, windows, libraries);
  EXPECT_FALSE(app.CheckProductInstalled());
  EXPECT_EQ(app.m_sConfigFile, kProgramConfig);
  EXPECT_EQ(app.m_sWindowTitle, "Local Bonus");
  ExpectBox(0, kNotInstalled, "Local Bonus", 0);
}

TEST_F(StartUp, TheProductCheckReadsTheDataFolderCopyWhenItExists) {
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "Test=1"}));
  fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  fake.InstallProduct(false);
  CBonusApp app(fake, windows, libraries);
  EXPECT_TRUE(app.CheckProductInstalled());
  EXPECT_EQ(app.m_sConfigFile, kDataConfig);
  EXPECT_EQ(app.m_sWindowTitle, "Bonus");
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(StartUp, AProductRemovedWhileThePromptIsOpenEndsTheDialogLoop) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "Test=1"}));
  fake.onBox = [&](const plat::FakePlatform::Box& box) {
    if (box.text == kPrompt) fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
  };
  EXPECT_TRUE(Start({}));
  ASSERT_EQ(fake.boxes.size(), 2u);
  ExpectBox(0, kPrompt, "Local Bonus", 0x11);
  ExpectBox(1, kNotInstalled, "Local Bonus", 0);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_FALSE(mainWindow);
}

// ---- the insert-disk prompt and the order dialog ------------------------------

TEST_F(StartUp, InsertDiskPromptRepeatsOnOkAndCancelEndsDialogOnlyMode) {
  EjectDisk();
  fake.answers = {plat::kIdOk, plat::kIdOk, plat::kIdCancel};
  EXPECT_TRUE(Start({}));
  ASSERT_EQ(fake.boxes.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) ExpectBox(i, kPrompt, "Local Bonus", 0x11);
  EXPECT_EQ(StopAutoRunCalls(), 3);  // one per round, none closed
  EXPECT_EQ(fake.OpenHandles(kStop), 3);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_FALSE(mainWindow);
}

TEST_F(StartUp, CancelInDialogAndTrayModeLeavesTheTray) {
  EjectDisk();
  fake.answers = {plat::kIdCancel};
  EXPECT_TRUE(Start({"1"}));
  EXPECT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(windows.calls, std::vector<std::string>{"tray"});
  EXPECT_TRUE(mainWindow);
}

TEST_F(StartUp, InsertingTheDiskAndPressingOkOpensTheDialog) {
  EjectDisk();
  fake.onBox = [&](const plat::FakePlatform::Box&) {
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus"}));
  };
  EXPECT_TRUE(Start({}));
  EXPECT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(windows.calls, std::vector<std::string>{"main"});
  EXPECT_EQ(windows.stopAutoRunHandles, std::vector<int>{3});  // two rounds' handles and the dialog's
}

TEST_F(StartUp, ThePromptUsesTheDefaultTitleWithoutWindowTitle) {
  EjectDisk();
  fake.RemovePath(kProgramConfig);  // no configuration anywhere: empty values, no error box
  fake.answers = {plat::kIdCancel};
  EXPECT_TRUE(Start({}));
  ASSERT_EQ(fake.boxes.size(), 1u);
  ExpectBox(0, kPrompt, kDefaultTitle, 0x11);
}

TEST_F(StartUp, TrayOnlyStartWithoutAnyConfigurationShowsNothing) {
  EjectDisk();
  fake.RemovePath(kProgramConfig);
  EXPECT_TRUE(Start({"0"}));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(windows.calls, std::vector<std::string>{"tray"});
}

TEST_F(StartUp, WithOrderTextsTheOrderDialogReplacesThePrompt) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus", "OrderURLmsg=Order %s at",
                                       "OrderURL=http://example.com/order"}));
  windows.orderResults = {plat::kIdOk, plat::kIdOk, plat::kIdCancel};
  EXPECT_TRUE(Start({}));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"order", "order", "order"}));
  // Each round: OpenMainDialog's handle, then RunOrderDialog's; none closed.
  EXPECT_EQ(windows.stopAutoRunHandles, (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(StopAutoRunCalls(), 6);
  EXPECT_TRUE(fake.closedHandles.empty());
}

TEST_F(StartUp, ClosingTheOrderDialogAnyOtherWayEndsTheLoop) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({"OrderURLmsg=Order", "OrderURL=http://example.com"}));
  windows.orderResults = {0};
  EXPECT_TRUE(Start({}));
  EXPECT_EQ(windows.calls, std::vector<std::string>{"order"});
}

TEST_F(StartUp, OneOrderTextAloneGivesThePrompt) {
  EjectDisk();
  for (const auto& line : {"OrderURLmsg=Order", "OrderURL=http://example.com"}) {
    fake.boxes.clear();
    windows.calls.clear();
    fake.AddFile(kProgramConfig, TuneUp({line}));
    fake.answers = {plat::kIdCancel};
    EXPECT_TRUE(Start({}));
    ASSERT_EQ(fake.boxes.size(), 1u) << line;
    ExpectBox(0, kPrompt, kDefaultTitle, 0x11);
    EXPECT_TRUE(windows.calls.empty());
  }
}

// ---- a main dialog already open ------------------------------------------------

TEST_F(StartUp, AnOpenMainDialogIsRaisedInsteadOfOpeningASecond) {
  const auto open = fake.AddWindow("Bonus", "#32770", "C:\\Other\\VERavevi.exe");
  EXPECT_TRUE(Start({}));
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(fake.foregrounded, std::vector<plat::WindowHandle>{open});
  EXPECT_FALSE(mainWindow);
}

TEST_F(StartUp, WhenTheDiskIsMissingTheOpenDialogIsLookedForUnderTheDefaultTitle) {
  EjectDisk();
  fake.AddFile(kProgramConfig, TuneUp({}));
  const auto open = fake.AddWindow(kDefaultTitle, "#32770", kProgram);
  fake.AddWindow("", "#32770", kProgram);
  EXPECT_TRUE(Start({}));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(fake.foregrounded, std::vector<plat::WindowHandle>{open});
}

TEST_F(StartUp, WithAnEmptyWindowTitleOnlyThisProgramsUntitledDialogCounts) {
  fake.AddFile(kDataConfig, TuneUp({}));
  fake.AddWindow("", "#32770", "C:\\Windows\\notepad.exe");
  fake.AddWindow("", "Shell_TrayWnd", kProgram);
  fake.AddWindow("", "#32770", "");
  EXPECT_TRUE(Start({}));
  EXPECT_EQ(windows.calls, std::vector<std::string>{"main"});
  EXPECT_TRUE(fake.foregrounded.empty());

  windows.calls.clear();
  const auto ours = fake.AddWindow("", "#32770", "c:\\program files\\velmora\\veravevi.EXE");
  EXPECT_TRUE(Start({}));
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(fake.foregrounded, std::vector<plat::WindowHandle>{ours});
}

// ---- another process already owns the tray --------------------------------------

TEST_F(StartUp, ASecondTrayOnlyStartEndsWithoutWindowOrMessage) {
  ASSERT_TRUE(Start({"0"}));  // the first process, alive on the same machine
  RecordingWindows second(fake);
  fake.arguments = {"0"};
  CBonusApp app(fake, second, libraries);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(second.calls.empty());
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(StartUp, DialogAndTrayStartWithATrayAliveShowsOnlyTheDialog) {
  fake.CreateMutex("justSTI", false);  // held by another process
  fake.mutexCalls.clear();
  EXPECT_TRUE(Start({"1"}));
  EXPECT_EQ(windows.calls, std::vector<std::string>{"main"});
  EXPECT_FALSE(mainWindow);
}

TEST_F(StartUp, ALiveTrayOnlyProcessSuppressesRun1OfLaterProcesses) {
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,1"}));
  fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  ASSERT_TRUE(Start({"0"}));
  EXPECT_TRUE(Start({}));
  EXPECT_TRUE(Start({"x"}));
  EXPECT_TRUE(fake.processes.empty());
  EXPECT_TRUE(fake.sleeps.empty());
}

TEST_F(StartUp, AnUnrecognisedParameterStillStartsRun1) {
  fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,0"}));
  fake.AddFile(std::string(kDataDir) + "\\splash.exe");
  EXPECT_TRUE(Start({"x"}));
  ASSERT_EQ(fake.processes.size(), 1u);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_FALSE(mainWindow);
}

// ---- the tray frame cannot be made ------------------------------------------------

TEST_F(StartUp, ATrayFrameThatCannotBeMadeEndsTheProcess) {
  windows.trayCreatable = false;
  EXPECT_FALSE(Start({"0"}));
  EXPECT_EQ(windows.calls, std::vector<std::string>{"tray"});

  windows.calls.clear();
  fake.mutexNames.clear();  // the first process has ended
  EXPECT_FALSE(Start({"1"}));
  EXPECT_EQ(windows.calls, std::vector<std::string>{"tray"});
  EXPECT_TRUE(fake.boxes.empty());
}

// ---- the free operations ------------------------------------------------------------

TEST(StartUpDialogs, RunMainDialogHoldsTheStopAutoRunNameOnlyWhileTheDialogIsOpen) {
  ScriptedPlatform fake;
  RecordingWindows windows(fake);
  EXPECT_TRUE(RunMainDialog(fake, windows));
  EXPECT_EQ(windows.stopAutoRunHandles, std::vector<int>{1});
  EXPECT_EQ(fake.OpenHandles(kStop), 0);
  EXPECT_EQ(fake.MutexLog(), std::vector<std::string>{kStop + " owned"});
}

TEST(StartUpDialogs, RunOrderDialogAsksAgainOnlyAfterOk) {
  ScriptedPlatform fake;
  RecordingWindows windows(fake);
  windows.orderResults = {plat::kIdOk, plat::kIdCancel, 0};
  EXPECT_FALSE(RunOrderDialog(fake, windows));
  EXPECT_TRUE(RunOrderDialog(fake, windows));
  EXPECT_TRUE(RunOrderDialog(fake, windows));
  EXPECT_EQ(windows.stopAutoRunHandles, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(fake.OpenHandles(kStop), 3);
}

TEST(StartUpTexts, NotInstalledMessage) {
  EXPECT_EQ(NotInstalledMessage(), "You have to install  \"Velmora 5.0\"  first.");
}

}  // namespace
