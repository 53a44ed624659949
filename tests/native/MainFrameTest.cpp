#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

constexpr plat::WindowHandle kFrame = 0x7001;
using Strings = std::vector<std::string>;

class FakeView : public tray::MainFrameView {
 public:
  Strings inserted;
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

class MainFrameTest : public ::testing::Test, public TrayMachine {
 protected:
  // A frame whose window has been created.
  CMainFrame& Frame() {
    frame_ = std::make_unique<CMainFrame>(p, menus, host);
    EXPECT_EQ(frame_->OnCreate(view), 0);
    return *frame_;
  }

  FakeView view;
  FakeHost host;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MainFrameTest, ConstructionCreatesTheTrayMutexAndReplacesTheStartupShortcut) {
  p.SaveShellLink(plat::ShellLinkFields{"C:\\old.exe", "C:\\", "C:\\old.exe", 3, 7, "x"}, kTrayLink);
  CMainFrame frame(p, menus, host);
  ASSERT_EQ(p.mutexCalls.size(), 1u);
  EXPECT_EQ(p.mutexCalls[0].name, "justSTI");
  EXPECT_FALSE(p.mutexCalls[0].initialOwner);
  EXPECT_TRUE(p.closedHandles.empty());
  EXPECT_STREQ(frame.m_szLinkPath, kTrayLink);
  ExpectTrayLink(p);
}

TEST_F(MainFrameTest, AShortcutThatCannotBeWrittenIsNotReported) {
  p.failShellLinks = true;
  CMainFrame frame(p, menus, host);
  EXPECT_FALSE(p.LoadShellLink(kTrayLink));
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainFrameTest, CreationPutsTheProgramIconIntoTheTrayWithTheTitle) {
  WithConfigs("Bonus Title", true, "Data Title");
  CMainFrame& frame = Frame();
  EXPECT_EQ(frame.m_sTitle, "Bonus Title");
  EXPECT_EQ(frame.m_sConfigFile, kProgramCfg);
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

TEST_F(MainFrameTest, AnEmptyOrMissingTitleShowsTheDefaultTooltipButKeepsTheTitleEmpty) {
  for (bool configured : {true, false}) {
    SCOPED_TRACE(configured);
    TrayMachine m;
    if (configured) m.WithConfigs("", true);
    CMainFrame frame(m.p, m.menus, host);
    EXPECT_EQ(frame.OnCreate(view), 0);
    EXPECT_EQ(frame.m_sTitle, "");
    ASSERT_EQ(m.p.notifyCalls.size(), 1u);
    EXPECT_STREQ(m.p.notifyCalls[0].data.szTip, kDefaultTitle);
    EXPECT_TRUE(m.p.boxes.empty());
  }
}

TEST_F(MainFrameTest, AProgramNamedIconBesideTheConfigurationWinsButTwoIcoDoesNot) {
  WithConfigs("T", true);
  p.AddFile(std::string(kModuleDir) + "\\2.ico", "ico");
  p.AddFile(std::string(kModuleDir) + "\\VERavevi.ico", "ico");
  CMainFrame& frame = Frame();
  EXPECT_EQ(p.extractIconCalls, Strings{std::string(kModuleDir) + "\\VERavevi.ico"});
  EXPECT_NE(frame.m_hIcon, p.ProgramIconHandle(126));
  EXPECT_EQ(p.notifyCalls.at(0).data.hIcon, frame.m_hIcon);
}

TEST(NotificationLogLine, FormatsIdEventAndName) {
  const char* names[] = {"WM_MOUSEMOVE",   "WM_LBUTTONDOWN",  "WM_LBUTTONUP",     "WM_LBUTTONDBLCLK",
                         "WM_RBUTTONDOWN", "WM_RBUTTONUP",    "WM_RBUTTONDBLCLK", "WM_MBUTTONDOWN",
                         "WM_MBUTTONUP",   "WM_MBUTTONDBLCLK"};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(tray::NotificationLogLine(3, 0x200 + i),
              "Tray notification: ID=3, lEvent=0x020" + std::to_string(i) + " " + names[i] + "\r\n");
  EXPECT_EQ(tray::NotificationLogLine(3, 0x20A), "Tray notification: ID=3, lEvent=0x020a (Unknown)\r\n");
  EXPECT_EQ(tray::NotificationLogLine(3, 0x1FF), "Tray notification: ID=3, lEvent=0x01ff (Unknown)\r\n");
  EXPECT_EQ(tray::NotificationLogLine(3, 0), "Tray notification: ID=3, lEvent=0x0000 (Unknown)\r\n");
  EXPECT_EQ(tray::NotificationLogLine(3, 0x12345), "Tray notification: ID=3, lEvent=0x12345 (Unknown)\r\n");
  EXPECT_EQ(tray::NotificationLogLine(42, 0x205), "Tray notification: ID=42, lEvent=0x0205 WM_RBUTTONUP\r\n");
}

TEST_F(MainFrameTest, NotificationsAreLoggedWhileShownAndAlwaysPassedToTheIcon) {
  WithConfigs("T", true);
  CMainFrame& frame = Frame();
  EXPECT_EQ(frame.OnTrayNotification(3, 0x200), 0);
  EXPECT_EQ(frame.OnTrayNotification(3, 0x205), 1);
  EXPECT_EQ(view.inserted, (Strings{"Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n",
                                    "Tray notification: ID=3, lEvent=0x0205 WM_RBUTTONUP\r\n"}));

  EXPECT_TRUE(frame.OnCommand(32022));
  EXPECT_FALSE(frame.m_bShowTrayNotifications);
  EXPECT_EQ(frame.OnTrayNotification(3, 0x205), 1);
  EXPECT_EQ(view.inserted.size(), 2u);
  EXPECT_EQ(menus.Sequence(), (Strings{"load", "default", "cursor", "track", "release", "load", "default",
                                       "cursor", "track", "release"}));
}

TEST_F(MainFrameTest, ToggleIconShowsTheSpareIconsInTurn) {
  CMainFrame& frame = Frame();
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
  CMainFrame& frame = Frame();
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
  CMainFrame& frame = Frame();
  EXPECT_EQ(frame.OnClose(), CMainFrame::CloseAction::Hide);
  EXPECT_TRUE(frame.OnCommand(32024));
  EXPECT_TRUE(frame.m_bShutdown);
  EXPECT_EQ(MessageLog(p), Strings{Msg(kFrame, plat::kWmClose, 0, 0, false)});
  EXPECT_EQ(frame.OnClose(), CMainFrame::CloseAction::Destroy);
}

TEST_F(MainFrameTest, DisableTrayIconQuitsOnlyOnOk) {
  for (int result : {plat::kIdOk, 0, plat::kIdCancel, plat::kIdNo}) {
    SCOPED_TRACE(result);
    TrayMachine m;
    FakeHost h;
    h.disableResult = result;
    CMainFrame frame(m.p, m.menus, h);
    frame.OnCreate(view);
    EXPECT_TRUE(frame.OnCommand(32027));
    EXPECT_EQ(h.disableDialogs, 1);
    EXPECT_EQ(frame.m_bShutdown, result == plat::kIdOk);
    EXPECT_EQ(m.p.messages.size(), result == plat::kIdOk ? 1u : 0u);
  }
}

TEST_F(MainFrameTest, OpenShowsTheMainDialogOrRaisesTheRunningOne) {
  WithConfigs("Program", true, "Bonus");
  CMainFrame& frame = Frame();
  EXPECT_TRUE(frame.OnCommand(32023));
  EXPECT_EQ(host.mainDialogs, 1);
  EXPECT_EQ(frame.m_sConfigFile, kDataCfg);
  EXPECT_EQ(frame.m_sTitle, "Bonus");

  plat::WindowHandle dialog = p.AddWindow("Bonus");
  frame.OnCommand(32023);
  EXPECT_EQ(host.mainDialogs, 1);
  EXPECT_EQ(p.foregrounded, std::vector<plat::WindowHandle>{dialog});
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainFrameTest, OpenWithTheDiskMissingPromptsWithTheLastLoadedTitle) {
  WithConfigs("Program Title", false);
  CMainFrame& frame = Frame();
  p.answers = {plat::kIdOk, plat::kIdCancel};
  frame.OnCommand(32023);
  EXPECT_EQ(host.mainDialogs, 0);
  EXPECT_EQ(BoxLog(p), Strings(2, PromptBox("Program Title")));
  EXPECT_EQ(frame.m_sConfigFile, kProgramCfg);
}

TEST_F(MainFrameTest, PromptPutsTheDefaultTitleIntoAnEmptyTitle) {
  WithConfigs("", false);
  CMainFrame& frame = Frame();
  p.answers = {plat::kIdCancel};
  EXPECT_FALSE(frame.LocateConfigWithPrompt(false));
  EXPECT_EQ(frame.m_sTitle, kDefaultTitle);
  EXPECT_EQ(BoxLog(p), Strings{PromptBox(kDefaultTitle)});
}

TEST_F(MainFrameTest, InsertingTheDiskDuringThePromptOpensTheDialog) {
  WithConfigs("Program", false);
  CMainFrame& frame = Frame();
  p.onBox = [&](const plat::FakePlatform::Box&) { p.AddFile(kDataCfg, TuneUp("WindowTitle=Bonus\r\n")); };
  frame.OnCommand(32023);
  EXPECT_EQ(p.boxes.size(), 1u);
  EXPECT_EQ(host.mainDialogs, 1);
  EXPECT_EQ(frame.m_sTitle, "Bonus");
}

TEST_F(MainFrameTest, LocatingInTheProgramFolderShowsTheMissingFileBoxBeforeThePrompt) {
  CMainFrame& frame = Frame();
  p.answers = {plat::kIdOk, plat::kIdCancel};
  EXPECT_FALSE(frame.LocateConfigWithPrompt(true));
  EXPECT_EQ(BoxLog(p), (Strings{"0x10||Error: " + std::string(kProgramCfg) + " doesn't exist.",
                                PromptBox(kDefaultTitle)}));
}

TEST_F(MainFrameTest, DoubleClickOpensOneMainDialogAndASecondOnlyRaisesIt) {
  WithConfigs("Bonus", true, "Bonus");
  CMainFrame& frame = Frame();
  // Sends WM_COMMAND to the frame like the real window's procedure would.
  p.onSendMessage = [&frame](const plat::FakePlatform::SentMessage& m) -> std::intptr_t {
    if (m.window == kFrame && m.message == plat::kWmCommand) frame.OnCommand(static_cast<unsigned>(m.wParam));
    return 0;
  };
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
