// The program's windows on the real system: what only the real windows can
// show (the message loop, the frame's controls and menus, the About box's
// icon). What the frame and the dialogs decide is tested natively; the
// tray's round trips across processes in tests/e2e.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>

#include "app/win32/MainFrameWnd.h"
#include "app/win32/SecondaryDialogs.h"
#include "app/win32/Win32AppWindows.h"
#include "app/win32/Win32TrayMenu.h"
#include "platform/win32/Win32Platform.h"
#include "resources/ResourceIds.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

using e2e::TextOf;

HWND g_windowToDestroy = nullptr;

// Destroys g_windowToDestroy when the loop delivers WM_APP to its window.
LRESULT CALLBACK DestroyOnAppMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && g_windowToDestroy != nullptr) ::DestroyWindow(g_windowToDestroy);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(AppWindows, TheLoopEndsAtOnceWithoutAMainWindowAndWithTheHiddenTrayFrame) {
  e2e::StartupFolder startup("VERaveviTrayIcon.lnk");
  plat::Win32Platform platform;
  win32ui::Win32AppWindows windows(platform);
  EXPECT_EQ(windows.RunMessageLoop(), 0);

  ASSERT_TRUE(windows.CreateTrayFrame());
  HWND frame = windows.MainWindow();
  EXPECT_TRUE(windows.HasMainWindow());
  EXPECT_FALSE(::IsWindowVisible(frame));

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DestroyOnAppMessage;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VeraveviTestDestroyer";
  ::RegisterClassA(&windowClass);
  HWND destroyer = ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     windowClass.hInstance, nullptr);
  g_windowToDestroy = frame;
  ASSERT_TRUE(::PostMessageA(destroyer, WM_APP, 0, 0));
  EXPECT_EQ(windows.RunMessageLoop(), 0);
  EXPECT_FALSE(windows.HasMainWindow());
  g_windowToDestroy = nullptr;
  ::DestroyWindow(destroyer);
  // A WM_QUIT the frame left behind must not reach the next test's loops.
  traywin32::DrainQueue();
}

// Opens nothing: the frame's own wiring is under test.
struct NoWindows : IAppWindows {
  void ShowMainDialog() override {}
  int ShowOrderDialog() override { return IDCANCEL; }
  int ShowDisableTrayIconDialog() override { return IDCANCEL; }
  void ShowAboutBox() override {}
  bool CreateTrayFrame() override { return false; }
  bool HasMainWindow() const override { return false; }
};

// Notifications reach the log edit, the menu shows the frame's update
// states, commands reach their handlers, a close request only hides, and
// Quit ends the main window's loop.
TEST(TrayFrameWindow, WiresMessagesToTheFrameAndItsControls) {
  e2e::StartupFolder startup("VERaveviTrayIcon.lnk");
  plat::Win32Platform platform;
  NoWindows windows;
  CMainFrameWnd* frame = CMainFrameWnd::Create(platform, windows, WS_OVERLAPPEDWINDOW);
  ASSERT_NE(frame, nullptr);
  HWND window = frame->GetSafeHwnd();
  EXPECT_EQ(TextOf(window), "Velmora Bonus Software");
  HWND bar = ::GetDlgItem(window, IDW_STATUS_BAR), log = ::GetDlgItem(window, IDW_PANE_FIRST);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(log, nullptr);
  // The log fills the client area above the status bar.
  ::SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{}, logRect{}, barRect{};
  ::GetClientRect(window, &client);
  ::GetWindowRect(log, &logRect);
  ::GetWindowRect(bar, &barRect);
  EXPECT_EQ(logRect.right - logRect.left, client.right);
  EXPECT_EQ((logRect.bottom - logRect.top) + (barRect.bottom - barRect.top), client.bottom);

  HMENU view = ::GetSubMenu(::GetMenu(window), 1);
  auto state = [&](UINT id) {
    ::SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 0);
    const UINT s = ::GetMenuState(view, id, MF_BYCOMMAND);
    return std::string(s & MF_GRAYED ? "grey" : "") + (s & MF_CHECKED ? "ticked" : "");
  };
  EXPECT_EQ(state(ID_VIEW_CLEAR), "grey");
  EXPECT_EQ(state(ID_VIEW_STATUS_BAR), "ticked");
  EXPECT_EQ(::SendMessageA(window, WM_USER, 3, WM_MOUSEMOVE), 0);
  EXPECT_EQ(::SendMessageA(window, WM_USER, 7, 0x20A), 0);
  const std::string logged =
      "Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n"
      "Tray notification: ID=7, lEvent=0x020a (Unknown)\r\n";
  EXPECT_EQ(TextOf(log), logged);
  EXPECT_EQ(state(ID_VIEW_CLEAR), "");
  ::SendMessageA(window, WM_COMMAND, ID_VIEW_NOTIFICATIONS, 0);
  EXPECT_EQ(state(ID_VIEW_NOTIFICATIONS), "");
  ::SendMessageA(window, WM_USER, 3, WM_LBUTTONUP);
  EXPECT_EQ(TextOf(log), logged);
  ::SendMessageA(window, WM_COMMAND, ID_VIEW_CLEAR, 0);
  EXPECT_EQ(TextOf(log), "");
  ::SendMessageA(window, WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
  EXPECT_FALSE(::IsWindowVisible(bar));
  EXPECT_EQ(state(ID_VIEW_STATUS_BAR), "");

  ::ShowWindow(window, SW_SHOWNA);
  ::SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(window));
  frame->SetMainWindow(true);
  ::SendMessageA(window, WM_COMMAND, ID_APP_QUIT, 0);
  EXPECT_FALSE(::IsWindow(window));
  MSG quit;
  EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(TrayMenu, IsTheFirstSubmenuOfMenuThree) {
  tray::win32::Win32MenuSource source;
  auto loaded = source.LoadFirstSubmenu(IDR_TRAYICON);
  ASSERT_TRUE(loaded);
  const unsigned commands[] = {32023u, 57664u, 0u, 32027u, 0u};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(loaded->ItemCommand(i), commands[i]) << i;
  EXPECT_FALSE(source.LoadFirstSubmenu(9999));
}

// The caption and an icon extracted from a file reach the About box.
TEST(AboutBox, ShowsTheCaptionAndIconOfTheProgramFolder) {
  plat::Win32Platform platform;
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration("WindowTitle=About Test\r\n"));
  ASSERT_TRUE(files.Copy(e2e::WindowsPath(VELMORA_SOURCE_DIR "/resources/art/spare101.ico"),
                         traywin32::BesideProgram("2.ico")));
  std::string caption;
  HICON icon = nullptr;
  traywin32::DialogDriver driver([&](HWND dialog) {
    caption = TextOf(dialog);
    icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
    traywin32::Click(dialog, IDOK);
  });
  CAboutDlg about(platform, driver.Window());
  EXPECT_EQ(about.DoModal(), IDOK);
  EXPECT_EQ(caption, "About Test");
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(icon, ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));
}

}  // namespace
