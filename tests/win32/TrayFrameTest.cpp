// The hidden tray frame's window on the real system.
// The Windows headers come before the common controls.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/win32/MainFrameWnd.h"
#include "app/win32/Win32TrayMenu.h"
#include "platform/win32/Win32Platform.h"
#include "resources/TrayResource.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

using traywin32::WindowText;

class RecordingHost : public tray::MainFrameHost {
 public:
  explicit RecordingHost(int* mainDialogs) : mainDialogs_(mainDialogs) {}
  std::function<void()> onMainDialog;
  void RunMainDialog() override {
    ++*mainDialogs_;
    if (onMainDialog) onMainDialog();
  }
  int RunDisableTrayIconDialog() override { return IDCANCEL; }
  void OnAppAbout() override {}

 private:
  int* mainDialogs_;
};

class TrayFrameWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    if (frame_ != nullptr && ::IsWindow(window_)) ::DestroyWindow(window_);
    traywin32::DrainQueue();
  }

  HWND Make(std::function<void()> onMainDialog = {}) {
    auto host = std::make_unique<RecordingHost>(&mainDialogs_);
    host->onMainDialog = std::move(onMainDialog);
    frame_ = CMainFrameWnd::Create(platform_, std::move(host), WS_OVERLAPPEDWINDOW);
    window_ = frame_ != nullptr ? frame_->GetSafeHwnd() : nullptr;
    return window_;
  }
  void Command(UINT id) { ::SendMessageA(window_, WM_COMMAND, id, 0); }
  std::string Log() { return WindowText(::GetDlgItem(window_, IDW_PANE_FIRST)); }

  plat::Win32Platform platform_;
  traywin32::StartupFolder startup_;
  CMainFrameWnd* frame_ = nullptr;
  HWND window_ = nullptr;
  int mainDialogs_ = 0;
};

std::string MenuText(HMENU menu, int position) {
  char text[128] = {};
  ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(TrayFrameWindow, IsHiddenWithTitleMenuStatusBarAndLog) {
  ASSERT_NE(Make(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_EQ(WindowText(window_), "Velmora Bonus Software");
  EXPECT_EQ(::FindWindowA(CMainFrameWnd::ClassName(), "Velmora Bonus Software"), window_);
  EXPECT_EQ(::GetParent(window_), nullptr);

  HMENU menu = ::GetMenu(window_);
  ASSERT_NE(menu, nullptr);
  HMENU file = ::GetSubMenu(menu, 0);
  HMENU view = ::GetSubMenu(menu, 1);
  EXPECT_EQ(MenuText(file, 0), "&About VERavevi...");
  EXPECT_EQ(MenuText(file, 1), "E&xit");
  EXPECT_EQ(::GetMenuItemID(view, 0), static_cast<UINT>(ID_VIEW_STATUS_BAR));
  EXPECT_EQ(MenuText(view, 1), "Tray &Notifications");
  EXPECT_EQ(::GetMenuItemID(view, 2), 0u);
  EXPECT_EQ(MenuText(view, 3), "Toggle Tray &Icon");
  EXPECT_EQ(MenuText(view, 4), "&Clear Window");

  HWND bar = ::GetDlgItem(window_, IDW_STATUS_BAR);
  HWND log = ::GetDlgItem(window_, IDW_PANE_FIRST);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(log, nullptr);
  char className[64] = {};
  ::GetClassNameA(bar, className, sizeof className);
  EXPECT_STREQ(className, STATUSCLASSNAMEA);
  ::GetClassNameA(log, className, sizeof className);
  EXPECT_EQ(::lstrcmpiA(className, "Edit"), 0);
  LONG style = ::GetWindowLongA(log, GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_EQ(::SendMessageA(bar, SB_GETPARTS, 0, 0), 1);

  // The log fills the client area above the status bar.
  ::SetWindowPos(window_, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{}, logRect{}, barRect{};
  ::GetClientRect(window_, &client);
  ::GetWindowRect(log, &logRect);
  ::GetWindowRect(bar, &barRect);
  EXPECT_EQ(logRect.right - logRect.left, client.right);
  EXPECT_EQ((logRect.bottom - logRect.top) + (barRect.bottom - barRect.top), client.bottom);
}

TEST_F(TrayFrameWindow, WritesEveryNotificationIntoTheLogUntilSwitchedOff) {
  ASSERT_NE(Make(), nullptr);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_MOUSEMOVE), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 7, 0x20A), 0);
  EXPECT_EQ(Log(),
            "Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n"
            "Tray notification: ID=3, lEvent=0x0201 WM_LBUTTONDOWN\r\n"
            "Tray notification: ID=7, lEvent=0x020a (Unknown)\r\n");

  std::string before = Log();
  Command(ID_VIEW_NOTIFICATIONS);
  ::SendMessageA(window_, WM_USER, 3, WM_LBUTTONUP);
  EXPECT_EQ(Log(), before);

  Command(ID_VIEW_CLEAR);
  EXPECT_EQ(Log(), "");
}

TEST_F(TrayFrameWindow, MenuItemsShowTheirUpdateStates) {
  ASSERT_NE(Make(), nullptr);
  HMENU menu = ::GetMenu(window_);
  HMENU file = ::GetSubMenu(menu, 0);
  HMENU view = ::GetSubMenu(menu, 1);
  auto state = [&](HMENU popup, UINT id) {
    ::SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return ::GetMenuState(popup, id, MF_BYCOMMAND);
  };

  EXPECT_TRUE(state(view, ID_VIEW_NOTIFICATIONS) & MF_CHECKED);
  EXPECT_TRUE(state(view, ID_VIEW_CLEAR) & MF_GRAYED);
  EXPECT_TRUE(state(view, ID_VIEW_STATUS_BAR) & MF_CHECKED);
  EXPECT_FALSE(state(view, ID_TOGGLE_ICON) & MF_GRAYED);
  EXPECT_TRUE(state(file, ID_APP_EXIT) & MF_GRAYED);
  EXPECT_FALSE(state(file, ID_APP_ABOUT) & MF_GRAYED);

  ::SendMessageA(window_, WM_USER, 3, WM_MOUSEMOVE);
  EXPECT_FALSE(state(view, ID_VIEW_CLEAR) & MF_GRAYED);
  Command(ID_VIEW_NOTIFICATIONS);
  EXPECT_FALSE(state(view, ID_VIEW_NOTIFICATIONS) & MF_CHECKED);
  Command(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(::GetWindowLongA(::GetDlgItem(window_, IDW_STATUS_BAR), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(state(view, ID_VIEW_STATUS_BAR) & MF_CHECKED);
}

TEST_F(TrayFrameWindow, CloseOnlyHidesUntilQuit) {
  ASSERT_NE(Make(), nullptr);
  ::ShowWindow(window_, SW_SHOWNA);
  ::SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_FALSE(::IsWindowVisible(window_));

  frame_->SetMainWindow(true);
  Command(ID_APP_QUIT);
  EXPECT_FALSE(::IsWindow(window_));
  MSG quit;
  EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  frame_ = nullptr;
}

TEST_F(TrayFrameWindow, WritesTheTrayStartupShortcut) {
  ASSERT_NE(Make(), nullptr);
  auto link = platform_.LoadShellLink(startup_.Link());
  ASSERT_TRUE(link);
  EXPECT_EQ(::lstrcmpiA(link->target.c_str(), traywin32::ModulePath().c_str()), 0) << link->target;
  EXPECT_EQ(link->arguments, "0");
  EXPECT_EQ(::lstrcmpiA(link->workingDir.c_str(), traywin32::ModuleDir().c_str()), 0) << link->workingDir;
  EXPECT_EQ(link->iconIndex, 0);
  EXPECT_EQ(link->showCommand, 1);
}

LRESULT CALLBACK CountActivations(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && wParam == 0 && lParam == 0) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, ::GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(TrayFrameWindow, DoubleClickOpensTheMainDialogAndASecondOneRaisesIt) {
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration("WindowTitle=Tray Frame Test Dialog\r\n"));

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CountActivations;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VeraveviTrayTestDialog";
  ::RegisterClassA(&windowClass);
  HWND dialog = nullptr;
  ASSERT_NE(Make([&] {
              // The main dialog is open; a second double click reaches the
              // frame through this modal loop.
              dialog =
                  ::CreateWindowExA(0, windowClass.lpszClassName, "Tray Frame Test Dialog", WS_OVERLAPPED, 0,
                                    0, 50, 50, nullptr, nullptr, windowClass.hInstance, nullptr);
              EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONDBLCLK), 1);
            }),
            nullptr);

  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(mainDialogs_, 1);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::GetWindowLongPtrA(dialog, GWLP_USERDATA), 1);
  ::DestroyWindow(dialog);
}

TEST_F(TrayFrameWindow, OtherIdsAndClicksDoNothing) {
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration("WindowTitle=Tray Frame Test Dialog\r\n"));
  ASSERT_NE(Make(), nullptr);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 4, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONUP), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_MBUTTONUP), 0);
  EXPECT_EQ(mainDialogs_, 0);
}

TEST(TrayMenu, IsTheFirstSubmenuOfMenuThree) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYICON));
  ASSERT_NE(menu, nullptr);
  HMENU popup = ::GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(::GetMenuItemCount(popup), 4);
  EXPECT_EQ(MenuText(popup, 0), "&Open");
  EXPECT_EQ(MenuText(popup, 1), "&About");
  EXPECT_TRUE(::GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(MenuText(popup, 3), "&Disable Tray Icon...");
  ::DestroyMenu(menu);

  tray::win32::Win32MenuSource source;
  auto loaded = source.LoadFirstSubmenu(IDR_TRAYICON);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->ItemCommand(0), 32023u);
  EXPECT_EQ(loaded->ItemCommand(1), 57664u);
  EXPECT_EQ(loaded->ItemCommand(2), 0u);
  EXPECT_EQ(loaded->ItemCommand(3), 32027u);
  EXPECT_EQ(loaded->ItemCommand(4), 0u);
  EXPECT_FALSE(source.LoadFirstSubmenu(9999));
}

}  // namespace
