// The main dialog's install command, MoreInfo action and timers, through the
// recording view and the fake machine.
#include <gtest/gtest.h>

#include <string>

#include "tests/native/DialogTestSupport.h"

namespace browser::testing {
namespace {

constexpr const char* kConfirmTail =
    " is about to be installed.\n\nIf you are prompted for information during the installation and\n"
    "are not sure how to respond, select the default response. If you have any questions or problems "
    "with this software, please\ncontact the appropriate vendor.";

class InstallTest : public DialogTest {
 protected:
  // One capsule "Games" with `capsule` as its file's extra lines, and its setup.exe.
  void Games(const std::string& capsule, const std::string& tuneUp = "WindowTitle=Bonus Programs\n") {
    m.Main("[TuneUp]\n" + tuneUp + "[Packages]\nGames\n");
    m.Capsule("Games", "[TuneUp]\nTitle=  Game Pack\n" + capsule);
    m.fake.AddFile("D:\\access\\Games\\setup.exe");
  }
  // Set-up, then the capsule selected; what happened so far is forgotten.
  void OpenAndSelect() {
    Open();
    Pick("  Game Pack");
    m.fake.boxes.clear();
    view.boxes.clear();
    view.Transcript();
  }
  // The boxes of the platform and then the dialog's own, and what started.
  std::string Outcome() {
    std::string out = Boxes(m.fake.boxes);
    for (const auto& b : view.boxes) out += "dialog " + b.caption + "|" + b.text + "\n";
    return out + Started(m.fake);
  }
};

// Which boxes the install command shows, what each answer does, and what
// starts: the disclaimer, the version question and the dialog's own boxes.
TEST_F(InstallTest, BoxesAndWhatStarts) {
  struct Row {
    const char* name;
    std::string capsule;  // lines of the capsule file
    int platformAnswer;   // to the platform's boxes
    int dialogAnswer;     // to the dialog's own boxes
    std::string outcome;
    bool polls;  // timer 202 started
  };
  // The companions present before the launch start after it, by short path.
  auto companions = [](const std::string& dir) {
    std::string out;
    for (const char* f : {"Games.tmp", "uninst.gam", "_sys.gam", "_CLEAR.GAM"})
      out += "run D:\\access\\Games\\" + std::string(f) + " in " + dir + "\n";
    return out;
  };
  const std::string setup =
      "open D:\\access\\Games\\setup.exe [] in D:\\access\\Games\n" + companions("D:\\access\\Games");
  const std::string confirm = "Bonus Programs|Game Pack" + std::string(kConfirmTail) + "|0x1\n";
  const std::string version =
      "[Version]\nVersion=5.0\nRegistry=HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version\nAskMsg=Again?\n";
  const Row rows[] = {
      {"Macro", "Run={SRC_DIR}\\Games\\setup.exe, /s\n", plat::kIdOk, plat::kIdOk,
       "open D:\\access\\Games\\setup.exe [/s] in D:\\access\\Games\n" + companions("D:\\access\\Games"),
       true},
      {"Disclaimer", "Run=setup.exe\nDisclaimer= 2 pages\n", plat::kIdOk, plat::kIdOk, confirm + setup, true},
      {"DisclaimerCancelled", "Run=setup.exe\nDisclaimer=1\n", plat::kIdCancel, plat::kIdOk, confirm, false},
      {"DisclaimerZero", "Run=setup.exe\nDisclaimer= 00\n", plat::kIdOk, plat::kIdOk, setup, true},
      {"DisclaimerNoNumber", "Run=setup.exe\nDisclaimer=yes\n", plat::kIdOk, plat::kIdOk, setup, true},
      {"VersionNo", "Run=setup.exe\nDisclaimer=1\n" + version, plat::kIdOk, plat::kIdNo,
       "dialog Bonus Programs|Again?\n", false},
      {"VersionYes", "Run=setup.exe\n" + version, plat::kIdOk, plat::kIdYes,
       "dialog Bonus Programs|Again?\n" + setup, true},
      {"FileCheckExpandsTheCapsulesMacros",
       "Run=setup.exe\nToken1=C:\\Game\n[Version]\nVersion=5\nFile={TOKEN1}\\game.exe,test\nAskMsg=Again?\n",
       plat::kIdOk, plat::kIdNo,
       "dialog Bonus Test|Product version of the  C:\\Game\\game.exe:   4.0.0.0\ndialog Bonus "
       "Programs|Again?\n",
       false},
      // One name with its comma: no such file; the companions and the timer start all the same.
      {"MissingInstaller", "Run=setup.exe, /s\n", plat::kIdOk, plat::kIdOk, companions("C:\\"), true},
      {"Script", "Run={SRC_DIR}\\inst\\Setup.CFG\n", plat::kIdOk, plat::kIdOk,
       companions("C:\\") + "script D:\\access\\inst\\Setup.CFG\n", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Reset();
    Games(r.capsule);
    m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "5.0");
    m.fake.AddFile("C:\\Game\\game.exe");
    m.fake.SetProductVersion("C:\\Game\\game.exe", {4, 0, 0, 0});
    m.fake.AddFile("D:\\access\\inst\\Setup.CFG");
    m.fake.AddLibrary("C:\\Program Files\\Velmora\\VScript.DLL", {{{"Install", 0}}});
    for (const char* f : {"Games.tmp", "uninst.gam", "_sys.gam", "_clear.gam"})
      m.fake.AddFile(std::string("D:\\access\\Games\\") + f);
    m.fake.SetShortName("D:\\access\\Games\\_clear.gam", "D:\\access\\Games\\_CLEAR.GAM");
    OpenAndSelect();
    m.fake.answers = {r.platformAnswer};
    view.answer = [&r](unsigned type) { return type == 0 ? plat::kIdOk : r.dialogAnswer; };
    dlg->m_bMessageShown = true;
    dlg->OnInstall();
    EXPECT_EQ(Outcome(), r.outcome);
    EXPECT_EQ(view.timers.count(kTimerMoreInfo), r.polls ? 1u : 0u);
    EXPECT_FALSE(dlg->m_bMessageShown);
  }
}

TEST_F(InstallTest, DiskPromptRepeatsUntilTheDiskIsBackOrCancelEndsTheCommand) {
  Games("Run=setup.exe\n");
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg", "[TuneUp]\nWindowTitle=Local Copy\n");
  OpenAndSelect();
  const std::string mainContent = m.fake.FileContent(DiskMachine::kMainFile);
  m.fake.RemovePath(DiskMachine::kMainFile);
  m.fake.answers = {plat::kIdCancel};
  dlg->OnInstall();
  EXPECT_EQ(Outcome(), std::string("Local Copy|") + kPrompt + "|0x11\n");
  EXPECT_EQ(view.Transcript(), "");  // the dialog stays open

  m.fake.boxes.clear();
  int localReads = 0;
  m.fake.onRead = [&](const std::string& path) {
    if (path == "C:\\Program Files\\Velmora\\VERavevi.cfg" && ++localReads == 2)
      m.fake.AddFile(DiskMachine::kMainFile, mainContent);  // the disk goes in during the second prompt
  };
  dlg->OnInstall();
  EXPECT_EQ(Outcome(), std::string("Local Copy|") + kPrompt + "|0x11\nLocal Copy|" + kPrompt +
                           "|0x11\nopen D:\\access\\Games\\setup.exe [] in D:\\access\\Games\n");
  EXPECT_EQ(dlg->m_sCaption, "Bonus Programs");  // from the disk's file once it was read
}

// The dialog stays live under the confirmation and the version question: a
// capsule selected meanwhile changes nothing of the install already asked for.
TEST_F(InstallTest, TheCapsuleOfThePressStaysWhileItsBoxesAreOpen) {
  m.fake.modulePath = "C:\\Velmora\\VERavevi.exe";
  m.Main("[Packages]\nTools\nGames\n");
  m.Capsule("Tools", "[TuneUp]\nTitle=Tools\nRun=setup.exe\nToken1=t\n");
  m.Capsule("Games",
            "[TuneUp]\nTitle=Games\nToken1=g\nDisclaimer=1\nRun={RUN_DIR}\\{TOKEN1}.exe, x\n"
            "[Version]\nVersion=9\nFile={RUN_DIR}\\g.exe\nAskMsg=?\n");
  for (const char* f : {"C:\\Velmora\\g.exe", "C:\\Velmora\\t.exe", "D:\\access\\Games\\Games.tmp",
                        "D:\\access\\Tools\\setup.exe", "D:\\access\\Tools\\Tools.tmp"})
    m.fake.AddFile(f);
  m.fake.SetProductVersion("C:\\Velmora\\g.exe", {1, 0, 0, 0});
  Open();
  Pick("Games");
  m.fake.onBox = [this](const plat::FakePlatform::Box&) { Pick("Tools"); };
  view.answer = [this](unsigned) { return Pick("Tools"), plat::kIdYes; };
  dlg->OnInstall();
  EXPECT_EQ(Outcome(), "|Games" + std::string(kConfirmTail) +
                           "|0x1\ndialog |?\nopen C:\\Velmora\\g.exe [x] in " +
                           "C:\\Velmora\nrun D:\\access\\Games\\Games.tmp in C:\\Velmora\n");
}

TEST_F(InstallTest, MoreInfoNeedsASelectionATitleAnArmedLinkAndItsTarget) {
  Games("Run=setup.exe\nMoreInfoTitle=Read more\nMoreInfoRun= {SRC_DIR}\\Games\\Docs\\info.htm, page2\n");
  m.fake.AddFile("D:\\access\\Games\\Docs\\info.htm");
  OpenAndSelect();
  m.fake.drives[0].freeBytes = 7ull << 30;

  // No selection, or no title: nothing at all, not even the disk space.
  dlg->m_bMoreInfoArmed = true;
  dlg->m_nCapsule = dlg->m_nLastCapsule + 1;
  EXPECT_FALSE(dlg->RunMoreInfo());
  dlg->m_nCapsule = 0;
  const std::string title = dlg->m_config.m_saMoreInfoTitle[0];
  dlg->m_config.m_saMoreInfoTitle[0].clear();
  EXPECT_FALSE(dlg->RunMoreInfo());
  EXPECT_EQ(view.Transcript(), "");
  dlg->m_config.m_saMoreInfoTitle[0] = title;

  // Unarmed: nothing starts, but the disk space is refreshed; the link keeps
  // its item, so the tree's default handling is safe.
  dlg->m_bMoreInfoArmed = false;
  EXPECT_EQ(dlg->OnClickMoreInfo(), 0);
  EXPECT_EQ(view.Transcript(), "SetDiskSpaceText C: 7.00 GB\\n\n");

  // A missing target hides the link without a message.
  m.fake.RemovePath("D:\\access\\Games\\Docs\\info.htm");
  dlg->m_bMoreInfoArmed = true;
  EXPECT_TRUE(dlg->RunMoreInfo());
  EXPECT_EQ(view.Transcript(), "DeleteMoreInfoItems\nShowMoreInfo 0\nSetDiskSpaceText C: 7.00 GB\\n\n");
  EXPECT_EQ(Outcome(), "");

  // The armed link (by the tree's focus) opens its target and hides itself;
  // the tree must not then select the item just removed. Enter on the link
  // does the same instead of the install command.
  m.fake.AddFile("D:\\access\\Games\\Docs\\info.htm");
  dlg->OnSetFocusCapsule();
  EXPECT_EQ(dlg->OnClickMoreInfo(), 1);
  EXPECT_FALSE(dlg->m_bMoreInfoArmed);
  EXPECT_FALSE(dlg->m_bShowMoreInfo);
  dlg->OnSetFocusCapsule();
  view.focusId = kIdMoreInfo;
  dlg->m_bMessageShown = true;
  dlg->OnInstall();
  EXPECT_TRUE(dlg->m_bMessageShown);
  EXPECT_EQ(Outcome(),
            "open D:\\access\\Games\\Docs\\info.htm [page2] in D:\\access\\Games\\Docs\n"
            "open D:\\access\\Games\\Docs\\info.htm [page2] in D:\\access\\Games\\Docs\n");
  EXPECT_EQ(view.timers.count(kTimerMoreInfo), 0u);
}

TEST_F(InstallTest, FirstRunTimerStartsRun2Once) {
  Games("", "WindowTitle=Bonus Programs\nRun2=splash\\after.exe,3\n");
  m.fake.AddFile("D:\\access\\splash\\after.exe");
  m.fake.AddWindow("Bonus Programs");  // the dialog's own window
  OpenAndSelect();
  // Other timers do nothing.
  dlg->OnTimer(201);
  dlg->OnTimer(0);
  EXPECT_EQ(view.Transcript(), "");
  EXPECT_TRUE(m.fake.mutexCalls.empty());

  dlg->OnTimer(kTimerFirstRun);
  EXPECT_EQ(view.Transcript(), "KillTimer 200\n");
  EXPECT_EQ(Started(m.fake), "run D:\\access\\splash\\after.exe in C:\\\n");
}

}  // namespace
}  // namespace browser::testing
