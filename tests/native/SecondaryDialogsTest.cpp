#include <gtest/gtest.h>

#include <string>

#include "app/DialogLook.h"
#include "app/DisableTrayIconLogic.h"
#include "app/MainFrame.h"
#include "app/OrderDialogLogic.h"
#include "tests/native/TrayTestSupport.h"

using traytest::TrayMachine;

namespace {

const std::string kModule = traytest::kModuleDir;

// ---- order message ---------------------------------------------------------

TEST(FormatOrderMessage, SubstitutesTheProductNameAndBreaksLines) {
  struct Case {
    const char* format;
    const char* message;
  } cases[] = {
      {"", ""},
      {"Order %s now.", "Order Velmora 5.0 now."},
      {"The full version of %s.\\nVisit our website.",
       "The full version of Velmora 5.0.\nVisit our website."},
      {"%s and %s", "Velmora 5.0 and Velmora 5.0"},
      {"100%% sure", "100% sure"},
      {"%%s", "%s"},
      {"a\\\\nb", "a\\\nb"},
      {"\\n\\n", "\n\n"},
      {"ends with \\", "ends with \\"},
      {"ends with %", "ends with %"},
      {"line\\N", "line\\N"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tray::FormatOrderMessage(c.format, "Velmora 5.0"), c.message) << c.format;
}

TEST(FormatOrderMessage, LeavesEveryOtherDirectiveAsWritten) {
  // Configuration text is never handed to a formatter: these would read
  // arguments that do not exist.
  EXPECT_EQ(tray::FormatOrderMessage("%d %n %x %p %5s %-s %ls %c", "Velmora 5.0"),
            "%d %n %x %p %5s %-s %ls %c");
  EXPECT_EQ(tray::FormatOrderMessage("%s costs 10%d\\nor %n", "Velmora 5.0"),
            "Velmora 5.0 costs 10%d\nor %n");
  EXPECT_EQ(tray::FormatOrderMessage("%s", "50% \\n off"), "50% \n off");
}

class OrderDialogTest : public ::testing::Test, public TrayMachine {};

TEST_F(OrderDialogTest, ContentComesFromTheProgramFolder) {
  p.AddFile(traytest::kProgramCfg, traytest::TuneUp("WindowTitle=Bonus\r\n"
                                                    "OrderURLmsg=Get %s on CD.\\nIt is worth it.\r\n"
                                                    "OrderURL=http://example.com/order\r\n"));
  p.AddFile(traytest::kDataCfg, traytest::TuneUp("WindowTitle=Data\r\nOrderURL=http://data\r\n"));
  tray::OrderDialogContent c = tray::LoadOrderDialogContent(p);
  EXPECT_EQ(c.configFile, traytest::kProgramCfg);
  EXPECT_EQ(c.title, "Bonus");
  EXPECT_EQ(c.caption, "Bonus");
  EXPECT_EQ(c.message, "Get Velmora 5.0 on CD.\nIt is worth it.");
  EXPECT_EQ(c.url, "http://example.com/order");
}

TEST_F(OrderDialogTest, MissingConfigurationGivesTheDefaultCaptionAndEmptyTexts) {
  tray::OrderDialogContent c = tray::LoadOrderDialogContent(p);
  EXPECT_EQ(c.title, "");
  EXPECT_EQ(c.caption, "Velmora Bonus Software Installer");
  EXPECT_EQ(c.message, "");
  EXPECT_EQ(c.url, "");
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(OrderDialogTest, OpeningThePageUsesTheShellsOpenVerb) {
  tray::OpenOrderPage(p, 0x99, "http://example.com/order");
  ASSERT_EQ(p.shellCalls.size(), 1u);
  EXPECT_EQ(p.shellCalls[0].verb, "open");
  EXPECT_EQ(p.shellCalls[0].file, "http://example.com/order");
  EXPECT_EQ(p.shellCalls[0].parameters, "");
  EXPECT_EQ(p.shellCalls[0].directory, "");
  EXPECT_EQ(p.shellCalls[0].show, 1);
}

// ---- caption and icon ------------------------------------------------------

class DialogLookTest : public ::testing::Test, public TrayMachine {};

TEST_F(DialogLookTest, CaptionIsTheProgramFoldersTitleOrTheDefault) {
  EXPECT_EQ(tray::LoadDialogLook(p).caption, "Velmora Bonus Software Installer");
  p.AddFile(traytest::kProgramCfg, traytest::TuneUp("WindowTitle=\r\n"));
  EXPECT_EQ(tray::LoadDialogLook(p).caption, "Velmora Bonus Software Installer");
  p.AddFile(traytest::kProgramCfg, traytest::TuneUp("WindowTitle=Bonus\r\n"));
  p.AddFile(traytest::kDataCfg, traytest::TuneUp("WindowTitle=Data\r\n"));
  EXPECT_EQ(tray::LoadDialogLook(p).caption, "Bonus");
}

TEST_F(DialogLookTest, IconPrefersTwoIcoThenTheProgramNamedIconThenResource126) {
  struct Case {
    bool programIco, twoIco;
    const char* extracted;  // nullptr: resource 126
  } cases[] = {
      {false, false, nullptr},
      {true, false, "VERavevi.ico"},
      {false, true, "2.ico"},
      {true, true, "2.ico"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.programIco ? "A" : "-") + (c.twoIco ? "B" : "-"));
    TrayMachine m;
    if (c.programIco) m.p.AddFile(kModule + "\\VERavevi.ico", "ico");
    if (c.twoIco) m.p.AddFile(kModule + "\\2.ico", "ico");
    tray::DialogLook look = tray::LoadDialogLook(m.p);
    if (c.extracted == nullptr) {
      EXPECT_EQ(look.icon.handle, m.p.ProgramIconHandle(126));
      EXPECT_FALSE(look.icon.extracted);
      EXPECT_TRUE(m.p.extractIconCalls.empty());
    } else {
      EXPECT_EQ(m.p.extractIconCalls, std::vector<std::string>{kModule + "\\" + c.extracted});
      EXPECT_TRUE(look.icon.extracted);
      EXPECT_NE(look.icon.handle, 0u);
    }
  }
}

// ---- Disable Tray Icon -----------------------------------------------------

class DisableTrayIconTest : public ::testing::Test, public TrayMachine {};

TEST_F(DisableTrayIconTest, ShowNextTimeStartsTickedOnlyWhenTheConfigurationIsOnTheDisk) {
  DisableTrayIconLogic onDisk(p);
  onDisk.PrepareModal();
  EXPECT_EQ(onDisk.m_sConfigFile, traytest::kDataCfg);
  EXPECT_EQ(onDisk.m_bShowNextTime, 1);

  p.AddFile(kModule + "\\VERavevi.rtf");  // the program folder holds everything
  DisableTrayIconLogic inProgramFolder(p);
  inProgramFolder.PrepareModal();
  EXPECT_EQ(inProgramFolder.m_sConfigFile, traytest::kProgramCfg);
  EXPECT_EQ(inProgramFolder.m_bShowNextTime, 0);
}

TEST_F(DisableTrayIconTest, ProgramFolderTestIsCaseSensitive) {
  p.modulePath = "C:\\Program Files\\Velmora\\VERavevi.exe";
  p.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir",
                 "C:\\PROGRAM FILES\\VELMORA");
  DisableTrayIconLogic logic(p);
  logic.PrepareModal();
  EXPECT_EQ(logic.m_sConfigFile, "C:\\PROGRAM FILES\\VELMORA\\access\\VERavevi.cfg");
  EXPECT_EQ(logic.m_bShowNextTime, 1);
}

enum class Action { Yes, No, Close };

// What the Win32 dialog does for each user action: the check box shows the
// initial state, the user may click it, then ends the dialog one way; the
// window's destruction follows every ending.
int RunDialog(plat::Platform& platform, Action action, bool clickCheckBox) {
  DisableTrayIconLogic logic(platform);
  logic.PrepareModal();
  bool checked = logic.m_bShowNextTime != 0;
  if (clickCheckBox) {
    logic.OnShowNextTimeClicked();
    checked = !checked;
  }
  int result = plat::kIdCancel;
  switch (action) {
    case Action::Yes:
      logic.OnYes(checked);
      result = plat::kIdOk;
      break;
    case Action::No:
      logic.OnNo();
      result = DisableTrayIconLogic::kNoResult;
      break;
    case Action::Close:
      break;
  }
  logic.OnDestroy();
  return result;
}

class DialogHost : public tray::MainFrameHost {
 public:
  DialogHost(plat::Platform& platform, Action action, bool click)
      : platform_(platform), action_(action), click_(click) {}
  void RunMainDialog() override {}
  int RunDisableTrayIconDialog() override { return RunDialog(platform_, action_, click_); }
  void OnAppAbout() override {}

 private:
  plat::Platform& platform_;
  Action action_;
  bool click_;
};

class FrameView : public tray::MainFrameView {
 public:
  plat::WindowHandle Handle() override { return 0x7001; }
  void InsertLogText(const std::string&) override {}
  void ClearLog() override {}
  int LogLineCount() override { return 1; }
  int LogCaretLineLength() override { return 0; }
  void SetLargeIcon(plat::IconHandle) override {}
};

TEST(DisableTrayIconNetEffect, ShortcutAndTrayFollowTheTable) {
  struct Case {
    const char* name;
    Action action;
    bool ticked;  // "Show next time" when the dialog ends
    bool shortcut;
    bool trayEnds;
  } cases[] = {
      {"Yes, ticked", Action::Yes, true, true, true},
      {"Yes, clear", Action::Yes, false, false, true},
      {"No, ticked", Action::No, true, true, false},
      {"No, clear", Action::No, false, false, false},
      {"Close, ticked", Action::Close, true, true, false},
      {"Close, clear", Action::Close, false, false, false},
  };
  for (const auto& c : cases) {
    for (bool onDisk : {true, false}) {
      SCOPED_TRACE(std::string(c.name) +
                   (onDisk ? ", configuration on the disk" : ", in the program folder"));
      TrayMachine m;
      plat::FakePlatform& p = m.p;
      if (!onDisk) p.AddFile(kModule + "\\VERavevi.rtf");
      // Initially ticked exactly when the configuration is on the disk; a
      // click reaches the wanted state from the other.
      bool click = c.ticked != onDisk;

      DialogHost host(p, c.action, click);
      FrameView view;
      CMainFrame frame(p, m.menus, host);  // writes the shortcut, as every tray start does
      frame.OnCreate(view);
      ASSERT_TRUE(p.LoadShellLink(traytest::kTrayLink));
      p.messages.clear();

      frame.OnCommand(32027);

      EXPECT_EQ(p.HasFile(traytest::kTrayLink), c.shortcut);
      if (c.shortcut) traytest::ExpectTrayLink(p);
      EXPECT_EQ(frame.m_bShutdown, c.trayEnds);
      EXPECT_EQ(frame.OnClose(),
                c.trayEnds ? CMainFrame::CloseAction::Destroy : CMainFrame::CloseAction::Hide);
      bool closeSent = !p.messages.empty() && p.messages.back().message == plat::kWmClose;
      EXPECT_EQ(closeSent, c.trayEnds);
    }
  }
}

TEST_F(DisableTrayIconTest, NoAppliesTheShortcutTwiceWithTheSameResult) {
  RunDialog(p, Action::No, false);  // configuration on the disk: ticked
  EXPECT_EQ(p.linkSaves.size(), 2u);
  EXPECT_TRUE(p.LoadShellLink(traytest::kTrayLink));

  TrayMachine m;
  plat::FakePlatform& q = m.p;
  q.SaveShellLink(plat::ShellLinkFields{}, traytest::kTrayLink);
  RunDialog(q, Action::No, true);  // cleared
  EXPECT_EQ(q.deletions, (std::vector<std::string>{traytest::kTrayLink, traytest::kTrayLink}));
  EXPECT_FALSE(q.HasFile(traytest::kTrayLink));
}

TEST_F(DisableTrayIconTest, DeletingAMissingShortcutIsNoError) {
  RunDialog(p, Action::Close, true);
  EXPECT_EQ(p.deletions.size(), 1u);
  EXPECT_TRUE(p.boxes.empty());
}

}  // namespace
