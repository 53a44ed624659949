// The tray's windows as start-up opens them (the Win32 side of IAppWindows's
// CreateTrayFrame and ShowOrderDialog).
#pragma once

#include "app/AppWindows.h"
#include "app/MainFrame.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Api.h"

namespace tray::win32 {

// What the frame opens: the main dialog through start-up's RunMainDialog,
// the Disable Tray Icon dialog, and the application's About box.
class TrayFrameHost final : public MainFrameHost {
 public:
  TrayFrameHost(plat::Platform& platform, IAppWindows& windows) : m_platform(platform), m_windows(windows) {}
  void RunMainDialog() override;
  int RunDisableTrayIconDialog() override;
  void OnAppAbout() override;

 private:
  plat::Platform& m_platform;
  IAppWindows& m_windows;
};

// Constructs the hidden frame, loads it from frame resource 126 with the
// overlapped-window style, hides and updates it and makes it the
// application's main window (its destruction ends the message loop).
// Null when it cannot be created.
HWND CreateTrayFrame(plat::Platform& platform, IAppWindows& windows);

// Shows the order dialog without a parent; IDOK or IDCANCEL (or -1 when the
// dialog cannot be created).
int ShowOrderDialog(plat::Platform& platform);

}  // namespace tray::win32
