// Faults at every platform call. Each scenario runs once to count its calls,
// N; then N times with call k failing (k = 1..N); then once with every call
// from the middle on failing. Every run must end within 10 N calls, write or
// delete nothing but the StartUp shortcuts, leave no dialog shortcut behind
// once the dialog has closed (unless every later delete failed), and end the
// way the fault-free run ends or by ending the process.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "app/BonusApp.h"
#include "app/DialogLook.h"
#include "app/DisableTrayIconLogic.h"
#include "app/OrderDialogLogic.h"
#include "resources/ResourceIds.h"
#include "tests/native/DialogTestSupport.h"
#include "tests/native/TrayTestSupport.h"

namespace {

using browser::CBonusDlg;
using browser::CRecordingView;
using traytest::TrayMachine;
using Steps = std::function<void(CBonusDlg&, CRecordingView&)>;

// The product's disk with one capsule per way of installing, each with its
// description, icon, sound and companion, and the program's own copy of the
// main file; both copies name an order page.
void Demo(TrayMachine& t) {
  plat::FakePlatform& p = t.p;
  const std::string order = "OrderURLmsg=Order %s\nOrderURL=http://velmora.example/order\n";
  p.drives = {{"C:\\", plat::kDriveFixed, true, 8ull << 30, 1ull << 30},
              {"D:\\", plat::kDriveCdRom, true, 700ull << 20, 0}};
  p.AddFile(traytest::kProgramCfg, "[TuneUp]\nWindowTitle=Local\n" + order);
  p.AddFile(traytest::kDataCfg, "[TuneUp]\nWindowTitle=Bonus\nRun1=run1.exe,1\nRun2=run2.exe\n" + order +
                                    "[Packages]\nShell\nProc\nScript\nAsk\nWarn\n");
  p.AddFile("D:\\access\\run1.exe");
  p.AddFile("D:\\access\\run2.exe");
  p.AddFile("C:\\Program Files\\Velmora\\VERavevi.wav", "RIFF");
  const char* capsules[][2] = {
      {"Shell", "Run=setup.exe\nMoreInfoTitle=Read me\nMoreInfoRun=readme.htm\n"},
      {"Proc", "Run=setup.x\n"},
      {"Script", "Run=setup.cfg\n"},
      {"Ask", "Run=setup.exe\n[Version]\nRegistry=HKEY_LOCAL_MACHINE\\SOFTWARE\\Ask\\2.0\nVersion=1.0\n"},
      {"Warn", "Run=setup.exe\nDisclaimer=1\n"},
  };
  for (const auto& [name, lines] : capsules) {
    const std::string stem = std::string("D:\\access\\") + name + "\\" + name;
    p.AddFile(stem + ".cfg", "[TuneUp]\nTitle=" + std::string(name) + "\n" + lines);
    for (const char* ext : {".rtf", ".ico", ".wav", ".tmp"}) p.AddFile(stem + ext, "{\\rtf1 x}");
    for (const char* file : {"setup.exe", "setup.x", "setup.cfg", "readme.htm"})
      p.AddFile(std::string("D:\\access\\") + name + "\\" + file);
  }
  p.AddLibrary("C:\\Program Files\\Velmora\\VScript.DLL", {{{"Install", 0}}});
  p.AddRegKey(plat::RegRoot::LocalMachine, "SOFTWARE\\Ask\\2.0");
}

// The main dialog from set-up to its window's end, with `steps` in between
// while it is open.
void RunDialog(plat::FakePlatform& p, const Steps& steps = {}) {
  CRecordingView view;
  view.recording = false;
  CBonusDlg dlg(p, view);
  if (dlg.OnInitDialog() && !view.ended && steps) steps(dlg, view);
  if (!view.ended) dlg.OnCancel();
  dlg.OnDestroy();
}

Steps Install(const std::string& capsule) {
  return [capsule](CBonusDlg& dlg, CRecordingView& view) {
    view.SelectText(capsule);
    dlg.OnSelChangedCapsule();
    if (!view.ended) dlg.OnInstall();
  };
}

// Runs a scenario on the Demo machine; returns how it ended ("tray",
// "ends"), or "" where there is nothing to say.
using Scenario = std::function<std::string(TrayMachine&)>;

Scenario Dialog(const Steps& steps) {
  return [steps](TrayMachine& t) {
    RunDialog(t.p, steps);
    return std::string();
  };
}

// A start with `arguments`; the main dialog runs whenever it is shown, and
// the order dialog, offered when the disk is out, asks to look again once.
Scenario StartUp(std::vector<std::string> arguments) {
  return [arguments](TrayMachine& t) {
    t.p.arguments = arguments;
    int orders = 0;
    t.whileShown = [&](const std::string& dialog) {
      if (dialog == "main") RunDialog(t.p);
      if (dialog != "order") return plat::kIdCancel;
      app::OpenOrderPage(t.p, 0, app::LoadOrderDialogContent(t.p).url);
      return ++orders == 1 ? plat::kIdOk : plat::kIdCancel;
    };
    const bool loop = CBonusApp(t.p, t.windows).InitInstance();
    return loop && t.windows.HasMainWindow() ? "tray" : "ends";
  };
}

// The tray frame from its creation to its window's end, with `commands`.
Scenario Tray(const std::vector<unsigned>& commands, int disableAnswer = plat::kIdCancel) {
  return [commands, disableAnswer](TrayMachine& t) {
    t.whileShown = [&](const std::string& dialog) {
      if (dialog == "main") RunDialog(t.p);
      if (dialog == "about") app::LoadDialogLook(t.p);
      if (dialog != "disable") return plat::kIdCancel;
      DisableTrayIconLogic logic(t.p);
      logic.PrepareModal();
      app::LoadDialogLook(t.p);
      logic.OnShowNextTimeClicked();
      if (disableAnswer == plat::kIdOk) logic.OnYes(logic.m_bShowNextTime != 0);
      if (disableAnswer == DisableTrayIconLogic::kNoResult) logic.OnNo();
      logic.OnDestroy();
      return disableAnswer;
    };
    CMainFrame frame(t.p, t, t.windows);
    frame.OnCreate(t);
    frame.OnTrayNotification(IDR_TRAYICON, plat::kWmRButtonUp);
    frame.OnTrayNotification(IDR_TRAYICON, plat::kWmLButtonDblClk);
    for (unsigned id : commands) frame.OnCommand(id);
    return frame.OnClose() == CMainFrame::CloseAction::Destroy ? "ends" : "tray";
  };
}

struct Row {
  const char* name;
  Scenario run;
  bool diskOut = false;
};

const Row kRows[] = {
    {"start-up, tray only", StartUp({"0"})},
    {"start-up, dialog and tray", StartUp({"1"})},
    {"start-up, dialog only", StartUp({})},
    {"start-up, no window", StartUp({"x"})},
    {"start-up, disk out: order dialog, OK, then Cancel", StartUp({}), true},
    {"dialog set-up and closing", Dialog({})},
    {"selection of every capsule", Dialog([](CBonusDlg& dlg, CRecordingView& view) {
       for (std::size_t i = 0; i < view.items.size() && !view.ended; ++i) {
         view.selected = static_cast<int>(i);
         dlg.OnSelChangedCapsule();
       }
     })},
    {"install by the shell", Dialog(Install("Shell"))},
    {"install by a process", Dialog(Install("Proc"))},
    {"install by the script library", Dialog(Install("Script"))},
    {"install after the version check asks", Dialog(Install("Ask"))},
    {"install after a disclaimer", Dialog(Install("Warn"))},
    {"MoreInfo", Dialog([](CBonusDlg& dlg, CRecordingView& view) {
       Install("Shell")(dlg, view);
       dlg.OnSetFocusCapsule();
       dlg.OnClickMoreInfo();
     })},
    {"timers 200 and 202", Dialog([](CBonusDlg& dlg, CRecordingView& view) {
       static_cast<plat::FakePlatform&>(dlg.m_platform).AddWindow("Bonus");  // the dialog, for Run2
       dlg.OnTimer(browser::kTimerFirstRun);
       Install("Shell")(dlg, view);
       dlg.OnTimer(browser::kTimerMoreInfo);
     })},
    {"tray menu's commands", Tray({ID_TOGGLE_ICON, ID_VIEW_CLEAR, ID_VIEW_NOTIFICATIONS, ID_TRAY_OPEN,
                                   ID_APP_ABOUT, ID_DISABLE_TRAY_ICON})},
    {"Disable Tray Icon, No", Tray({ID_DISABLE_TRAY_ICON}, DisableTrayIconLogic::kNoResult)},
    {"Disable Tray Icon, Yes", Tray({ID_DISABLE_TRAY_ICON}, plat::kIdOk)},
};

TEST(FaultInjection, EveryCallFailingOnceAndFromTheMiddleOn) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    std::size_t n = 0, faults = 0;
    std::string ending;
    // Run 0 counts; runs 1..N fail call k; run N + 1 fails from the middle on.
    for (std::size_t k = 0; k == 0 || k <= n + 1; ++k) {
      SCOPED_TRACE("run " + std::to_string(k));
      TrayMachine t;
      plat::FakePlatform& p = t.p;
      Demo(t);
      if (row.diskOut) p.RemovePath(traytest::kDataCfg);
      const auto before = p.Snapshot();
      if (k > 0) p.callLimit = 10 * n;
      if (k > 0 && k <= n) p.failCall = k;
      if (k == n + 1) p.failFrom = n / 2 + 1;
      std::string ended;
      try {
        ended = row.run(t);
      } catch (const plat::FakePlatform::CallLimitExceeded&) {
        ADD_FAILURE() << "more than " << p.callLimit << " calls";
      }
      if (k == 0) n = p.calls, ending = ended;
      faults += p.failed;
      EXPECT_EQ(browser::testing::WrittenOutsideStartUp(before, p.Snapshot()), std::vector<std::string>{});
      for (const auto* paths : {&p.linkSaves, &p.deletions})
        for (const std::string& path : *paths) EXPECT_TRUE(browser::testing::InStartUp(path)) << path;
      EXPECT_TRUE(p.failFrom != 0 || !p.HasFile(browser::testing::DiskMachine::kLink))
          << "the shortcut stays";
      EXPECT_TRUE(ended == ending || ended == "ends") << ended << " instead of " << ending;
    }
    // The figures as a table row: N, runs with faults, faults survived.
    std::printf("| %s | %zu | %zu | %zu |\n", row.name, n, n + 1, faults);
  }
}

}  // namespace
