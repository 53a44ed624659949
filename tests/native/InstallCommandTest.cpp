// The main dialog's install command, MoreInfo action and timers, through the
// recording view and the fake machine.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "browser/BonusDlg.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

constexpr const char* kPrompt = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";
constexpr const char* kConfirmTail =
    " is about to be installed.\n\nIf you are prompted for information during the installation and\n"
    "are not sure how to respond, select the default response. If you have any questions or problems "
    "with this software, please\ncontact the appropriate vendor.";
constexpr const char* kGames = "D:\\access\\Games";
constexpr const char* kSetup = "D:\\access\\Games\\setup.exe";

class InstallTest : public DialogTest {
 protected:
  // One capsule "Games" with `capsule` as its file's extra lines, and its setup.exe.
  void Games(const std::string& capsule, const std::string& tuneUp = "WindowTitle=Bonus Programs\n") {
    m.Main("[TuneUp]\n" + tuneUp + "[Packages]\nGames\n");
    m.Capsule("Games", "[TuneUp]\nTitle=  Game Pack\n" + capsule);
    m.fake.AddFile(kSetup);
  }
  // Set-up, then the capsule selected; the boxes and timers so far are forgotten.
  void OpenAndSelect() {
    Open();
    Pick("  Game Pack");
    ASSERT_TRUE(dlg->HasSelection());
    m.fake.boxes.clear();
    view.boxes.clear();
    view.timersStarted.clear();
  }
  bool MoreInfoPolled() const {
    for (const auto& t : view.timersStarted)
      if (t.first == kTimerMoreInfo) return true;
    return false;
  }
  bool NothingStarted() const {
    return m.fake.processes.empty() && m.fake.shellCalls.empty() && m.fake.scriptCalls.empty();
  }
};

TEST_F(InstallTest, InstallsTheSelectedCapsuleThroughTheShellAndPollsForMoreInfo) {
  Games("Run={SRC_DIR}\\Games\\setup.exe, /s\n");
  OpenAndSelect();
  dlg->m_bMessageShown = true;
  dlg->OnInstall();
  EXPECT_EQ(ShellCalls(m.fake), "open D:\\access\\Games\\setup.exe [/s] in D:\\access\\Games\n");
  EXPECT_FALSE(dlg->m_bMessageShown);
  EXPECT_EQ(Boxes(m.fake.boxes) + Boxes(view.boxes), "");
  EXPECT_EQ(view.timersStarted, (std::vector<std::pair<unsigned, unsigned>>{{kTimerMoreInfo, 500u}}));
}

TEST_F(InstallTest, EnterOnTheMoreInfoLinkRunsTheLinkInstead) {
  Games("Run=setup.exe\nMoreInfoTitle=More\nMoreInfoRun=info.htm\n");
  m.fake.AddFile("D:\\access\\Games\\info.htm");
  OpenAndSelect();
  dlg->m_bMoreInfoArmed = true;
  dlg->m_bMessageShown = true;
  view.focusId = kIdMoreInfo;
  dlg->OnInstall();
  EXPECT_EQ(ShellCalls(m.fake), "open D:\\access\\Games\\info.htm [] in D:\\access\\Games\n");
  EXPECT_TRUE(dlg->m_bMessageShown);  // the install command itself did not run
  EXPECT_FALSE(MoreInfoPolled());
}

TEST_F(InstallTest, DiskPromptRepeatsUntilTheDiskIsBackOrCancelEndsTheCommand) {
  Games("Run=setup.exe\n");
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg", "[TuneUp]\nWindowTitle=Local Copy\n");
  OpenAndSelect();
  const std::string mainContent = m.fake.FileContent(DiskMachine::kMainFile);
  m.fake.RemovePath(DiskMachine::kMainFile);
  m.fake.answers = {plat::kIdCancel};
  dlg->OnInstall();
  EXPECT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_TRUE(NothingStarted());
  EXPECT_FALSE(MoreInfoPolled());
  EXPECT_TRUE(view.endResults.empty());  // the dialog stays open

  m.fake.boxes.clear();
  int localReads = 0;
  m.fake.onRead = [&](const std::string& path) {
    if (path == "C:\\Program Files\\Velmora\\VERavevi.cfg" && ++localReads == 2)
      m.fake.AddFile(DiskMachine::kMainFile, mainContent);  // the disk goes in during the second prompt
  };
  dlg->OnInstall();
  EXPECT_EQ(Boxes(m.fake.boxes),
            std::string("Local Copy|") + kPrompt + "|0x11\nLocal Copy|" + kPrompt + "|0x11\n");
  EXPECT_EQ(dlg->m_sDiskPrompt, kPrompt);
  EXPECT_EQ(m.fake.shellCalls.size(), 1u);
  EXPECT_EQ(dlg->m_sCaption, "Bonus Programs");  // from the disk's file once it was read
}

TEST_F(InstallTest, NothingSelectedIsSaidInTheDialogsOwnBox) {
  Games("Run=setup.exe\n");
  Open();
  view.timersStarted.clear();
  dlg->OnInstall();
  EXPECT_EQ(Boxes(view.boxes), "Bonus Programs|There is nothing selected for installation.|0x0\n");
  EXPECT_TRUE(NothingStarted());
  EXPECT_FALSE(MoreInfoPolled());
}

TEST_F(InstallTest, NoToTheVersionQuestionStopsSilently) {
  Games(
      "Run=setup.exe\n[Version]\nVersion=5.0\nRegistry=HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version\n"
      "AskMsg=Installed already. Again?\n");
  m.fake.AddFile("D:\\access\\Games\\Games.tmp");
  m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "5.0");
  OpenAndSelect();
  view.boxAnswers = {plat::kIdNo};
  dlg->OnInstall();
  EXPECT_EQ(Boxes(view.boxes), "Bonus Programs|Installed already. Again?|0x124\n");
  EXPECT_TRUE(NothingStarted());
  EXPECT_FALSE(MoreInfoPolled());

  view.boxAnswers = {plat::kIdYes};
  dlg->OnInstall();
  EXPECT_EQ(m.fake.shellCalls.size(), 1u);
  EXPECT_EQ(m.fake.processes.size(), 1u);  // Games.tmp
}

TEST_F(InstallTest, FileCheckExpandsMacrosForTheCapsule) {
  Games(
      "Run=setup.exe\nToken1=C:\\Game\n[Version]\nVersion=5\nFile={TOKEN1}\\game.exe,test\nAskMsg=Again?\n");
  m.fake.AddFile("C:\\Game\\game.exe");
  m.fake.SetProductVersion("C:\\Game\\game.exe", {4, 0, 0, 0});
  OpenAndSelect();
  view.boxAnswers = {plat::kIdOk, plat::kIdNo};
  dlg->OnInstall();
  EXPECT_EQ(
      Boxes(view.boxes),
      "Bonus Test|Product version of the  C:\\Game\\game.exe:   4.0.0.0|0x0\nBonus Programs|Again?|0x124\n");
  EXPECT_TRUE(NothingStarted());
}

TEST_F(InstallTest, OnlyDisclaimerOneAsksForConfirmationWithTheTitle) {
  const std::pair<const char*, bool> rows[] = {{"Disclaimer= 2 pages\n", true}, {"Disclaimer=0\n", false},
                                               {"Disclaimer=\n", false},        {"Disclaimer=yes\n", false},
                                               {"Disclaimer= 00\n", false},     {"", false}};
  for (const auto& [line, asks] : rows) {
    SCOPED_TRACE(line);
    Reset();
    Games(std::string("Run=setup.exe\n") + line);
    OpenAndSelect();
    dlg->OnInstall();
    EXPECT_EQ(Boxes(m.fake.boxes),
              asks ? std::string("Bonus Programs|Game Pack") + kConfirmTail + "|0x1\n" : "");
    EXPECT_EQ(m.fake.shellCalls.size(), 1u);
  }
  // Cancel starts nothing, not even the companions, and no timer.
  Reset();
  Games("Run=setup.exe\nDisclaimer=1\n");
  m.fake.AddFile("D:\\access\\Games\\_sys.gam");
  OpenAndSelect();
  m.fake.answers = {plat::kIdCancel};
  dlg->OnInstall();
  EXPECT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_TRUE(NothingStarted());
  EXPECT_FALSE(MoreInfoPolled());
}

TEST_F(InstallTest, CompanionsStartAfterTheInstallerInOrderByShortPath) {
  Games("Run=setup.exe\n");
  for (const char* f : {"Games.tmp", "uninst.gam", "_sys.gam", "_clear.gam"})
    m.fake.AddFile(std::string(kGames) + "\\" + f);
  m.fake.SetShortName("D:\\access\\Games\\_clear.gam", "D:\\access\\Games\\_CLEAR.GAM");
  OpenAndSelect();
  dlg->OnInstall();
  ASSERT_EQ(m.fake.processes.size(), 4u);
  EXPECT_EQ(m.fake.processes[0].application, "D:\\access\\Games\\Games.tmp");
  EXPECT_EQ(m.fake.processes[1].application, "D:\\access\\Games\\uninst.gam");
  EXPECT_EQ(m.fake.processes[2].application, "D:\\access\\Games\\_sys.gam");
  EXPECT_EQ(m.fake.processes[3].application, "D:\\access\\Games\\_CLEAR.GAM");
  EXPECT_EQ(m.fake.processes[0].currentDir, kGames);  // the installer's folder, left by the shell launch
  EXPECT_EQ(m.fake.shellCalls.size(), 1u);
}

TEST_F(InstallTest, MissingInstallerStillStartsCompanionsAndTheTimer) {
  Games("Run=setup.exe, /s\n");  // one name with its comma: no such file
  m.fake.AddFile("D:\\access\\Games\\uninst.gam");
  OpenAndSelect();
  dlg->OnInstall();
  EXPECT_TRUE(m.fake.shellCalls.empty());
  ASSERT_EQ(m.fake.processes.size(), 1u);
  EXPECT_EQ(m.fake.processes[0].application, "D:\\access\\Games\\uninst.gam");
  EXPECT_TRUE(MoreInfoPolled());
  EXPECT_EQ(Boxes(m.fake.boxes) + Boxes(view.boxes), "");
}

TEST_F(InstallTest, ScriptValueGoesToTheScriptLibraryBesideTheProgram) {
  Games("Run={SRC_DIR}\\inst\\Setup.CFG\n");
  m.fake.AddFile("D:\\access\\inst\\Setup.CFG");
  m.fake.AddLibrary("C:\\Program Files\\Velmora\\VScript.DLL", {{{"Install", 0}}});
  OpenAndSelect();
  dlg->OnInstall();
  ASSERT_EQ(m.fake.scriptCalls.size(), 1u);
  EXPECT_EQ(m.fake.scriptCalls[0].scriptPath, "D:\\access\\inst\\Setup.CFG");
  EXPECT_EQ(m.fake.freedLibraries.size(), 1u);
  EXPECT_TRUE(m.fake.processes.empty());
  EXPECT_TRUE(m.fake.shellCalls.empty());
}

TEST_F(InstallTest, RunMoreInfoNeedsASelectionATitleAnArmedLinkAndItsTarget) {
  Games("MoreInfoTitle=Read more\nMoreInfoRun= {SRC_DIR}\\Games\\Docs\\info.htm, page2\n");
  m.fake.AddFile("D:\\access\\Games\\Docs\\info.htm");
  OpenAndSelect();
  m.fake.drives[0].freeBytes = 7ull << 30;
  auto refreshed = [&] { return view.diskSpace.find("C: 7.00 GB") != std::string::npos; };
  ASSERT_FALSE(refreshed());

  // No selection, or no title: nothing at all, not even the disk space.
  dlg->m_bMoreInfoArmed = true;
  dlg->m_nCapsule = dlg->m_nLastCapsule + 1;
  dlg->RunMoreInfo();
  dlg->m_nCapsule = 0;
  const std::string title = dlg->m_config.m_saMoreInfoTitle[0];
  dlg->m_config.m_saMoreInfoTitle[0].clear();
  dlg->RunMoreInfo();
  EXPECT_TRUE(dlg->m_bMoreInfoArmed);
  EXPECT_FALSE(refreshed());
  dlg->m_config.m_saMoreInfoTitle[0] = title;

  // Unarmed: nothing starts, but the disk space is refreshed.
  dlg->m_bMoreInfoArmed = false;
  view.moreInfoShown = true;
  EXPECT_EQ(dlg->OnClickMoreInfo(), 0) << "the link keeps its item: the tree's default handling is safe";
  EXPECT_TRUE(dlg->m_bShowMoreInfo);
  EXPECT_EQ(view.moreInfoShown, true);
  EXPECT_TRUE(refreshed());

  // A missing target hides the link without a message.
  m.fake.RemovePath("D:\\access\\Games\\Docs\\info.htm");
  dlg->m_bMoreInfoArmed = true;
  dlg->RunMoreInfo();
  EXPECT_TRUE(m.fake.shellCalls.empty());
  EXPECT_TRUE(dlg->m_bShowMoreInfo);
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_EQ(Boxes(m.fake.boxes) + Boxes(view.boxes), "");

  // The armed link (by the tree's focus) opens its target and hides itself.
  m.fake.AddFile("D:\\access\\Games\\Docs\\info.htm");
  dlg->OnSetFocusCapsule();
  ASSERT_TRUE(dlg->m_bMoreInfoArmed);
  EXPECT_EQ(dlg->OnClickMoreInfo(), 1) << "the tree must not select the item just removed";
  EXPECT_EQ(ShellCalls(m.fake),
            "open D:\\access\\Games\\Docs\\info.htm [page2] in D:\\access\\Games\\Docs\n");
  EXPECT_FALSE(dlg->m_bMoreInfoArmed);
  EXPECT_FALSE(dlg->m_bShowMoreInfo);
  EXPECT_TRUE(view.moreInfoItems.empty());
  EXPECT_EQ(view.moreInfoShown, false);
}

class DialogTimerTest : public InstallTest {
 protected:
  void SetUp() override {
    Games("MoreInfoTitle=Read more\nMoreInfoRun=info.htm\n",
          "WindowTitle=Bonus Programs\nRun2=splash\\after.exe,3\n");
    m.fake.AddFile("D:\\access\\splash\\after.exe");
    m.fake.AddWindow("Bonus Programs");  // the dialog's own window
    OpenAndSelect();
  }
  int Run2MarkerCalls() const {
    int n = 0;
    for (const auto& c : m.fake.mutexCalls) n += c.name == "AfterMainDialogFirstTimeRunning";
    return n;
  }
};

TEST_F(DialogTimerTest, FirstRunTimerStopsAndStartsRun2Once) {
  EXPECT_EQ(view.timers.count(kTimerFirstRun), 1u);
  dlg->OnTimer(kTimerFirstRun);
  EXPECT_EQ(view.timers.count(kTimerFirstRun), 0u);
  ASSERT_EQ(m.fake.processes.size(), 1u);
  EXPECT_EQ(m.fake.processes[0].application, "D:\\access\\splash\\after.exe");
  EXPECT_TRUE(m.fake.sleeps.empty());
  // RunOnce's marker and the timer's second handle to it, both kept open.
  ASSERT_EQ(Run2MarkerCalls(), 2);
  EXPECT_FALSE(m.fake.mutexCalls[0].alreadyExisted);
  EXPECT_TRUE(m.fake.mutexCalls[1].alreadyExisted);
  EXPECT_EQ(m.fake.mutexNames["AfterMainDialogFirstTimeRunning"], 2);
  EXPECT_TRUE(m.fake.closedHandles.empty());

  // A later showing of the dialog in the same process starts nothing again.
  FakeBonusDlgView secondView;
  CBonusDlg second(m.fake, secondView);
  second.OnInitDialog();
  second.OnTimer(kTimerFirstRun);
  EXPECT_EQ(m.fake.processes.size(), 1u);
  EXPECT_EQ(secondView.timers.count(kTimerFirstRun), 0u);
}

TEST_F(DialogTimerTest, MoreInfoTimerShowsTheLinkOnceTheTargetExistsOtherTimersDoNothing) {
  view.timersKilled.clear();
  dlg->OnTimer(201);
  dlg->OnTimer(0);
  EXPECT_TRUE(view.timersKilled.empty());
  EXPECT_TRUE(m.fake.mutexCalls.empty());
  EXPECT_TRUE(m.fake.processes.empty());

  dlg->OnInstall();
  ASSERT_EQ(view.timers.count(kTimerMoreInfo), 1u);
  dlg->OnTimer(kTimerMoreInfo);
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_EQ(view.timers.count(kTimerMoreInfo), 1u);
  m.fake.AddFile("D:\\access\\Games\\info.htm");
  dlg->OnTimer(kTimerMoreInfo);
  EXPECT_EQ(view.moreInfoShown, true);
  EXPECT_EQ(view.moreInfoItems, std::vector<std::string>{"Read more"});
  EXPECT_EQ(view.timers.count(kTimerMoreInfo), 0u);
  EXPECT_EQ(Run2MarkerCalls(), 0);
}

}  // namespace
}  // namespace bonus::testing
