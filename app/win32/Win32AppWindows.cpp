#include "app/win32/Win32AppWindows.h"

#include "app/win32/MainFrameWnd.h"
#include "app/win32/SecondaryDialogs.h"
#include "browser/win32/BonusDlgWin32.h"
#include "platform/win32/SystemLibrary.h"

namespace app::win32 {

Win32AppWindows::Win32AppWindows(plat::Platform& platform)
    : m_platform(platform), m_richEdit(plat::win32::LoadSystemLibrary("riched20.dll")) {}

void Win32AppWindows::ShowMainDialog() {
  browser::CBonusDlgWin32 dialog(m_platform, nullptr);
  dialog.DoModal();
}

int Win32AppWindows::ShowOrderDialog() {
  COrderDlg dialog(m_platform);
  return static_cast<int>(dialog.DoModal());
}

int Win32AppWindows::ShowDisableTrayIconDialog() {
  CDisableTrayIconDlg dialog(m_platform);
  return static_cast<int>(dialog.DoModal());
}

void Win32AppWindows::ShowAboutBox() {
  CAboutDlg about(m_platform);
  about.DoModal();
}

bool Win32AppWindows::CreateTrayFrame() {
  CMainFrameWnd* frame = CMainFrameWnd::Create(m_platform, *this, WS_OVERLAPPEDWINDOW);
  if (frame == nullptr) return false;
  HWND window = frame->GetSafeHwnd();
  ::ShowWindow(window, SW_HIDE);
  ::UpdateWindow(window);
  frame->SetMainWindow(true);
  m_hMainWindow = window;
  return true;
}

bool Win32AppWindows::HasMainWindow() const {
  return m_hMainWindow != nullptr && ::IsWindow(m_hMainWindow) != FALSE;
}

int Win32AppWindows::RunMessageLoop() {
  MSG message = {};
  // Tested after every message, so that the loop ends with the main window
  // whether or not the window posted WM_QUIT when it went.
  while (HasMainWindow()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 0;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace app::win32
