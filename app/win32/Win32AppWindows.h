// The Win32 windows behind IAppWindows, and the application's main window
// with its message loop.
//
// Each window is made by one function of its own, defined by the part of
// the program that owns that window:
//   ShowMainDialogWindow   the main dialog CBonusDlg     (browser/win32)
//   ShowOrderDialogWindow  the order dialog COrderDlg    (app/win32)
//   CreateTrayFrameWindow  the hidden tray frame         (app/win32)
// Until a window exists, app/win32/PlaceholderWindows.cpp stands in for it.
#pragma once

#include "app/AppWindows.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Api.h"

namespace win32ui {

// Constructs CBonusDlg without a parent and shows it modally (after loading
// the rich-edit library); returns when it has closed.
void ShowMainDialogWindow(plat::Platform& platform, IAppWindows& windows);

// Shows COrderDlg modally; returns IDOK or IDCANCEL.
int ShowOrderDialogWindow(plat::Platform& platform, IAppWindows& windows);

// Creates the hidden tray frame (hidden and updated, never shown); its
// window, or nullptr when it could not be created. `windows` lets the frame
// open the main dialog (RunMainDialog). Destroying the frame ends the
// message loop.
HWND CreateTrayFrameWindow(plat::Platform& platform, IAppWindows& windows);

class Win32AppWindows final : public IAppWindows {
 public:
  explicit Win32AppWindows(plat::Platform& platform) : platform_(platform) {}
  Win32AppWindows(const Win32AppWindows&) = delete;
  Win32AppWindows& operator=(const Win32AppWindows&) = delete;

  void ShowMainDialog() override;
  int ShowOrderDialog() override;
  bool CreateTrayFrame() override;
  bool HasMainWindow() const override;

  // The main window (the tray frame), or nullptr.
  HWND MainWindow() const { return mainWindow_; }

  // Runs the application's message loop while the main window exists and
  // returns the exit code: the WM_QUIT code, or 0 when the main window is
  // gone or there never was one.
  int RunMessageLoop();

 private:
  plat::Platform& platform_;
  HWND mainWindow_ = nullptr;
};

}  // namespace win32ui
