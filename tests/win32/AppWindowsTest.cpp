// The application's main window and message loop on the real system.
#include <gtest/gtest.h>

#include "app/win32/Win32AppWindows.h"
#include "platform/win32/Win32Platform.h"

namespace {

HWND g_windowToDestroy = nullptr;

LRESULT CALLBACK DestroyOnAppMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && g_windowToDestroy != nullptr) ::DestroyWindow(g_windowToDestroy);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window that destroys g_windowToDestroy when it receives WM_APP.
HWND MakeDestroyer() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DestroyOnAppMessage;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VeraveviTestDestroyer";
  ::RegisterClassA(&windowClass);
  return ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

TEST(AppWindows, WithoutAMainWindowTheLoopEndsAtOnce) {
  plat::Win32Platform platform;
  win32ui::Win32AppWindows windows(platform);
  EXPECT_FALSE(windows.HasMainWindow());
  EXPECT_EQ(windows.RunMessageLoop(), 0);
}

TEST(AppWindows, TheTrayFrameIsAHiddenMainWindowAndTheLoopEndsWithIt) {
  plat::Win32Platform platform;
  win32ui::Win32AppWindows windows(platform);
  ASSERT_TRUE(windows.CreateTrayFrame());
  HWND frame = windows.MainWindow();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(windows.HasMainWindow());
  EXPECT_FALSE(::IsWindowVisible(frame));

  HWND destroyer = MakeDestroyer();
  ASSERT_NE(destroyer, nullptr);
  g_windowToDestroy = frame;
  ASSERT_TRUE(::PostMessageA(destroyer, WM_APP, 0, 0));
  EXPECT_EQ(windows.RunMessageLoop(), 0);
  EXPECT_FALSE(windows.HasMainWindow());
  g_windowToDestroy = nullptr;
  ::DestroyWindow(destroyer);

  // A WM_QUIT the frame left behind must not reach the next test's loops.
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
