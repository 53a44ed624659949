// The tray frame and its tray icon: what they tell the shell, and how they
// serve notifications and commands, each compared as one transcript.
#include <gtest/gtest.h>

#include <source_location>
#include <sstream>

#include "app/MainFrame.h"
#include "app/TrayIcon.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

using Arrange = std::function<void(TrayMachine&)>;
using Here = std::source_location;

// Runs `script` on an icon of id 3, then destroys it: "window 7001 400"
// sets the notification window and message (in hex), "icon 501 tip" sets an
// icon (and the tip, when given), "resource 101" the resource form, "fail 1"
// makes the shell's calls fail. Compares the results of the icon calls, then
// the shell calls.
void ExpectShell(const Strings& script, const std::string& results, const Strings& transcript,
                 Here at = Here::current()) {
  testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), "row");
  TrayMachine m;
  std::string r;
  {
    CTrayIcon icon(m.p, m, 3);
    for (const std::string& step : script) {
      std::istringstream in(step);
      std::string command, tip;
      unsigned a = 0, b = 0;
      in >> command >> std::hex >> a;
      if (command == "window" && in >> b) icon.SetNotificationWnd(a, b);
      if (command == "fail") m.p.failShellNotify = a != 0;
      if (command == "resource") r += icon.SetIcon(a) ? "1" : "0";
      if (command == "icon")
        r +=
            icon.SetIcon(a, std::getline(in >> std::ws, tip) ? std::optional(tip) : std::nullopt) ? "1" : "0";
    }
  }
  EXPECT_EQ(r, results);
  EXPECT_EQ(m.Transcript(), transcript);
}

TEST(TrayIcon, TellsTheShellAboutTheIcon) {
  ExpectShell({"window 7001 400", "icon 501 First tip", "icon 502", "icon 0", "icon 0"}, "1111",
              {"add 88 id3 frame/400 ITM 501 'First tip'", "modify 88 id3 frame/400 ITM 502 'First tip'",
               "delete 88 id3 frame/400 TM 502 'First tip'"});
  // The shell knows an icon by window and id: with another window the change
  // fails, and the icon counts as absent.
  ExpectShell({"icon 501", "window 0 400", "icon 502", "window 7001 0", "icon 503"}, "110",
              {"add 88 id3 0/0 I 501 ''", "modify 88 id3 0/400 I 502 ''", "modify 88 id3 frame/0 I 503 ''"});
  ExpectShell(
      {"fail 1", "icon 501 Tip", "fail 0", "icon 501"}, "01",
      {"add 88 id3 0/0 IT 501 'Tip'", "add 88 id3 0/0 IT 501 'Tip'", "delete 88 id3 0/0 T 501 'Tip'"});
  // The resource form takes icon and tip of one id; the tip keeps 63 characters.
  ExpectShell({"resource 65", "resource 66", "resource 0"}, "111",
              {"add 88 id3 0/0 IT 10065 'Bonus Software'",
               "modify 88 id3 0/0 IT 10066 'To exit, right-click then terminate VERavevi.'",
               "delete 88 id3 0/0 T 10066 'To exit, right-click then terminate VERavevi.'"});
  const std::string tip63(63, 'x');
  ExpectShell({"icon 501 " + tip63 + "y", "icon 501 " + tip63}, "11",
              {"add 88 id3 0/0 IT 501 '" + tip63 + "'", "modify 88 id3 0/0 IT 501 '" + tip63 + "'",
               "delete 88 id3 0/0 T 501 '" + tip63 + "'"});
}

// The icon (id 3, data folder copy titled "T" unless arranged) answering one
// notification: the transcript, the result and the configuration it found.
void ExpectIcon(std::uintptr_t id, std::intptr_t message, const Strings& transcript,
                const Arrange& arrange = nullptr, Here at = Here::current()) {
  testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), "row");
  TrayMachine m;
  arrange ? arrange(m) : void(m.WithConfigs("T", true));
  CTrayIcon icon(m.p, m, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  const std::intptr_t result = icon.OnTrayNotification(id, message);
  Strings out = m.Transcript();
  out.push_back("result " + std::to_string(result) + " config " + icon.m_sConfigFile);
  EXPECT_EQ(out, transcript);
}

TEST(TrayIcon, ServesTheNotificationsOfItsOwnId) {
  const std::string program = std::string("result 0 config ") + kProgramCfg;
  const std::string opened = std::string("result 1 config ") + kDataCfg;
  const std::pair<std::uintptr_t, std::intptr_t> ignored[] = {{4, 0x205}, {4, 0x203}, {3, 0x200},
                                                              {3, 0x202}, {3, 0x204}, {3, 0x206}};
  for (const auto& [id, message] : ignored) ExpectIcon(id, message, {program});
  ExpectIcon(
      3, 0x205,
      {"menu 3", "default 0", "cursor", "track 640,700 for frame after 1 raised 0 messages", "menu released",
       "post frame 0 0 0", "raise frame", "result 1 config " + std::string(kProgramCfg)});
  for (std::intptr_t message : {0x205, 0x203})
    ExpectIcon(3, message, {"menu 3", program}, [](TrayMachine& m) { m.menuMissing = true; });
  ExpectIcon(3, 0x203, {"menu 3", "menu released", "send frame 111 32023 0", opened});
  ExpectIcon(3, 0x203, {"menu 3", "menu released", "send window 1 6 0 0", "raise window 1", opened},
             [](TrayMachine& m) { m.WithConfigs("Bonus", true).Window("Bonus"); });
  // An empty title looks for this program's untitled dialog.
  ExpectIcon(3, 0x203, {"menu 3", "menu released", "send window 3 6 0 0", "raise window 3", opened},
             [](TrayMachine& m) {
               m.WithConfigs("", true)
                   .Window(kDefaultTitle)
                   .Window("", "C:\\Other\\other.exe")
                   .Window("", m.p.modulePath);
             });
  // With the disk missing: prompts until cancelled, or until the disk is in.
  ExpectIcon(3, 0x203,
             {"menu 3", "menu released", "box " + PromptBox("Program Title"),
              "box " + PromptBox("Program Title"), program},
             [](TrayMachine& m) {
               m.WithConfigs("Program Title", false).Answers({plat::kIdOk, plat::kIdCancel});
             });
  ExpectIcon(3, 0x203, {"menu 3", "menu released", "box " + PromptBox(kDefaultTitle), program},
             [](TrayMachine& m) { m.Answers({plat::kIdCancel}); });
  ExpectIcon(3, 0x203, {"menu 3", "menu released", "send frame 111 32023 0", "box " + PromptBox("T"), opened},
             [](TrayMachine& m) { m.WithConfigs("T", false).InsertDiskDuringBoxes("T"); });
}

TEST(MainFrame, NotificationLogLineNamesTheMouseMessage) {
  EXPECT_EQ(app::NotificationLogLine(42, 0x200), "Tray notification: ID=42, lEvent=0x0200 WM_MOUSEMOVE\r\n");
  const std::pair<std::intptr_t, const char*> cases[] = {
      {0x1FF, "0x01ff (Unknown)"}, {0x205, "0x0205 WM_RBUTTONUP"}, {0x209, "0x0209 WM_MBUTTONDBLCLK"},
      {0x20A, "0x020a (Unknown)"}, {0x12345, "0x12345 (Unknown)"},
  };
  for (const auto& [message, event] : cases)
    EXPECT_EQ(app::NotificationLogLine(3, message),
              "Tray notification: ID=3, lEvent=" + std::string(event) + "\r\n");
}

// A created frame going through `steps` (none: its creation, then the
// mutexes, the handles closed and the StartUp shortcut; "notify 0x205": a notification of
// id 3, "command 32020", "locate 1": a configuration search, program folder
// first): each step's result, the transcript, what closing does and the
// configuration and title in use.
void ExpectFrame(const Strings& steps, const Strings& transcript, const Arrange& arrange = nullptr,
                 Here at = Here::current()) {
  testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), "row");
  TrayMachine m;
  if (arrange) arrange(m);
  m.p.SaveShellLink(plat::ShellLinkFields{"C:\\old.exe", "C:\\", "C:\\old.exe", 3, 7, "x"}, kTrayLink);
  CMainFrame frame(m.p, m, m.windows);
  EXPECT_EQ(frame.OnCreate(m), 0);
  const Strings created = m.Transcript();
  for (const std::string& step : steps) {
    const auto value = std::stoul(step.substr(step.find(' ') + 1), nullptr, 0);
    std::intptr_t result = step[0] == 'n'   ? frame.OnTrayNotification(3, static_cast<std::intptr_t>(value))
                           : step[0] == 'c' ? frame.OnCommand(static_cast<unsigned>(value))
                                            : frame.LocateConfigWithPrompt(value != 0);
    m.log.push_back("result " + std::to_string(result));
  }
  Strings out = m.Transcript();
  if (steps.empty()) {
    out = created;
    for (const auto& mutex : m.p.MutexLog()) out.push_back(mutex);
    out.push_back(std::to_string(m.p.closedHandles.size()) + " closed, link " + LinkOf(m.p));
  }
  out.push_back(frame.OnClose() == CMainFrame::CloseAction::Destroy ? "destroy" : "hide");
  out.push_back("config " + frame.m_sConfigFile + " title " + frame.m_sTitle);
  EXPECT_EQ(out, transcript);
}

TEST(MainFrame, PutsTheIconIntoTheTrayAndServesNotificationsAndCommands) {
  const std::string programConfig = std::string("config ") + kProgramCfg + " title ";
  const std::string dataConfig = std::string("config ") + kDataCfg + " title Bonus";
  const std::string created = "0 closed, link " + std::string(kTrayLinkFields);
  ExpectFrame({},
              {"large icon 1007e", "add 88 id3 frame/400 ITM 1007e 'Bonus Title'", "justSTI", created, "hide",
               programConfig + "Bonus Title"},
              [](TrayMachine& m) { m.WithConfigs("Bonus Title", true, "Data Title"); });
  for (const Arrange& arrange : {Arrange(), Arrange([](TrayMachine& m) { m.WithConfigs("", true); })})
    ExpectFrame({},
                {"large icon 1007e", "add 88 id3 frame/400 ITM 1007e '" + std::string(kDefaultTitle) + "'",
                 "justSTI", created, "hide", programConfig},
                arrange);
  ExpectFrame({},
              {"large icon 1007e", "add 88 id3 frame/400 ITM 1007e 'T'", "justSTI", "0 closed, link none",
               "hide", programConfig + "T"},
              [](TrayMachine& m) { m.WithConfigs("T", true).p.failShellLinks = true; });
  // The program-named icon wins, 2.ico does not.
  ExpectFrame(
      {},
      {"large icon 101", "add 88 id3 frame/400 ITM 101 'T'",
       "extract C:\\Program Files\\Velmora\\VERavevi.ico", "justSTI", created, "hide", programConfig + "T"},
      [](TrayMachine& m) {
        m.WithConfigs("T", true).p.AddFile(std::string(kModuleDir) + "\\2.ico", "ico");
        m.p.AddFile(std::string(kModuleDir) + "\\VERavevi.ico", "ico");
      });
  const std::string logged = "log Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n";
  const std::string loggedUp = "log Tray notification: ID=3, lEvent=0x0205 WM_RBUTTONUP\r\n";
  const std::string track = "track 640,700 for frame after 1 raised 0 messages";
  // Notifications are logged while "show notifications" is on, and always served.
  ExpectFrame({"notify 0x200", "notify 0x205"},
              {logged, "result 0", loggedUp, "menu 3", "default 0", "cursor", track, "menu released",
               "result 1", "post frame 0 0 0", "raise frame", "hide", programConfig});
  ExpectFrame({"command 32022", "notify 0x205", "notify 0x200"},
              {"result 1", "menu 3", "default 0", "cursor", track, "menu released", "result 1", "result 0",
               "post frame 0 0 0", "raise frame", "hide", programConfig});
  ExpectFrame({"command 32020", "command 32020"},
              {"result 1", "result 1",
               "modify 88 id3 frame/400 ITM 10066 'To exit, right-click then terminate VERavevi.'",
               "modify 88 id3 frame/400 ITM 10065 'Bonus Software'", "hide", programConfig});
  ExpectFrame({"command 32021", "command 57664", "command 57665"},
              {"clear log", "result 1", "about", "result 1", "result 0", "hide", programConfig});
  ExpectFrame({"command 32024"}, {"result 1", "send frame 10 0 0", "destroy", programConfig});
  // Disable Tray Icon: Yes quits, No or closing the dialog stays.
  ExpectFrame({"command 32027"}, {"disable", "result 1", "send frame 10 0 0", "destroy", programConfig},
              [](TrayMachine& m) { m.whileShown = [](const std::string&) { return plat::kIdOk; }; });
  ExpectFrame({"command 32027"}, {"disable", "result 1", "hide", programConfig},
              [](TrayMachine& m) { m.whileShown = [](const std::string&) { return 0; }; });
  ExpectFrame({"command 32027"}, {"disable", "result 1", "hide", programConfig});
  // Open shows the main dialog holding the StopAutoRun name, or raises the running one.
  ExpectFrame({"command 32023"}, {"main 1", "result 1", "hide", dataConfig},
              [](TrayMachine& m) { m.WithConfigs("Program", true, "Bonus"); });
  ExpectFrame({"command 32023"}, {"result 1", "raise window 1", "hide", dataConfig},
              [](TrayMachine& m) { m.WithConfigs("Program", true, "Bonus").Window("Bonus"); });
  // With the disk missing Open prompts with the last title, until cancelled or the disk is in.
  ExpectFrame({"command 32023"},
              {"result 1", "box " + PromptBox("Program Title"), "box " + PromptBox("Program Title"), "hide",
               programConfig + "Program Title"},
              [](TrayMachine& m) {
                m.WithConfigs("Program Title", false).Answers({plat::kIdOk, plat::kIdCancel});
              });
  ExpectFrame({"command 32023"}, {"main 1", "result 1", "box " + PromptBox("Program"), "hide", dataConfig},
              [](TrayMachine& m) { m.WithConfigs("Program", false).InsertDiskDuringBoxes("Bonus"); });
  ExpectFrame({"locate 0"},
              {"result 0", "box " + PromptBox(kDefaultTitle), "hide", programConfig + kDefaultTitle},
              [](TrayMachine& m) { m.WithConfigs("", false).Answers({plat::kIdCancel}); });
  // The program folder search reports a missing file before the prompt (the error box takes the OK).
  ExpectFrame({"locate 1"},
              {"result 0", "box 0x10||Error: " + std::string(kProgramCfg) + " doesn't exist.",
               "box " + PromptBox(kDefaultTitle), "hide", programConfig + kDefaultTitle},
              [](TrayMachine& m) {
                m.Answers({plat::kIdOk, plat::kIdCancel});
              });
}

TEST(MainFrame, DrawsTheCommandsMenuItems) {
  TrayMachine m;
  CMainFrame frame(m.p, m, m.windows);
  frame.OnCreate(m);
  auto ui = [&](unsigned id) {
    const app::CommandUi u = frame.QueryCommandUi(id);
    return std::string(u.handled ? "H" : "-") + (u.enabled ? "E" : "-") + (u.checked ? "C" : "-");
  };
  // Clear is enabled only with something to clear: more than one line, or
  // text on the caret's line.
  const int logs[][3] = {{1, 0, 0}, {1, 5, 1}, {2, 0, 1}, {0, 0, 0}};
  for (const auto& l : logs) {
    m.lineCount = l[0];
    m.caretLineLength = l[1];
    EXPECT_EQ(ui(32021), l[2] ? "HE-" : "H--") << l[0] << "/" << l[1];
  }
  EXPECT_EQ(ui(32022), "HEC");
  frame.OnCommand(32022);
  EXPECT_EQ(ui(32022), "HE-");
  for (unsigned id : {32020u, 32023u, 32024u, 32027u, 57664u}) EXPECT_EQ(ui(id), "HE-") << id;
  EXPECT_EQ(ui(57665), "---");  // E&xit has no handler
}

}  // namespace
