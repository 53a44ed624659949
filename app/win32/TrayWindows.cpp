#include "app/win32/TrayWindows.h"

#include <memory>

#include "app/BonusApp.h"
#include "app/win32/MainFrameWnd.h"
#include "app/win32/SecondaryDialogs.h"

namespace tray::win32 {

void TrayFrameHost::RunMainDialog() { ::RunMainDialog(m_platform, m_windows); }

int TrayFrameHost::RunDisableTrayIconDialog() {
  CDisableTrayIconDlg dialog(m_platform);
  return static_cast<int>(dialog.DoModal());
}

void TrayFrameHost::OnAppAbout() { ::OnAppAbout(m_platform); }

HWND CreateTrayFrame(plat::Platform& platform, IAppWindows& windows) {
  CMainFrameWnd* frame =
      CMainFrameWnd::Create(platform, std::make_unique<TrayFrameHost>(platform, windows), WS_OVERLAPPEDWINDOW);
  if (frame == nullptr) return nullptr;
  HWND window = frame->GetSafeHwnd();
  ::ShowWindow(window, SW_HIDE);
  ::UpdateWindow(window);
  frame->SetMainWindow(true);
  return window;
}

int ShowOrderDialog(plat::Platform& platform) {
  COrderDlg dialog(platform);
  return static_cast<int>(dialog.DoModal());
}

}  // namespace tray::win32
