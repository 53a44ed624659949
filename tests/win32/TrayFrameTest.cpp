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
#include <utility>
#include <vector>

#include "app/win32/MainFrameWnd.h"
#include "app/win32/Win32TrayMenu.h"
#include "platform/win32/Win32Platform.h"
#include "resources/ResourceIds.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

using e2e::TextOf;

// Counts the main dialogs it is asked for, running `onMainDialog` for each.
struct RecordingHost : tray::MainFrameHost {
  RecordingHost(int& mainDialogs, std::function<void()> onMainDialog)
      : mainDialogs_(mainDialogs), onMainDialog_(std::move(onMainDialog)) {}
  void RunMainDialog() override {
    ++mainDialogs_;
    if (onMainDialog_) onMainDialog_();
  }
  int RunDisableTrayIconDialog() override { return IDCANCEL; }
  void OnAppAbout() override {}
  int& mainDialogs_;
  std::function<void()> onMainDialog_;
};

class TrayFrameWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    if (frame_ != nullptr && ::IsWindow(window_)) ::DestroyWindow(window_);
    traywin32::DrainQueue();
  }

  HWND Make(std::function<void()> onMainDialog = {}) {
    frame_ = CMainFrameWnd::Create(platform_,
                                   std::make_unique<RecordingHost>(mainDialogs_, std::move(onMainDialog)),
                                   WS_OVERLAPPEDWINDOW);
    window_ = frame_ != nullptr ? frame_->GetSafeHwnd() : nullptr;
    return window_;
  }
  void Command(UINT id) { ::SendMessageA(window_, WM_COMMAND, id, 0); }
  std::string Log() { return TextOf(::GetDlgItem(window_, IDW_PANE_FIRST)); }

  plat::Win32Platform platform_;
  e2e::StartupFolder startup_{"VERaveviTrayIcon.lnk"};
  CMainFrameWnd* frame_ = nullptr;
  HWND window_ = nullptr;
  int mainDialogs_ = 0;
};

std::string MenuText(HMENU menu, int position) {
  char text[128] = {};
  ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// Menu texts by position; "" marks a separator.
void ExpectMenu(HMENU menu, const std::vector<std::string>& texts) {
  ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(texts.size()));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(MenuText(menu, static_cast<int>(i)), texts[i]) << i;
    EXPECT_EQ((::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0,
              texts[i].empty());
  }
}

// Hidden, with title, menu, status bar and log; a close request only hides
// it. (The StartUp shortcut it writes is checked by the tray's e2e test.)
TEST_F(TrayFrameWindow, IsAHiddenFrameWithMenuStatusBarAndLog) {
  ASSERT_NE(Make(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_EQ(TextOf(window_), "Velmora Bonus Software");
  EXPECT_EQ(::FindWindowA(CMainFrameWnd::ClassName(), "Velmora Bonus Software"), window_);
  EXPECT_EQ(::GetParent(window_), nullptr);
  HMENU menu = ::GetMenu(window_);
  ASSERT_NE(menu, nullptr);
  ExpectMenu(::GetSubMenu(menu, 0), {"&About VERavevi...", "E&xit"});
  ExpectMenu(::GetSubMenu(menu, 1),
             {"&Status Bar", "Tray &Notifications", "", "Toggle Tray &Icon", "&Clear Window"});
  EXPECT_EQ(::GetMenuItemID(::GetSubMenu(menu, 1), 0), static_cast<UINT>(ID_VIEW_STATUS_BAR));

  HWND bar = ::GetDlgItem(window_, IDW_STATUS_BAR);
  HWND log = ::GetDlgItem(window_, IDW_PANE_FIRST);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(log, nullptr);
  char className[64] = {};
  ::GetClassNameA(bar, className, sizeof className);
  EXPECT_STREQ(className, STATUSCLASSNAMEA);
  ::GetClassNameA(log, className, sizeof className);
  EXPECT_EQ(::lstrcmpiA(className, "Edit"), 0);
  const LONG style = ::GetWindowLongA(log, GWL_STYLE);
  EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE | WS_VSCROLL), ES_READONLY | ES_MULTILINE | WS_VSCROLL);
  EXPECT_EQ(::SendMessageA(bar, SB_GETPARTS, 0, 0), 1);

  // The log fills the client area above the status bar.
  ::SetWindowPos(window_, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{}, logRect{}, barRect{};
  ::GetClientRect(window_, &client);
  ::GetWindowRect(log, &logRect);
  ::GetWindowRect(bar, &barRect);
  EXPECT_EQ(logRect.right - logRect.left, client.right);
  EXPECT_EQ((logRect.bottom - logRect.top) + (barRect.bottom - barRect.top), client.bottom);

  ::ShowWindow(window_, SW_SHOWNA);
  ::SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_FALSE(::IsWindowVisible(window_));
  // As the main window, Quit ends the program's loop.
  frame_->SetMainWindow(true);
  Command(ID_APP_QUIT);
  EXPECT_FALSE(::IsWindow(window_));
  MSG quit;
  EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  frame_ = nullptr;
}

// Every notification goes into the log until switched off; the menu items
// show their update states (Clear only with something to clear).
TEST_F(TrayFrameWindow, LogsNotificationsAndUpdatesTheMenu) {
  ASSERT_NE(Make(), nullptr);
  HMENU file = ::GetSubMenu(::GetMenu(window_), 0), view = ::GetSubMenu(::GetMenu(window_), 1);
  auto has = [&](HMENU popup, UINT id, UINT flag) {
    ::SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return (::GetMenuState(popup, id, MF_BYCOMMAND) & flag) != 0;
  };
  EXPECT_TRUE(has(view, ID_VIEW_NOTIFICATIONS, MF_CHECKED));
  EXPECT_TRUE(has(view, ID_VIEW_CLEAR, MF_GRAYED));
  EXPECT_TRUE(has(view, ID_VIEW_STATUS_BAR, MF_CHECKED));
  EXPECT_FALSE(has(view, ID_TOGGLE_ICON, MF_GRAYED));
  EXPECT_TRUE(has(file, ID_APP_EXIT, MF_GRAYED));
  EXPECT_FALSE(has(file, ID_APP_ABOUT, MF_GRAYED));

  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_MOUSEMOVE), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_USER, 7, 0x20A), 0);
  const std::string log =
      "Tray notification: ID=3, lEvent=0x0200 WM_MOUSEMOVE\r\n"
      "Tray notification: ID=3, lEvent=0x0201 WM_LBUTTONDOWN\r\n"
      "Tray notification: ID=7, lEvent=0x020a (Unknown)\r\n";
  EXPECT_EQ(Log(), log);
  EXPECT_FALSE(has(view, ID_VIEW_CLEAR, MF_GRAYED));

  Command(ID_VIEW_NOTIFICATIONS);
  EXPECT_FALSE(has(view, ID_VIEW_NOTIFICATIONS, MF_CHECKED));
  ::SendMessageA(window_, WM_USER, 3, WM_LBUTTONUP);
  EXPECT_EQ(Log(), log);
  Command(ID_VIEW_CLEAR);
  EXPECT_EQ(Log(), "");
  Command(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(::GetWindowLongA(::GetDlgItem(window_, IDW_STATUS_BAR), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(has(view, ID_VIEW_STATUS_BAR, MF_CHECKED));
}

LRESULT CALLBACK CountActivations(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && wParam == 0 && lParam == 0) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, ::GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Only a double click of icon 3 opens the main dialog; a second one, from
// within the dialog's loop, raises the open dialog.
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
              dialog =
                  ::CreateWindowExA(0, windowClass.lpszClassName, "Tray Frame Test Dialog", WS_OVERLAPPED, 0,
                                    0, 50, 50, nullptr, nullptr, windowClass.hInstance, nullptr);
              EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONDBLCLK), 1);
            }),
            nullptr);
  for (auto [id, event] : {std::pair{4, WM_LBUTTONDBLCLK}, {3, WM_LBUTTONUP}, {3, WM_MBUTTONUP}})
    EXPECT_EQ(::SendMessageA(window_, WM_USER, id, event), 0);
  EXPECT_EQ(mainDialogs_, 0);

  EXPECT_EQ(::SendMessageA(window_, WM_USER, 3, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(mainDialogs_, 1);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::GetWindowLongPtrA(dialog, GWLP_USERDATA), 1);
  ::DestroyWindow(dialog);
}

TEST(TrayMenu, IsTheFirstSubmenuOfMenuThree) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYICON));
  ASSERT_NE(menu, nullptr);
  ExpectMenu(::GetSubMenu(menu, 0), {"&Open", "&About", "", "&Disable Tray Icon..."});
  ::DestroyMenu(menu);

  tray::win32::Win32MenuSource source;
  auto loaded = source.LoadFirstSubmenu(IDR_TRAYICON);
  ASSERT_TRUE(loaded);
  const unsigned commands[] = {32023u, 57664u, 0u, 32027u, 0u};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(loaded->ItemCommand(i), commands[i]) << i;
  EXPECT_FALSE(source.LoadFirstSubmenu(9999));
}

}  // namespace
