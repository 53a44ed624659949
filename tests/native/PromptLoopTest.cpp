// Every prompt that may ask again gives up on anything but OK: the
// insert-disk prompt of start-up, the tray icon, the tray frame and the main
// dialog's set-up, selection and install, and start-up's order dialog. A box
// that fails (0), a dialog that fails (-1), and a prompt whose loop a quit
// message ended (it answers OK with the quit still queued) each ask once.
#include <gtest/gtest.h>

#include "app/BonusApp.h"
#include "browser/BonusDlg.h"
#include "browser/RecordingView.h"
#include "resources/ResourceIds.h"
#include "tests/native/TrayTestSupport.h"

namespace {

using traytest::TrayMachine;

// How the first prompt or order dialog ends; a second one would be cancelled.
enum class End { kFails, kQuit };

const char* const kEntries[] = {"start-up", "order dialog", "tray icon", "tray frame",
                                "set-up",   "selection",    "install"};

// The prompts and dialogs that entry point `entry` of kEntries shows on a
// machine whose disk is taken out just before.
std::size_t Prompts(int entry, End end) {
  TrayMachine m;
  m.WithConfigs("T", true);
  if (entry == 1) m.p.AddFile(traytest::kProgramCfg, traytest::TuneUp({"OrderURLmsg=m", "OrderURL=u"}));
  browser::CRecordingView view;
  browser::CBonusDlg dlg(m.p, view);
  if (entry >= 5) dlg.OnInitDialog();
  m.p.RemovePath(traytest::kDataCfg);
  m.p.answers = {end == End::kQuit ? plat::kIdOk : 0, plat::kIdCancel};
  m.p.onBox = [&m, end](const auto&) { m.p.quitPosted = end == End::kQuit; };
  m.whileShown = [&m, end, shown = 0](const std::string&) mutable {
    m.p.quitPosted = end == End::kQuit;
    return shown++ ? plat::kIdCancel : end == End::kQuit ? plat::kIdOk : -1;
  };
  CTrayIcon icon(m.p, m, 3);
  CMainFrame frame(m.p, m, m.windows);
  if (entry <= 1) CBonusApp(m.p, m.windows).InitInstance();
  if (entry == 2) icon.SetNotificationWnd(traytest::kFrame, plat::kWmUser), icon.OnTrayNotification(3, 0x203);
  if (entry == 3) frame.OnCreate(m), frame.OnCommand(ID_TRAY_OPEN);
  if (entry == 4) dlg.OnInitDialog();
  if (entry == 5) dlg.OnSelChangedCapsule();
  if (entry == 6) dlg.OnInstall();
  return m.p.boxes.size() + m.windows.calls.size();
}

TEST(PromptLoops, GiveUpOnAFailedBoxOrDialogAndOnAQuitMessage) {
  for (int entry = 0; entry < 7; ++entry)
    for (End end : {End::kFails, End::kQuit})
      EXPECT_EQ(Prompts(entry, end), 1u) << kEntries[entry] << (end == End::kQuit ? " quit" : "");
}

}  // namespace
