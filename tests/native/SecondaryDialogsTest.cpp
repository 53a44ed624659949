#include <gtest/gtest.h>

#include <string>

#include "app/DialogLook.h"
#include "app/DisableTrayIconLogic.h"
#include "app/OrderDialogLogic.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

const std::string kModule = kModuleDir;

TEST(OrderDialog, FormatsTheMessageWithoutAFormatter) {
  const struct {
    const char* format;
    const char* message;
  } cases[] = {
      {"", ""},
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
      // Configuration text is never handed to a formatter: these would read
      // arguments that do not exist.
      {"%d %n %x %p %5s %-s %ls %c", "%d %n %x %p %5s %-s %ls %c"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tray::FormatOrderMessage(c.format, "Velmora 5.0"), c.message) << c.format;
  EXPECT_EQ(tray::FormatOrderMessage("%s", "50% \\n off"), "50% \n off");
}

TEST(OrderDialog, TakesItsContentFromTheProgramFolderAndOpensThePage) {
  TrayMachine m;
  auto content = [&] {
    const tray::OrderDialogContent c = tray::LoadOrderDialogContent(m.p);
    return c.configFile + "|" + c.title + "|" + c.caption + "|" + c.message + "|" + c.url;
  };
  EXPECT_EQ(content(), std::string(kProgramCfg) + "||Velmora Bonus Software Installer||");
  m.p.AddFile(kProgramCfg, TuneUp("WindowTitle=Bonus\r\nOrderURLmsg=Get %s on CD.\\nIt is worth it.\r\n"
                                  "OrderURL=http://example.com/order\r\n"));
  m.p.AddFile(kDataCfg, TuneUp("WindowTitle=Data\r\nOrderURL=http://data\r\n"));
  EXPECT_EQ(content(), std::string(kProgramCfg) +
                           "|Bonus|Bonus|Get Velmora 5.0 on CD.\nIt is worth it.|http://example.com/order");
  EXPECT_TRUE(m.p.boxes.empty());

  tray::OpenOrderPage(m.p, 0x99, "http://example.com/order");
  ASSERT_EQ(m.p.shellCalls.size(), 1u);
  const auto& call = m.p.shellCalls[0];
  EXPECT_EQ(call.verb + "|" + call.file + "|" + call.parameters + "|" + call.directory + "|" +
                std::to_string(call.show),
            "open|http://example.com/order|||1");
}

TEST(DialogLook, CaptionFromTheProgramFolderAndIconTwoIcoThenTheProgramsThenResource126) {
  const struct {
    const char* title;  // nullptr: no configuration
    bool programIco, twoIco;
    const char* caption;
    const char* extracted;  // nullptr: resource 126
  } cases[] = {
      {nullptr, false, false, "Velmora Bonus Software Installer", nullptr},
      {"", true, false, "Velmora Bonus Software Installer", "VERavevi.ico"},
      {"Bonus", false, true, "Bonus", "2.ico"},
      {"Bonus", true, true, "Bonus", "2.ico"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption + std::string(c.programIco ? " A" : " -") + (c.twoIco ? "B" : "-"));
    TrayMachine m;
    if (c.title) m.WithConfigs(c.title, true);
    if (c.programIco) m.p.AddFile(kModule + "\\VERavevi.ico", "ico");
    if (c.twoIco) m.p.AddFile(kModule + "\\2.ico", "ico");
    const tray::DialogLook look = tray::LoadDialogLook(m.p);
    EXPECT_EQ(look.caption, c.caption);
    EXPECT_EQ(look.icon.extracted, c.extracted != nullptr);
    if (c.extracted == nullptr) {
      EXPECT_EQ(look.icon.handle, m.p.ProgramIconHandle(126));
      EXPECT_TRUE(m.p.extractIconCalls.empty());
    } else {
      EXPECT_EQ(m.p.extractIconCalls, Strings{kModule + "\\" + c.extracted});
      EXPECT_NE(look.icon.handle, 0u);
    }
  }
}

// "Show next time" starts ticked exactly when the configuration in use is
// not in the program folder (compared with case).
TEST(DisableTrayIcon, ShowNextTimeStartsTickedWhenTheConfigurationIsOnTheDisk) {
  const struct {
    const char* name;
    std::function<void(plat::FakePlatform&)> arrange;
    std::string configFile;
    int ticked;
  } cases[] = {
      {"OnTheDisk", nullptr, kDataCfg, 1},
      {"ProgramFolder", [](plat::FakePlatform& p) { p.AddFile(kModule + "\\VERavevi.rtf"); }, kProgramCfg, 0},
      {"ProgramFolderInOtherCase",
       [](plat::FakePlatform& p) {
         p.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir",
                        "C:\\PROGRAM FILES\\VELMORA");
       },
       "C:\\PROGRAM FILES\\VELMORA\\access\\VERavevi.cfg", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TrayMachine m;
    if (c.arrange) c.arrange(m.p);
    DisableTrayIconLogic logic(m.p);
    logic.PrepareModal();
    EXPECT_EQ(logic.m_sConfigFile, c.configFile);
    EXPECT_EQ(logic.m_bShowNextTime, c.ticked);
    EXPECT_EQ(logic.m_szLinkPath, kTrayLink);
  }
}

enum class Action { Yes, No, Close };

// What the Win32 dialog does: the check box shows the initial state, the
// user may click it, then ends the dialog one way; the window's destruction
// follows every ending.
int RunDialog(plat::Platform& platform, Action action, bool clickCheckBox) {
  DisableTrayIconLogic logic(platform);
  logic.PrepareModal();
  bool checked = logic.m_bShowNextTime != 0;
  if (clickCheckBox) {
    logic.OnShowNextTimeClicked();
    checked = !checked;
  }
  int result = plat::kIdCancel;
  if (action == Action::Yes) {
    logic.OnYes(checked);
    result = plat::kIdOk;
  } else if (action == Action::No) {
    logic.OnNo();
    result = DisableTrayIconLogic::kNoResult;
  }
  logic.OnDestroy();
  return result;
}

// The dialog's end and "Show next time" decide whether the StartUp shortcut
// stays (written again, or deleted, at every application) and whether the
// tray ends.
TEST(DisableTrayIcon, ShortcutAndTrayFollowTheTable) {
  const struct {
    const char* name;
    Action action;
    bool ticked;  // when the dialog ends
    std::string outcome;
  } cases[] = {
      {"Yes, ticked", Action::Yes, true, "link kept, saves 2, deletions 0, destroy"},
      {"Yes, clear", Action::Yes, false, "link none, saves 1, deletions 1, destroy"},
      {"No, ticked", Action::No, true, "link kept, saves 3, deletions 0, hide"},
      {"No, clear", Action::No, false, "link none, saves 1, deletions 2, hide"},
      {"Close, ticked", Action::Close, true, "link kept, saves 2, deletions 0, hide"},
      {"Close, clear", Action::Close, false, "link none, saves 1, deletions 1, hide"},
  };
  for (const auto& c : cases) {
    for (bool onDisk : {true, false}) {
      SCOPED_TRACE(std::string(c.name) +
                   (onDisk ? ", configuration on the disk" : ", in the program folder"));
      TrayMachine m;
      if (!onDisk) m.p.AddFile(kModule + "\\VERavevi.rtf");
      // Initially ticked exactly when the configuration is on the disk; a
      // click reaches the wanted state from the other.
      const bool click = c.ticked != onDisk;
      m.whileShown = [&](const std::string&) { return RunDialog(m.p, c.action, click); };
      CMainFrame frame(m.p, m.menus, m.windows);  // writes the shortcut, as every tray start does
      frame.OnCreate(m.view);
      frame.OnCommand(32027);
      const std::string link = LinkOf(m.p);
      EXPECT_EQ((link == kTrayLinkFields ? "link kept" : "link " + link) + ", saves " +
                    std::to_string(m.p.linkSaves.size()) + ", deletions " + std::to_string(m.p.deletions.size()) +
                    (frame.OnClose() == CMainFrame::CloseAction::Destroy ? ", destroy" : ", hide"),
                c.outcome);
      EXPECT_TRUE(m.p.boxes.empty());
    }
  }
}

}  // namespace
