// What the tray frame opens. The tray frame itself and the order dialog
// reach start-up through win32ui::CreateTrayFrameWindow and
// win32ui::ShowOrderDialogWindow (app/win32/Win32AppWindows.h), defined in
// TrayWindows.cpp.
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

}  // namespace tray::win32
