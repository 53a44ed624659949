// The windows that start-up opens, behind one narrow interface, so that the
// start-up road is the same code on every platform and in the tests. The
// Win32 program plugs in the real windows (app/win32/Win32AppWindows.h).
#pragma once

class IAppWindows {
 public:
  virtual ~IAppWindows() = default;

  // Constructs the main dialog CBonusDlg without a parent and shows it
  // modally; returns when it has closed. The rich-edit library is loaded
  // first.
  virtual void ShowMainDialog() = 0;

  // Constructs the order dialog COrderDlg without a parent and shows it
  // modally; returns its result, IDOK (1) or IDCANCEL (2).
  virtual int ShowOrderDialog() = 0;

  // Creates the hidden tray frame CMainFrame (with its tray icon) and makes
  // it the application's main window. False when it could not be created.
  virtual bool CreateTrayFrame() = 0;

  // Whether the application has a main window (the tray frame); the message
  // loop runs only while it does.
  virtual bool HasMainWindow() const = 0;
};
