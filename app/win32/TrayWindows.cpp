#include "app/win32/TrayWindows.h"

#include <memory>

#include "app/BonusApp.h"
#include "app/win32/MainFrameWnd.h"
#include "app/win32/SecondaryDialogs.h"
#include "app/win32/Win32AppWindows.h"

namespace tray::win32 {

void TrayFrameHost::RunMainDialog() { ::RunMainDialog(m_platform, m_windows); }

int TrayFrameHost::RunDisableTrayIconDialog() {
  CDisableTrayIconDlg dialog(m_platform);
  return static_cast<int>(dialog.DoModal());
}

void TrayFrameHost::OnAppAbout() { ::OnAppAbout(m_platform); }

}  // namespace tray::win32

namespace win32ui {

// The frame is built from frame resource 126 with the overlapped-window
// style, hidden, updated and made the application's main window.
HWND CreateTrayFrameWindow(plat::Platform& platform, IAppWindows& windows) {
  CMainFrameWnd* frame = CMainFrameWnd::Create(
      platform, std::make_unique<tray::win32::TrayFrameHost>(platform, windows), WS_OVERLAPPEDWINDOW);
  if (frame == nullptr) return nullptr;
  HWND window = frame->GetSafeHwnd();
  ::ShowWindow(window, SW_HIDE);
  ::UpdateWindow(window);
  frame->SetMainWindow(true);
  return window;
}

int ShowOrderDialogWindow(plat::Platform& platform, IAppWindows&) {
  COrderDlg dialog(platform);
  return static_cast<int>(dialog.DoModal());
}

}  // namespace win32ui
