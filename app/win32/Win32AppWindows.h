// The program's windows on Win32 (the one implementation of IAppWindows),
// and the application's main window with its message loop.
#pragma once

#include "app/AppWindows.h"
#include "platform/Platform.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"

namespace app::win32 {

class Win32AppWindows final : public IAppWindows {
 public:
  // Loads the rich-edit library (riched20.dll, from the system folder) whose
  // classes the main dialog's template uses; it stays loaded as long as this
  // object.
  explicit Win32AppWindows(plat::Platform& platform);
  Win32AppWindows(const Win32AppWindows&) = delete;
  Win32AppWindows& operator=(const Win32AppWindows&) = delete;

  void ShowMainDialog() override;
  int ShowOrderDialog() override;
  int ShowDisableTrayIconDialog() override;
  void ShowAboutBox() override;
  // The frame is built with the overlapped-window style; destroying it ends
  // the message loop.
  bool CreateTrayFrame() override;
  bool HasMainWindow() const override;

  // The main window (the tray frame), or nullptr.
  HWND MainWindow() const { return m_hMainWindow; }

  // Runs the application's message loop while the main window exists and
  // returns the exit code: the WM_QUIT code, or 0 when the main window is
  // gone or there never was one.
  int RunMessageLoop();

 private:
  plat::Platform& m_platform;
  plat::win32::UniqueModule m_richEdit;
  HWND m_hMainWindow = nullptr;
};

}  // namespace app::win32
