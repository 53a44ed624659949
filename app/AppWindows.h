// The program's windows behind one interface, so that what start-up, the
// tray frame and the tray icon decide is the same code on every platform and
// in the tests. The Win32 program implements it once
// (app/win32/Win32AppWindows.h).
#pragma once

#include "platform/Platform.h"

class IAppWindows {
 public:
  virtual ~IAppWindows() = default;

  // Constructs the main dialog CBonusDlg without a parent and shows it
  // modally; returns when it has closed.
  virtual void ShowMainDialog() = 0;

  // Constructs the order dialog COrderDlg without a parent and shows it
  // modally; returns its result, IDOK (1) or IDCANCEL (2).
  virtual int ShowOrderDialog() = 0;

  // Shows the Disable Tray Icon dialog without a parent modally; returns
  // IDOK for "&Yes", 0 for "No" and IDCANCEL when it was closed.
  virtual int ShowDisableTrayIconDialog() = 0;

  // Shows the About box without a parent modally.
  virtual void ShowAboutBox() = 0;

  // Creates the hidden tray frame CMainFrame (with its tray icon) from frame
  // resource 126, hides and updates it and makes it the application's main
  // window. False when it could not be created.
  virtual bool CreateTrayFrame() = 0;

  // Whether the application has a main window (the tray frame); the message
  // loop runs only while it does.
  virtual bool HasMainWindow() const = 0;
};

// Shows the main dialog modally while holding an owned
// "V50_StopAutoRun_Mutex" handle, which it closes afterwards. Always true.
bool RunMainDialog(plat::Platform& platform, IAppWindows& windows);

// Creates an owned "V50_StopAutoRun_Mutex" (the handle is kept until the
// process ends) and shows the order dialog modally. False when the user
// pressed OK (the caller looks for the disk again; see LooksAgain in
// config/DiskPrompt.h), true otherwise.
bool RunOrderDialog(plat::Platform& platform, IAppWindows& windows);
