#include <gtest/gtest.h>

#include <string>

#include "app/DialogLook.h"
#include "app/DisableTrayIconLogic.h"
#include "app/OrderDialogLogic.h"
#include "platform/VUtils.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

const std::string kModule = kModuleDir;

TEST(OrderDialog, FormatsTheMessageWithoutAFormatter) {
  // Configuration text is never handed to a formatter: "%d" and the like
  // would read arguments that do not exist.
  const std::pair<const char*, const char*> cases[] = {
      {"The full version of %s.\\nVisit.", "The full version of Velmora 5.0.\nVisit."},
      {"%s and %s", "Velmora 5.0 and Velmora 5.0"},
      {"100%% sure", "100% sure"},
      {"%%s", "%s"},
      {"a\\\\nb", "a\\\nb"},
      {"\\n\\n", "\n\n"},
  };
  for (const auto& [format, message] : cases)
    EXPECT_EQ(app::FormatOrderMessage(format, "Velmora 5.0"), message) << format;
  for (const char* same : {"", "ends with \\", "ends with %", "line\\N", "%d %n %x %p %5s %-s %ls %c"})
    EXPECT_EQ(app::FormatOrderMessage(same, "Velmora 5.0"), same);
  EXPECT_EQ(app::FormatOrderMessage("%s", "50% \\n off"), "50% \n off");
}

TEST(OrderDialog, TakesItsContentFromTheProgramFolderAndOpensThePage) {
  TrayMachine m;
  auto content = [&] {
    const app::OrderDialogContent c = app::LoadOrderDialogContent(m.p);
    return c.configFile + "|" + c.title + "|" + c.caption + "|" + c.message + "|" + c.url;
  };
  EXPECT_EQ(content(), std::string(kProgramCfg) + "||Velmora Bonus Software Installer||");
  m.p.AddFile(kProgramCfg, TuneUp({"WindowTitle=Bonus", "OrderURLmsg=Get %s on CD.\\nIt is worth it.",
                                   "OrderURL=http://example.com/order"}));
  m.p.AddFile(kDataCfg, TuneUp({"WindowTitle=Data", "OrderURL=http://data"}));
  EXPECT_EQ(content(), std::string(kProgramCfg) +
                           "|Bonus|Bonus|Get Velmora 5.0 on CD.\nIt is worth it.|http://example.com/order");
  EXPECT_TRUE(m.p.boxes.empty());

  app::OpenOrderPage(m.p, 0x99, "http://example.com/order");
  const auto& call = m.p.shellCalls.at(0);
  EXPECT_EQ(std::to_string(m.p.shellCalls.size()) + " " + call.verb + "|" + call.file + "|" +
                call.parameters + "|" + call.directory + "|" + std::to_string(call.show),
            "1 open|http://example.com/order|||1");
}

// The caption comes from the program folder's copy; the icon from 2.ico,
// else the program's .ico, else resource 126.
TEST(DialogLook, CaptionAndIcon) {
  const struct {
    const char* title;  // nullptr: no configuration
    bool programIco, twoIco;
    std::string look;
  } cases[] = {
      {nullptr, false, false, "Velmora Bonus Software Installer|resource"},
      {"", true, false, "Velmora Bonus Software Installer|extracted " + kModule + "\\VERavevi.ico"},
      {"Bonus", false, true, "Bonus|extracted " + kModule + "\\2.ico"},
      {"Bonus", true, true, "Bonus|extracted " + kModule + "\\2.ico"},
  };
  for (const auto& c : cases) {
    TrayMachine m;
    if (c.title) m.WithConfigs(c.title, true);
    if (c.programIco) m.p.AddFile(kModule + "\\VERavevi.ico", "ico");
    if (c.twoIco) m.p.AddFile(kModule + "\\2.ico", "ico");
    const app::DialogLook look = app::LoadDialogLook(m.p);
    std::string icon = look.icon.extracted                              ? "extracted"
                       : look.icon.handle == m.p.ProgramIconHandle(126) ? "resource"
                                                                        : "other";
    if (look.icon.handle == 0) icon += " none";
    for (const auto& file : m.p.extractIconCalls) icon += " " + file;
    EXPECT_EQ(look.caption + "|" + icon, c.look);
  }
}

enum class Action { Yes, No, Close };

// What the Win32 dialog does: the check box shows the initial state, the
// user may click it, then ends the dialog one way; the window's destruction
// follows every ending.
int RunDialog(plat::Platform& platform, Action action, bool ticked, bool initiallyTicked) {
  DisableTrayIconLogic logic(platform);
  logic.PrepareModal();
  EXPECT_EQ(logic.m_bShowNextTime, initiallyTicked);
  if (ticked != initiallyTicked) logic.OnShowNextTimeClicked();
  if (action == Action::Yes) logic.OnYes(ticked);
  if (action == Action::No) logic.OnNo();
  logic.OnDestroy();
  return action == Action::Yes  ? plat::kIdOk
         : action == Action::No ? DisableTrayIconLogic::kNoResult
                                : plat::kIdCancel;
}

// "Show next time" starts ticked exactly when the configuration in use is
// not in the program folder (compared with case). The dialog's end and the
// box decide whether the StartUp shortcut stays (written again, or deleted,
// at every application) and whether the tray ends.
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
    // The configuration on the disk, in the program folder, or on a disk named like it in other case.
    for (int where : {0, 1, 2}) {
      SCOPED_TRACE(std::string(c.name) + ", configuration " + std::to_string(where));
      TrayMachine m;
      if (where == 1) m.p.AddFile(kModule + "\\VERavevi.rtf");
      if (where == 2)
        m.p.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir",
                         "C:\\PROGRAM FILES\\VELMORA");
      m.whileShown = [&](const std::string&) { return RunDialog(m.p, c.action, c.ticked, where != 1); };
      CMainFrame frame(m.p, m, m.windows);  // writes the shortcut, as every tray start does
      frame.OnCreate(m);
      frame.OnCommand(32027);
      const std::string link = LinkOf(m.p);
      EXPECT_EQ((link == kTrayLinkFields ? "link kept" : "link " + link) + ", saves " +
                    std::to_string(m.p.linkSaves.size()) + ", deletions " +
                    std::to_string(m.p.deletions.size()) +
                    (frame.OnClose() == CMainFrame::CloseAction::Destroy ? ", destroy" : ", hide"),
                c.outcome);
      EXPECT_TRUE(m.p.boxes.empty());
    }
  }
}

// The file beside the program wins, then the system folder's; a copy in the
// current folder is never taken.
TEST(LoadZBLibrary, PrefersTheFileBesideTheProgram) {
  const std::string beside = "C:\\Velmora\\VScript.DLL";
  const std::string system = "C:\\WINDOWS\\SYSTEM32\\VScript.DLL";
  const struct {
    const char* name;
    bool besideFile, besideFolder, system, current, loads;
    std::string loaded;
  } rows[] = {
      {"both", true, false, true, true, true, beside},
      {"system and current", false, false, true, true, true, system},
      {"a folder beside", false, true, false, false, false, system},
      {"current folder only", false, false, false, true, false, system},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    plat::FakePlatform fake;
    fake.modulePath = "C:\\Velmora\\VERavevi.exe";
    fake.currentDir = "C:\\Downloads";
    if (r.besideFile) fake.AddLibrary(beside, {});
    if (r.besideFolder) fake.AddFolder(beside);
    if (r.system) fake.AddLibrary(system, {});
    if (r.current) fake.AddLibrary("C:\\Downloads\\VScript.DLL", {});
    EXPECT_EQ(LoadZBLibraryEx(fake, "VScript.DLL") != 0, r.loads);
    EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{r.loaded});
  }
}

}  // namespace
