#include "app/win32/Win32AppWindows.h"

#include "browser/win32/BonusDlgWin32.h"

namespace win32ui {

void ShowMainDialogWindow(plat::Platform& platform, IAppWindows&) {
  // The rich-edit classes of the template; loaded once for the process.
  static const HMODULE richEdit = ::LoadLibraryA("riched20.dll");
  (void)richEdit;
  bonus::CBonusDlgWin32 dialog(platform, nullptr);
  dialog.DoModal();
}

void Win32AppWindows::ShowMainDialog() { ShowMainDialogWindow(platform_, *this); }

int Win32AppWindows::ShowOrderDialog() { return ShowOrderDialogWindow(platform_, *this); }

bool Win32AppWindows::CreateTrayFrame() {
  HWND frame = CreateTrayFrameWindow(platform_, *this);
  if (frame == nullptr) return false;
  mainWindow_ = frame;
  return true;
}

bool Win32AppWindows::HasMainWindow() const {
  return mainWindow_ != nullptr && ::IsWindow(mainWindow_) != FALSE;
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

}  // namespace win32ui
