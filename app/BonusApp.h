// The application object and its start-up road: from process start to the
// main dialog, the tray, or both, and the decision when the process ends.
//
// Modes, chosen from the start-up parameter (CMyCmdLineInfo, trimmed) and
// the marker files "0.RTF" and "1.RTF" in the program folder:
//   tray only        parameter "0", or "0.RTF" exists;
//   dialog and tray  otherwise parameter "1", or "1.RTF" exists;
//   dialog only      otherwise an empty parameter;
//   no window        any other parameter: only the first-time program may
//                    start, and the process ends.
//
// Processes of the program keep apart through named mutexes that are only
// created, never waited on; their existence is the signal:
//   "V50_StopAutoRun_Mutex"           owned; by OpenMainDialog (kept open),
//                                     RunMainDialog (closed when the dialog
//                                     has closed) and RunOrderDialog (kept
//                                     open); for other programs of the product
//   "justSTI"                         a process with the tray icon is alive
//   "MainDialogFirstTimeRunning"      Run1 must not run again
//   "AfterMainDialogFirstTimeRunning" Run2 must not run again
// A running main dialog is found by its caption (FindMainDialog) and raised
// instead of opening a second one.
#pragma once

#include <string>

#include "app/AppWindows.h"
#include "platform/Platform.h"

// "You have to install  "Velmora 5.0"  first."
std::string NotInstalledMessage();

class CBonusApp {
 public:
  CBonusApp(plat::Platform& platform, IAppWindows& windows);

  // The start-up road, asking the maker's libraries (platform/VUtils.h,
  // platform/VGui.h) first. False ends the process at once (the libraries
  // refuse, an update is in progress, the product is missing, a tray process is
  // already alive in tray-only mode, the tray frame cannot be made). True
  // enters the message loop, which ends at once when there is no main
  // window. In the dialog modes the main dialog has been shown and closed
  // before it returns.
  bool InitInstance();

  // Locates and reads the main configuration (the data folder's copy, else
  // the program folder's) and takes its WindowTitle. When its Test value,
  // trimmed, is exactly "1", the product must be installed: the value
  // "InstallDir" of HKEY_LOCAL_MACHINE "SOFTWARE\Velmora Network\5.0" must
  // exist. If it does not, shows the not-installed message (plain box, no
  // owner, OK only, no icon, caption WindowTitle) and returns false.
  bool CheckProductInstalled();

  // One round of opening the main dialog. True when done: the dialog was
  // shown and closed, an open one was raised, the product is missing, or the
  // user gave up at the insert-disk prompt or the order dialog. False when
  // the user asked to look for the disk again; the caller then calls it
  // again at once (without limit).
  bool OpenMainDialog();

  // The main configuration file located last.
  std::string m_sConfigFile;
  // The configuration's WindowTitle, unchanged, except that the insert-disk
  // case of OpenMainDialog puts the default title in place of an empty one.
  std::string m_sWindowTitle;

 private:
  void OpenMainDialogUntilDone();

  plat::Platform* m_platform;
  IAppWindows* m_windows;
};
