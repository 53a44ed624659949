// The application's main window and message loop on the real system.
#include <gtest/gtest.h>

#include "app/win32/Win32AppWindows.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

HWND g_windowToDestroy = nullptr;

// Destroys g_windowToDestroy when the loop delivers WM_APP to its window.
LRESULT CALLBACK DestroyOnAppMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && g_windowToDestroy != nullptr) ::DestroyWindow(g_windowToDestroy);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(AppWindows, TheLoopEndsAtOnceWithoutAMainWindowAndWithTheHiddenTrayFrame) {
  plat::Win32Platform platform;
  app::win32::Win32AppWindows windows(platform);
  EXPECT_FALSE(windows.HasMainWindow());
  EXPECT_EQ(windows.RunMessageLoop(), 0);

  ASSERT_TRUE(windows.CreateTrayFrame());
  HWND frame = windows.MainWindow();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(windows.HasMainWindow());
  EXPECT_FALSE(::IsWindowVisible(frame));

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DestroyOnAppMessage;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VeraveviTestDestroyer";
  ::RegisterClassA(&windowClass);
  HWND destroyer = ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     windowClass.hInstance, nullptr);
  ASSERT_NE(destroyer, nullptr);
  g_windowToDestroy = frame;
  ASSERT_TRUE(::PostMessageA(destroyer, WM_APP, 0, 0));
  EXPECT_EQ(windows.RunMessageLoop(), 0);
  EXPECT_FALSE(windows.HasMainWindow());
  g_windowToDestroy = nullptr;
  ::DestroyWindow(destroyer);
  // A WM_QUIT the frame left behind must not reach the next test's loops.
  traywin32::DrainQueue();
}

}  // namespace
