// Named mutexes, top-level windows and the notification area.
#include <algorithm>

#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using WindowsContract = ContractTest;

TEST_F(WindowsContract, SecondCreationOfAMutexNameReportsThatItExisted) {
  const std::string name = "VelmoraContractMutex" + Env().UniqueName();
  const auto first = P().CreateMutex(name, false);
  const auto second = P().CreateMutex(name, false);
  // Names are case sensitive.
  const auto lower = P().CreateMutex(Lowered(name), false);
  ASSERT_TRUE(first.handle != 0 && second.handle != 0 && lower.handle != 0);
  EXPECT_FALSE(first.alreadyExisted);
  EXPECT_TRUE(second.alreadyExisted);
  EXPECT_FALSE(lower.alreadyExisted);
  // The name lives while any handle to it is open.
  P().CloseHandle(first.handle);
  const auto third = P().CreateMutex(name, false);
  EXPECT_TRUE(third.alreadyExisted);
  for (auto handle : {second.handle, third.handle, lower.handle}) P().CloseHandle(handle);
  const auto again = P().CreateMutex(name, true);
  ASSERT_NE(again.handle, 0u);
  EXPECT_FALSE(again.alreadyExisted);
  P().CloseHandle(again.handle);
}

TEST_F(WindowsContract, WindowIsFoundByItsExactCaptionListedAndReachedByMessages) {
  const std::string caption = "Velmora Contract Window " + Env().UniqueName();
  const plat::WindowHandle window = Env().CreateTopLevelWindow(caption);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(P().FindWindowByCaption(caption), window);
  EXPECT_EQ(P().FindWindowByCaption(caption + " "), 0u);

  const auto windows = P().TopLevelWindows();
  auto it = std::find_if(windows.begin(), windows.end(),
                         [&](const plat::WindowInfo& w) { return w.handle == window; });
  ASSERT_NE(it, windows.end());
  EXPECT_EQ(it->caption, caption);
  EXPECT_EQ(it->className, kTestWindowClass);
  EXPECT_EQ(Lowered(it->processImagePath), Lowered(P().ModulePath()));

  EXPECT_EQ(P().SendMessage(window, plat::kWmNull, 0, 0), 0);
  EXPECT_TRUE(P().PostMessage(window, plat::kWmNull, 0, 0));
}

TEST_F(WindowsContract, NotifyIconsFailInTheWrongState) {
  plat::NotifyIconData data;
  data.hWnd = Env().CreateTopLevelWindow("Velmora Contract Tray " + Env().UniqueName());
  data.uID = 3;
  data.uFlags = plat::kNifIcon | plat::kNifTip | plat::kNifMessage;
  data.uCallbackMessage = plat::kWmUser;
  data.hIcon = Env().StockIcon();
  const std::string tip = "Velmora Bonus Software Installer";
  std::copy(tip.begin(), tip.end(), data.szTip);

  EXPECT_FALSE(P().ShellNotifyIcon(plat::kNimModify, data));
  ASSERT_TRUE(P().ShellNotifyIcon(plat::kNimAdd, data));
  EXPECT_FALSE(P().ShellNotifyIcon(plat::kNimAdd, data));
  data.uFlags = plat::kNifTip;
  data.szTip[0] = 'v';
  EXPECT_TRUE(P().ShellNotifyIcon(plat::kNimModify, data));
  EXPECT_TRUE(P().ShellNotifyIcon(plat::kNimDelete, data));
  EXPECT_FALSE(P().ShellNotifyIcon(plat::kNimDelete, data));
}

}  // namespace
}  // namespace contract
