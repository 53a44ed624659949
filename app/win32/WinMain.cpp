// The program's entry: the library search kept to the system folder, one
// platform, the common controls and OLE (the description pane's rich edit and
// the shell's link object need them), the start-up road, then the message
// loop for as long as a main window exists.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
#include <ole2.h>
// clang-format on

#include <exception>

#include "app/BonusApp.h"
#include "app/win32/Win32AppWindows.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"
#include "resources/StringTable.h"

namespace {

int RunProgram() {
  plat::Win32Platform platform;
  app::win32::Win32AppWindows windows(platform);
  CBonusApp app(platform, windows);
  if (!app.InitInstance()) return 0;
  return windows.RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  plat::win32::RestrictLibrarySearch();
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&controls);
  const HRESULT ole = ::OleInitialize(nullptr);

  int exitCode = 0;
  try {
    exitCode = RunProgram();
  } catch (const std::exception& error) {
    ::MessageBoxA(nullptr, error.what(), res::DefaultTitle().c_str(), MB_OK | MB_ICONERROR);
    exitCode = 1;
  }

  if (SUCCEEDED(ole)) ::OleUninitialize();
  return exitCode;
}
