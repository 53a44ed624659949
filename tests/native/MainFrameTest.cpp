#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "tests/native/TrayTestSupport.h"

using traytest::FakeMenus;
using traytest::TrayPlatform;

namespace {

constexpr plat::WindowHandle kFrame = 0x7001;

class FakeView : public tray::MainFrameView {
 public:
  std::vector<std::string> inserted;
  int clears = 0;
  int lineCount = 1;
  int caretLineLength = 0;
  std::vector<plat::IconHandle> largeIcons;

  plat::WindowHandle Handle() override { return kFrame; }
  void InsertLogText(const std::string& text) override { inserted.push_back(text); }
  void ClearLog() override { ++clears; }
  int LogLineCount() override { return lineCount; }
  int LogCaretLineLength() override { return caretLineLength; }
  void SetLargeIcon(plat::IconHandle icon) override { largeIcons.push_back(icon); }
};

class FakeHost : public tray::MainFrameHost {
 public:
  int mainDialogs = 0;
  int abouts = 0;
  int disableResult = plat::kIdCancel;
  int disableDialogs = 0;
  std::function<void()> onMainDialog;

  void RunMainDialog() override {
    ++mainDialogs;
    if (onMainDialog) onMainDialog();
  }
  int RunDisableTrayIconDialog() override {
    ++disableDialogs;
    return disableResult;
  }
  void OnAppAbout() override { ++abouts; }
};

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() : menus(p) { traytest::ArrangeMachine(p); }

  void WithConfigs(const std::string& programTitle, bool dataPresent, const std::string& dataTitle = "Data") {
    p.AddFile(traytest::kProgramCfg, traytest::TuneUp("WindowTitle=" + programTitle + "\r\n"));
    if (dataPresent) p.AddFile(traytest::kDataCfg, traytest::TuneUp("WindowTitle=" + dataTitle + "\r\n"));
  }

  // Sends WM_COMMAND to the frame like the real window's procedure would.
  void RouteCommandsTo(CMainFrame& frame) {
    p.onSendMessage = [&frame](const plat::FakePlatform::SentMessage& m) -> std::intptr_t {
      if (m.window == kFrame && m.message == plat::kWmCommand)
        frame.OnCommand(static_cast<unsigned>(m.wParam));
      return 0;
    };
  }

  TrayPlatform p;
  FakeMenus menus;
  FakeView view;
  FakeHost host;
};

TEST_F(MainFrameTest, ConstructionCreatesTheTrayMutexAndWritesTheStartupShortcut) {
  CMainFrame frame(p, menus, host);
  ASSERT_EQ(p.mutexCalls.size(), 1u);
  EXPECT_EQ(p.mutexCalls[0].name, "justSTI");
  EXPECT_FALSE(p.mutexCalls[0].initialOwner);
  EXPECT_TRUE(p.closedHandles.empty());

  EXPECT_STREQ(frame.m_szLinkPath, traytest::kTrayLink);
  EXPECT_EQ(frame.m_sModulePath, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(frame.m_sModuleDir, traytest::kModuleDir);
  EXPECT_EQ(frame.m_sWindowsDir, "C:\\WINDOWS");
  auto link = p.LoadShellLink(traytest::kTrayLink);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link->arguments, "0");
  EXPECT_EQ(link->workingDir, traytest::kModuleDir);
  EXPECT_EQ(link->iconPath, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link->iconIndex, 0);
  EXPECT_EQ(link->showCommand, 1);
  EXPECT_TRUE(frame.m_bShowTrayNotifications);
  EXPECT_FALSE(frame.m_bShutdown);
  EXPECT_EQ(frame.m_iWhichIcon, 1);
}

TEST_F(MainFrameTest, EveryTrayStartReplacesTheShortcut) {
  p.SaveShellLink(plat::ShellLinkFields{"C:\\old.exe", "C:\\", "C:\\old.exe", 3, 7, "x"},
                  traytest::kTrayLink);
  CMainFrame frame(p, menus, host);
  auto link = p.LoadShellLink(traytest::kTrayLink);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link->arguments, "0");
  EXPECT_EQ(link->showCommand, 1);
}

TEST_F(MainFrameTest, AShortcutThatCannotBeWrittenIsNotReported) {
  p.failShellLinks = true;
  CMainFrame frame(p, menus, host);
  EXPECT_FALSE(p.LoadShellLink(traytest::kTrayLink));
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainFrameTest, CreationPutsTheProgramIconIntoTheTrayWithTheTitle) {
  WithConfigs("Bonus Title", true, "Data Title");
  CMainFrame frame(p, menus, host);
  EXPECT_EQ(frame.OnCreate(view), 0);
  EXPECT_EQ(frame.m_sTitle, "Bonus Title");
  EXPECT_EQ(frame.m_sConfigFile, traytest::kProgramCfg);
  EXPECT_EQ(frame.m_hIcon, p.ProgramIconHandle(126));
  ASSERT_EQ(p.notifyCalls.size(), 1u);
  const auto& add = p.notifyCalls[0];
  EXPECT_EQ(add.command, plat::kNimAdd);
  EXPECT_EQ(add.data.uID, 3u);
  EXPECT_EQ(add.data.hWnd, kFrame);
  EXPECT_EQ(add.data.uCallbackMessage, 0x400u);
  EXPECT_EQ(add.data.uFlags, plat::kNifIcon | plat::kNifTip | plat::kNifMessage);
  EXPECT_EQ(add.data.hIcon, p.ProgramIconHandle(126));
  EXPECT_STREQ(add.data.szTip, "Bonus Title");
  EXPECT_EQ(view.largeIcons, std::vector<plat::IconHandle>{p.ProgramIconHandle(126)});
}

TEST_F(MainFrameTest, AProgramNamedIconBesideTheConfigurationWinsButTwoIcoDoesNot) {
  WithConfigs("T", true);
  p.AddFile(std::string(traytest::kModuleDir) + "\\2.ico", "ico");
  p.AddFile(std::string(traytest::kModuleDir) + "\\VERavevi.ico", "ico");
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  ASSERT_EQ(p.extractIconCalls.size(), 1u);
  EXPECT_EQ(p.extractIconCalls[0], std::string(traytest::kModuleDir) + "\\VERavevi.ico");
  EXPECT_NE(frame.m_hIcon, p.ProgramIconHandle(126));
  EXPECT_EQ(p.notifyCalls.at(0).data.hIcon, frame.m_hIcon);
}

TEST_F(MainFrameTest, EmptyTitleShowsTheDefaultTooltipButKeepsTheTitleEmpty) {
  WithConfigs("", true);
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  EXPECT_EQ(frame.m_sTitle, "");
  EXPECT_STREQ(p.notifyCalls.at(0).data.szTip, "Velmora Bonus Software Installer");
}

TEST_F(MainFrameTest, MissingConfigurationStillGivesTheTrayIcon) {
  CMainFrame frame(p, menus, host);
  EXPECT_EQ(frame.OnCreate(view), 0);
  EXPECT_EQ(frame.m_sTitle, "");
  EXPECT_EQ(p.notifyCalls.size(), 1u);
  EXPECT_TRUE(p.boxes.empty());
}

TEST(NotificationLogLine, FormatsIdEventAndName) {
  struct Case {
    std::intptr_t message;
    const char* line;
  } cases[] = {
      {0x200, "Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n"},
      {0x201, "Tray notification: ID=3, lEvent=0x0201 WM_LBUTTONDOWN\r\n"},
      {0x202, "Tray notification: ID=3, lEvent=0x0202 WM_LBUTTONUP\r\n"},
      {0x203, "Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n"},
      {0x204, "Tray notification: ID=3, lEvent=0x0204 WM_RBUTTONDOWN\r\n"},
      {0x205, "Tray notification: ID=3, lEvent=0x0205 WM_RBUTTONUP\r\n"},
      {0x206, "Tray notification: ID=3, lEvent=0x0206 WM_RBUTTONDBLCLK\r\n"},
      {0x207, "Tray notification: ID=3, lEvent=0x0207 WM_MBUTTONDOWN\r\n"},
      {0x208, "Tray notification: ID=3, lEvent=0x0208 WM_MBUTTONUP\r\n"},
      {0x209, "Tray notification: ID=3, lEvent=0x0209 WM_MBUTTONDBLCLK\r\n"},
      {0x20A, "Tray notification: ID=3, lEvent=0x020a (Unknown)\r\n"},
      {0x1FF, "Tray notification: ID=3, lEvent=0x01ff (Unknown)\r\n"},
      {0x0, "Tray notification: ID=3, lEvent=0x0000 (Unknown)\r\n"},
      {0x12345, "Tray notification: ID=3, lEvent=0x12345 (Unknown)\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(tray::NotificationLogLine(3, c.message), c.line);
  EXPECT_EQ(tray::NotificationLogLine(42, 0x205), "Tray notification: ID=42, lEvent=0x0205 WM_RBUTTONUP\r\n");
}

TEST_F(MainFrameTest, NotificationsAreLoggedWhileShownAndAlwaysPassedToTheIcon) {
  WithConfigs("T", true);
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  EXPECT_EQ(frame.OnTrayNotification(3, 0x200), 0);
  EXPECT_EQ(frame.OnTrayNotification(3, 0x205), 1);
  EXPECT_EQ(view.inserted,
            (std::vector<std::string>{"Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n",
                                      "Tray notification: ID=3, lEvent=0x0205 WM_RBUTTONUP\r\n"}));

  EXPECT_TRUE(frame.OnCommand(32022));
  EXPECT_FALSE(frame.m_bShowTrayNotifications);
  EXPECT_EQ(frame.OnTrayNotification(3, 0x205), 1);
  EXPECT_EQ(view.inserted.size(), 2u);
  EXPECT_EQ(menus.Sequence(), (std::vector<std::string>{"load", "default", "cursor", "track", "release",
                                                        "load", "default", "cursor", "track", "release"}));
}

TEST_F(MainFrameTest, ToggleIconShowsTheSpareIconsInTurn) {
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  EXPECT_TRUE(frame.OnCommand(32020));
  EXPECT_EQ(frame.m_iWhichIcon, 0);
  EXPECT_TRUE(frame.OnCommand(32020));
  EXPECT_EQ(frame.m_iWhichIcon, 1);
  ASSERT_EQ(p.notifyCalls.size(), 3u);
  EXPECT_EQ(p.notifyCalls[1].command, plat::kNimModify);
  EXPECT_EQ(p.notifyCalls[1].data.hIcon, p.ProgramIconHandle(102));
  EXPECT_STREQ(p.notifyCalls[1].data.szTip, "To exit, right-click then terminate VERavevi.");
  EXPECT_EQ(p.notifyCalls[2].data.hIcon, p.ProgramIconHandle(101));
  EXPECT_STREQ(p.notifyCalls[2].data.szTip, "Bonus Software");
}

TEST_F(MainFrameTest, CommandUpdateStates) {
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);

  struct Log {
    int lines, caretLength;
    bool enabled;
  } logs[] = {{1, 0, false}, {1, 5, true}, {2, 0, true}, {0, 0, false}};
  for (const auto& l : logs) {
    view.lineCount = l.lines;
    view.caretLineLength = l.caretLength;
    EXPECT_EQ(frame.QueryCommandUi(32021).enabled, l.enabled) << l.lines << "/" << l.caretLength;
  }
  EXPECT_TRUE(frame.QueryCommandUi(32022).checked);
  frame.OnCommand(32022);
  EXPECT_FALSE(frame.QueryCommandUi(32022).checked);

  for (unsigned id : {32020u, 32021u, 32022u, 32023u, 32024u, 32027u, 57664u})
    EXPECT_TRUE(frame.QueryCommandUi(id).handled) << id;
  tray::CommandUi exitUi = frame.QueryCommandUi(57665);  // E&xit has no handler
  EXPECT_FALSE(exitUi.handled);
  EXPECT_FALSE(exitUi.enabled);
  EXPECT_FALSE(frame.OnCommand(57665));

  frame.OnCommand(32021);
  EXPECT_EQ(view.clears, 1);
  frame.OnCommand(57664);
  EXPECT_EQ(host.abouts, 1);
}

TEST_F(MainFrameTest, CloseHidesUntilQuit) {
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  EXPECT_EQ(frame.OnClose(), CMainFrame::CloseAction::Hide);
  EXPECT_TRUE(frame.OnCommand(32024));
  EXPECT_TRUE(frame.m_bShutdown);
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_EQ(p.messages[0].window, kFrame);
  EXPECT_EQ(p.messages[0].message, plat::kWmClose);
  EXPECT_FALSE(p.messages[0].posted);
  EXPECT_EQ(frame.OnClose(), CMainFrame::CloseAction::Destroy);
}

TEST_F(MainFrameTest, DisableTrayIconQuitsOnlyOnOk) {
  for (int result : {plat::kIdOk, 0, plat::kIdCancel, plat::kIdNo}) {
    SCOPED_TRACE(result);
    TrayPlatform machine;
    FakeMenus m(machine);
    FakeHost h;
    h.disableResult = result;
    CMainFrame frame(machine, m, h);
    frame.OnCreate(view);
    EXPECT_TRUE(frame.OnCommand(32027));
    EXPECT_EQ(h.disableDialogs, 1);
    EXPECT_EQ(frame.m_bShutdown, result == plat::kIdOk);
    EXPECT_EQ(machine.messages.size(), result == plat::kIdOk ? 1u : 0u);
  }
}

TEST_F(MainFrameTest, OpenShowsTheMainDialogOrRaisesTheRunningOne) {
  WithConfigs("Program", true, "Bonus");
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  EXPECT_TRUE(frame.OnCommand(32023));
  EXPECT_EQ(host.mainDialogs, 1);
  EXPECT_EQ(frame.m_sConfigFile, traytest::kDataCfg);
  EXPECT_EQ(frame.m_sTitle, "Bonus");

  plat::WindowHandle dialog = p.AddWindow("Bonus");
  frame.OnCommand(32023);
  EXPECT_EQ(host.mainDialogs, 1);
  EXPECT_EQ(p.foregrounded, std::vector<plat::WindowHandle>{dialog});
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainFrameTest, OpenWithTheDiskMissingPromptsWithTheLastLoadedTitle) {
  WithConfigs("Program Title", false);
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  p.answers = {plat::kIdOk, plat::kIdCancel};
  frame.OnCommand(32023);
  EXPECT_EQ(host.mainDialogs, 0);
  ASSERT_EQ(p.boxes.size(), 2u);
  for (const auto& box : p.boxes) {
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.text, "Please insert the disk labeled \"Velmora 5.0\", and click OK.");
    EXPECT_EQ(box.caption, "Program Title");
    EXPECT_EQ(box.type, 0x11u);
  }
  EXPECT_EQ(frame.m_sConfigFile, traytest::kProgramCfg);
}

TEST_F(MainFrameTest, PromptPutsTheDefaultTitleIntoAnEmptyTitle) {
  WithConfigs("", false);
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  p.answers = {plat::kIdCancel};
  EXPECT_FALSE(frame.LocateConfigWithPrompt(false));
  EXPECT_EQ(frame.m_sTitle, "Velmora Bonus Software Installer");
  EXPECT_EQ(p.boxes.at(0).caption, "Velmora Bonus Software Installer");
}

TEST_F(MainFrameTest, InsertingTheDiskDuringThePromptOpensTheDialog) {
  WithConfigs("Program", false);
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  p.duringBox.push_back([&] { p.AddFile(traytest::kDataCfg, traytest::TuneUp("WindowTitle=Bonus\r\n")); });
  frame.OnCommand(32023);
  EXPECT_EQ(p.boxes.size(), 1u);
  EXPECT_EQ(host.mainDialogs, 1);
  EXPECT_EQ(frame.m_sTitle, "Bonus");
}

TEST_F(MainFrameTest, LocatingInTheProgramFolderShowsTheMissingFileBoxBeforeThePrompt) {
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  p.answers = {plat::kIdOk, plat::kIdCancel};
  EXPECT_FALSE(frame.LocateConfigWithPrompt(true));
  ASSERT_EQ(p.boxes.size(), 2u);
  EXPECT_EQ(p.boxes[0].text, std::string("Error: ") + traytest::kProgramCfg + " doesn't exist.");
  EXPECT_EQ(p.boxes[0].caption, "");
  EXPECT_EQ(p.boxes[0].type, plat::kMbOk | plat::kMbIconStop);
  EXPECT_EQ(p.boxes[1].type, 0x11u);
}

TEST_F(MainFrameTest, DoubleClickOpensOneMainDialogAndASecondOnlyRaisesIt) {
  WithConfigs("Bonus", true, "Bonus");
  CMainFrame frame(p, menus, host);
  frame.OnCreate(view);
  RouteCommandsTo(frame);
  plat::WindowHandle dialog = 0;
  host.onMainDialog = [&] {
    dialog = p.AddWindow("Bonus");
    // A second double click while the modal dialog runs.
    EXPECT_EQ(frame.OnTrayNotification(3, 0x203), 1);
  };
  EXPECT_EQ(frame.OnTrayNotification(3, 0x203), 1);
  EXPECT_EQ(host.mainDialogs, 1);
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(p.foregrounded, std::vector<plat::WindowHandle>{dialog});
  EXPECT_EQ(p.messages.back().message, plat::kWmActivate);
  EXPECT_EQ(view.inserted.size(), 2u);
}

}  // namespace
