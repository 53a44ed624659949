#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

const std::string kDefaultIcon = "1007e";  // icon resource 126

TEST(MainFrame, ConstructionAndCreationPutTheIconIntoTheTray) {
  const struct {
    const char* name;
    std::function<void(TrayMachine&)> arrange;
    Strings transcript;
    std::string title;
  } cases[] = {
      {"Configured",
       [](TrayMachine& m) { m.WithConfigs("Bonus Title", true, "Data Title"); },
       {"large icon 1007e", "add 88 id3 frame/400 ITM 1007e 'Bonus Title'"},
       "Bonus Title"},
      {"EmptyTitle",
       [](TrayMachine& m) { m.WithConfigs("", true); },
       {"large icon 1007e", "add 88 id3 frame/400 ITM 1007e 'Velmora Bonus Software Installer'"},
       ""},
      {"NoConfiguration",
       nullptr,
       {"large icon 1007e", "add 88 id3 frame/400 ITM 1007e 'Velmora Bonus Software Installer'"},
       ""},
      {"TheProgramNamedIconWinsButTwoIcoDoesNot",
       [](TrayMachine& m) {
         m.WithConfigs("T", true);
         m.p.AddFile(std::string(kModuleDir) + "\\2.ico", "ico");
         m.p.AddFile(std::string(kModuleDir) + "\\VERavevi.ico", "ico");
       },
       {"large icon ICON", "add 88 id3 frame/400 ITM ICON 'T'",
        "extract C:\\Program Files\\Velmora\\VERavevi.ico"},
       "T"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TrayMachine m;
    if (c.arrange) c.arrange(m);
    m.p.SaveShellLink(plat::ShellLinkFields{"C:\\old.exe", "C:\\", "C:\\old.exe", 3, 7, "x"}, kTrayLink);
    CMainFrame frame(m.p, m.menus, m.windows);
    EXPECT_EQ(frame.OnCreate(m.view), 0);
    Strings expected = c.transcript;
    for (auto& line : expected)
      if (auto at = line.find("ICON"); at != std::string::npos)
        line.replace(at, 4, FakeView::Hex(frame.m_hIcon));
    EXPECT_EQ(m.Transcript(), expected);
    if (expected.size() == 3) {
      EXPECT_NE(FakeView::Hex(frame.m_hIcon), kDefaultIcon);
    }
    EXPECT_EQ(frame.m_sTitle, c.title);
    ASSERT_EQ(m.p.mutexCalls.size(), 1u);
    EXPECT_EQ(m.p.mutexCalls[0].name + (m.p.mutexCalls[0].initialOwner ? " owned" : ""), "justSTI");
    EXPECT_TRUE(m.p.closedHandles.empty());
    EXPECT_EQ(LinkOf(m.p), kTrayLinkFields);
  }
  TrayMachine m;
  m.p.failShellLinks = true;
  CMainFrame frame(m.p, m.menus, m.windows);
  EXPECT_EQ(LinkOf(m.p), "none");
  EXPECT_TRUE(m.p.boxes.empty());
}

TEST(MainFrame, NotificationLogLineNamesTheMouseMessage) {
  const struct {
    std::uintptr_t id;
    std::intptr_t message;
    const char* line;
  } cases[] = {
      {3, 0x1FF, "Tray notification: ID=3, lEvent=0x01ff (Unknown)\r\n"},
      {3, 0x200, "Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n"},
      {3, 0x201, "Tray notification: ID=3, lEvent=0x0201 WM_LBUTTONDOWN\r\n"},
      {3, 0x202, "Tray notification: ID=3, lEvent=0x0202 WM_LBUTTONUP\r\n"},
      {3, 0x203, "Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n"},
      {3, 0x204, "Tray notification: ID=3, lEvent=0x0204 WM_RBUTTONDOWN\r\n"},
      {42, 0x205, "Tray notification: ID=42, lEvent=0x0205 WM_RBUTTONUP\r\n"},
      {3, 0x206, "Tray notification: ID=3, lEvent=0x0206 WM_RBUTTONDBLCLK\r\n"},
      {3, 0x207, "Tray notification: ID=3, lEvent=0x0207 WM_MBUTTONDOWN\r\n"},
      {3, 0x208, "Tray notification: ID=3, lEvent=0x0208 WM_MBUTTONUP\r\n"},
      {3, 0x209, "Tray notification: ID=3, lEvent=0x0209 WM_MBUTTONDBLCLK\r\n"},
      {3, 0x20A, "Tray notification: ID=3, lEvent=0x020a (Unknown)\r\n"},
      {3, 0x12345, "Tray notification: ID=3, lEvent=0x12345 (Unknown)\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(tray::NotificationLogLine(c.id, c.message), c.line);
}

// A step of a frame's life: a tray notification (id, mouse message), a
// command (id), or a search for the configuration (true: in the program
// folder first).
struct Step {
  enum Kind { Notify, Command, Locate } kind;
  unsigned a;
  std::intptr_t b = 0;
};

TEST(MainFrame, ServesNotificationsAndCommands) {
  const std::string programConfig = std::string("config ") + kProgramCfg + " title ";
  const std::string dataConfig = std::string("config ") + kDataCfg + " title Bonus";
  const Strings menu = {"menu 3", "default 0", "cursor", "track 640,700 for frame after 1 raised 0 messages",
                        "menu released"};
  auto logged = [](const char* event) {
    return std::string("log Tray notification: ID=3, lEvent=") + event + "\r\n";
  };
  const struct {
    const char* name;
    std::function<void(TrayMachine&)> arrange;
    std::vector<Step> steps;
    Strings transcript;
  } cases[] = {
      {"NotificationsAreLoggedWhileShownAndAlwaysServed",
       nullptr,
       {{Step::Notify, 3, 0x200}, {Step::Notify, 3, 0x205}, {Step::Command, 32022}, {Step::Notify, 3, 0x205}},
       {logged("0x0200 WM_MOUSEMOVE"),
        "result 0",
        logged("0x0205 WM_RBUTTONUP"),
        menu[0],
        menu[1],
        menu[2],
        menu[3],
        menu[4],
        "result 1",
        "result 1",
        menu[0],
        menu[1],
        menu[2],
        "track 640,700 for frame after 2 raised 1 messages",
        menu[4],
        "result 1",
        "post frame 0 0 0",
        "post frame 0 0 0",
        "raise frame",
        "raise frame",
        "hide",
        programConfig}},
      {"ToggleIconShowsTheSpareIconsInTurn",
       nullptr,
       {{Step::Command, 32020}, {Step::Command, 32020}},
       {"result 1", "result 1",
        "modify 88 id3 frame/400 ITM 10066 'To exit, right-click then terminate VERavevi.'",
        "modify 88 id3 frame/400 ITM 10065 'Bonus Software'", "hide", programConfig}},
      {"ClearAboutAndExit",
       nullptr,
       {{Step::Command, 32021}, {Step::Command, 57664}, {Step::Command, 57665}},
       {"clear log", "result 1", "about", "result 1", "result 0", "hide", programConfig}},
      {"QuitClosesTheFrameForGood",
       nullptr,
       {{Step::Command, 32024}},
       {"result 1", "send frame 10 0 0", "destroy", programConfig}},
      {"DisableTrayIconYesQuits",
       [](TrayMachine& m) { m.whileShown = [](const std::string&) { return plat::kIdOk; }; },
       {{Step::Command, 32027}},
       {"disable", "result 1", "send frame 10 0 0", "destroy", programConfig}},
      {"DisableTrayIconNoStays",
       [](TrayMachine& m) { m.whileShown = [](const std::string&) { return 0; }; },
       {{Step::Command, 32027}},
       {"disable", "result 1", "hide", programConfig}},
      {"DisableTrayIconClosedStays",
       nullptr,
       {{Step::Command, 32027}},
       {"disable", "result 1", "hide", programConfig}},
      {"OpenShowsTheMainDialogHoldingTheStopAutoRunName",
       [](TrayMachine& m) { m.WithConfigs("Program", true, "Bonus"); },
       {{Step::Command, 32023}},
       {"main 1", "result 1", "hide", dataConfig}},
      {"OpenRaisesTheRunningDialog",
       [](TrayMachine& m) {
         m.WithConfigs("Program", true, "Bonus");
         m.p.AddWindow("Bonus");
       },
       {{Step::Command, 32023}},
       {"result 1", "raise window 1", "hide", dataConfig}},
      {"OpenWithTheDiskMissingPromptsWithTheLastTitle",
       [](TrayMachine& m) {
         m.WithConfigs("Program Title", false);
         m.p.answers = {plat::kIdOk, plat::kIdCancel};
       },
       {{Step::Command, 32023}},
       {"result 1", "box " + PromptBox("Program Title"), "box " + PromptBox("Program Title"), "hide",
        programConfig + "Program Title"}},
      {"OpenAfterTheDiskIsInsertedDuringThePrompt",
       [](TrayMachine& m) {
         m.WithConfigs("Program", false);
         m.p.onBox = [&m](const plat::FakePlatform::Box&) {
           m.p.AddFile(kDataCfg, TuneUp("WindowTitle=Bonus\r\n"));
         };
       },
       {{Step::Command, 32023}},
       {"main 1", "result 1", "box " + PromptBox("Program"), "hide", dataConfig}},
      {"ThePromptPutsTheDefaultTitleIntoAnEmptyTitle",
       [](TrayMachine& m) {
         m.WithConfigs("", false);
         m.p.answers = {plat::kIdCancel};
       },
       {{Step::Locate, 0}},
       {"result 0", "box " + PromptBox(kDefaultTitle), "hide", programConfig + kDefaultTitle}},
      {"TheProgramFolderSearchReportsAMissingFileBeforeThePrompt",
       [](TrayMachine& m) {
         m.p.answers = {plat::kIdOk, plat::kIdCancel};
       },  // the error box takes the OK
       {{Step::Locate, 1}},
       {"result 0", "box 0x10||Error: " + std::string(kProgramCfg) + " doesn't exist.",
        "box " + PromptBox(kDefaultTitle), "hide", programConfig + kDefaultTitle}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TrayMachine m;
    if (c.arrange) c.arrange(m);
    CMainFrame frame(m.p, m.menus, m.windows);
    frame.OnCreate(m.view);
    m.Transcript();
    for (const Step& step : c.steps) {
      std::intptr_t result = 0;
      if (step.kind == Step::Notify) result = frame.OnTrayNotification(step.a, step.b);
      if (step.kind == Step::Command) result = frame.OnCommand(step.a);
      if (step.kind == Step::Locate) result = frame.LocateConfigWithPrompt(step.a != 0);
      m.log.push_back("result " + std::to_string(result));
    }
    Strings transcript = m.Transcript();
    transcript.push_back(frame.OnClose() == CMainFrame::CloseAction::Destroy ? "destroy" : "hide");
    transcript.push_back("config " + frame.m_sConfigFile + " title " + frame.m_sTitle);
    EXPECT_EQ(transcript, c.transcript);
  }
}

TEST(MainFrame, DrawsTheCommandsMenuItems) {
  TrayMachine m;
  CMainFrame frame(m.p, m.menus, m.windows);
  frame.OnCreate(m.view);
  auto ui = [&](unsigned id) {
    const tray::CommandUi u = frame.QueryCommandUi(id);
    return std::string(u.handled ? "H" : "-") + (u.enabled ? "E" : "-") + (u.checked ? "C" : "-");
  };
  // Clear is enabled only with something to clear: more than one line, or
  // text on the caret's line.
  const struct {
    int lines, caretLength;
    const char* clear;
  } logs[] = {{1, 0, "H--"}, {1, 5, "HE-"}, {2, 0, "HE-"}, {0, 0, "H--"}};
  for (const auto& l : logs) {
    m.view.lineCount = l.lines;
    m.view.caretLineLength = l.caretLength;
    EXPECT_EQ(ui(32021), l.clear) << l.lines << "/" << l.caretLength;
  }
  EXPECT_EQ(ui(32022), "HEC");
  frame.OnCommand(32022);
  EXPECT_EQ(ui(32022), "HE-");
  for (unsigned id : {32020u, 32023u, 32024u, 32027u, 57664u}) EXPECT_EQ(ui(id), "HE-") << id;
  EXPECT_EQ(ui(57665), "---");  // E&xit has no handler
}

// The main dialog runs inside the frame's handler, where the shell's next
// notification arrives: a second double click only raises the dialog.
TEST(MainFrame, ADoubleClickWhileTheDialogRunsRaisesIt) {
  TrayMachine m;
  m.WithConfigs("Bonus", true, "Bonus");
  CMainFrame frame(m.p, m.menus, m.windows);
  frame.OnCreate(m.view);
  m.p.onSendMessage = [&frame](const plat::FakePlatform::SentMessage& sent) -> std::intptr_t {
    if (sent.window == kFrame && sent.message == plat::kWmCommand)
      frame.OnCommand(static_cast<unsigned>(sent.wParam));
    return 0;
  };
  m.whileShown = [&](const std::string&) {
    m.p.AddWindow("Bonus");
    m.log.push_back("result " + std::to_string(frame.OnTrayNotification(3, 0x203)));
    return 0;
  };
  m.Transcript();
  m.log.push_back("result " + std::to_string(frame.OnTrayNotification(3, 0x203)));
  const std::string line = "log Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n";
  EXPECT_EQ(m.Transcript(),
            (Strings{line, "menu 3", "main 1", line, "menu 3", "menu released", "result 1", "menu released",
                     "result 1", "send frame 111 32023 0", "send window 1 6 0 0", "raise window 1"}));
}

}  // namespace
