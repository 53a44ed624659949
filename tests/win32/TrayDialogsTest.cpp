// The About, order and Disable Tray Icon dialogs on the real system, driven
// from their own modal loops.
// The Windows headers come before the common controls.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>

#include "app/win32/SecondaryDialogs.h"
#include "platform/win32/Win32Platform.h"
#include "resources/TrayResource.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

using traywin32::Click;
using traywin32::WindowText;

const char* const kTitle = "Tray Dialogs Test";

HICON ProgramIcon() { return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)); }

HICON IconOf(HWND dialog, int control) {
  return reinterpret_cast<HICON>(::SendDlgItemMessageA(dialog, control, STM_GETICON, 0, 0));
}

std::string SpareIconFile() {
  std::string path = VELMORA_SOURCE_DIR "/resources/art/spare101.ico";
  for (char& c : path)
    if (c == '/') c = '\\';
  return path[0] == '\\' ? "Z:" + path : path;
}

TEST(AboutBox, TakesCaptionAndIconFromTheProgramFolder) {
  plat::Win32Platform platform;
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration(std::string("WindowTitle=") + kTitle + "\r\n"));

  std::string caption;
  HICON icon = nullptr;
  traywin32::DialogDriver driver([&](HWND dialog) {
    caption = WindowText(dialog);
    icon = IconOf(dialog, IDC_ABOUT_ICON);
    Click(dialog, IDOK);
  });
  CAboutDlg about(platform, driver.Window());
  EXPECT_EQ(about.DoModal(), IDOK);
  EXPECT_TRUE(driver.Ran());
  EXPECT_EQ(caption, kTitle);
  EXPECT_EQ(icon, ProgramIcon());
}

TEST(AboutBox, PrefersTwoIcoBesideTheConfiguration) {
  plat::Win32Platform platform;
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration("WindowTitle=\r\n"));
  ASSERT_TRUE(files.Copy(SpareIconFile(), traywin32::BesideProgram("2.ico")));

  std::string caption;
  HICON icon = nullptr;
  traywin32::DialogDriver driver([&](HWND dialog) {
    caption = WindowText(dialog);
    icon = IconOf(dialog, IDC_ABOUT_ICON);
    ::SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
  CAboutDlg about(platform, driver.Window());
  EXPECT_EQ(about.DoModal(), IDCANCEL);
  EXPECT_EQ(caption, "Velmora Bonus Software Installer");
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(icon, ProgramIcon());
}

TEST(OrderDialog, ShowsTheMessageAndTheLinkTree) {
  plat::Win32Platform platform;
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration(std::string("WindowTitle=") + kTitle +
                                  "\r\nOrderURLmsg=Order %s today %d%%.\\nThank you.\r\n"
                                  "OrderURL=http://order.example.invalid/velmora\r\n"));
  std::string caption, message, item;
  COLORREF background = 0, text = 0;
  LRESULT count = 0;
  HICON information = nullptr;
  traywin32::DialogDriver driver([&](HWND dialog) {
    caption = WindowText(dialog);
    message = WindowText(::GetDlgItem(dialog, IDC_ORDER_TEXT));
    information = IconOf(dialog, IDC_ORDER_ICON);
    HWND tree = ::GetDlgItem(dialog, IDC_ORDER_TREE);
    count = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    background = static_cast<COLORREF>(::SendMessageA(tree, TVM_GETBKCOLOR, 0, 0));
    text = static_cast<COLORREF>(::SendMessageA(tree, TVM_GETTEXTCOLOR, 0, 0));
    char buffer[256] = {};
    TVITEMA tvItem{};
    tvItem.mask = TVIF_TEXT;
    tvItem.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    tvItem.pszText = buffer;
    tvItem.cchTextMax = sizeof buffer;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem));
    item = buffer;
    Click(dialog, IDCANCEL);
  });
  COrderDlg order(platform, driver.Window());
  EXPECT_EQ(order.DoModal(), IDCANCEL);
  EXPECT_EQ(caption, kTitle);
  EXPECT_EQ(message, "Order Velmora 5.0 today %d%.\nThank you.");
  EXPECT_EQ(information, ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(item, "http://order.example.invalid/velmora");
  EXPECT_EQ(background, RGB(192, 192, 192));
  EXPECT_EQ(text, RGB(0, 0, 255));
  EXPECT_EQ(order.m_sURL, "http://order.example.invalid/velmora");
}

TEST(OrderDialog, OkEndsWithIdOk) {
  plat::Win32Platform platform;
  traywin32::DialogDriver driver([](HWND dialog) { Click(dialog, IDOK); });
  COrderDlg order(platform, driver.Window());
  EXPECT_EQ(order.DoModal(), IDOK);
}

enum class End { Yes, No, Close };

struct DisableCase {
  const char* name;
  End end;
  bool ticked;
  bool shortcut;
  INT_PTR result;
};

class DisableTrayIconDialog : public ::testing::TestWithParam<DisableCase> {};

TEST_P(DisableTrayIconDialog, NetEffect) {
  const DisableCase& c = GetParam();
  plat::Win32Platform platform;
  traywin32::StartupFolder startup;
  traywin32::ScratchFiles files;
  // With the configuration in the program folder the box starts clear.
  ASSERT_TRUE(files.Configuration(std::string("WindowTitle=") + kTitle + "\r\n"));

  bool initiallyChecked = true;
  std::string caption;
  traywin32::DialogDriver driver([&](HWND dialog) {
    caption = WindowText(dialog);
    initiallyChecked = ::IsDlgButtonChecked(dialog, IDC_SHOW_NEXT_TIME) == BST_CHECKED;
    if (c.ticked) Click(dialog, IDC_SHOW_NEXT_TIME);
    switch (c.end) {
      case End::Yes:
        Click(dialog, IDOK);
        break;
      case End::No:
        Click(dialog, IDC_DISABLE_NO);
        break;
      case End::Close:
        ::SendMessageA(dialog, WM_CLOSE, 0, 0);
        break;
    }
  });
  CDisableTrayIconDlg dialog(platform, driver.Window());
  EXPECT_EQ(dialog.DoModal(), c.result);
  EXPECT_TRUE(driver.Ran());
  EXPECT_FALSE(initiallyChecked);
  EXPECT_EQ(caption, kTitle);
  EXPECT_EQ(dialog.Logic().m_bShowNextTime, c.ticked ? 1 : 0);

  auto link = platform.LoadShellLink(startup.Link());
  EXPECT_EQ(link.has_value(), c.shortcut);
  EXPECT_EQ(traywin32::FileExists(startup.Link()), c.shortcut);
  if (link) {
    EXPECT_EQ(::lstrcmpiA(link->target.c_str(), traywin32::ModulePath().c_str()), 0) << link->target;
    EXPECT_EQ(link->arguments, "0");
    EXPECT_EQ(link->showCommand, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, DisableTrayIconDialog,
                         ::testing::Values(DisableCase{"YesTicked", End::Yes, true, true, IDOK},
                                           DisableCase{"YesClear", End::Yes, false, false, IDOK},
                                           DisableCase{"NoTicked", End::No, true, true, 0},
                                           DisableCase{"NoClear", End::No, false, false, 0},
                                           DisableCase{"CloseTicked", End::Close, true, true, IDCANCEL},
                                           DisableCase{"CloseClear", End::Close, false, false, IDCANCEL}),
                         [](const ::testing::TestParamInfo<DisableCase>& paramInfo) {
                           return std::string(paramInfo.param.name);
                         });

TEST(DisableTrayIconDialogStart, StartsTickedWhenTheConfigurationIsElsewhere) {
  plat::Win32Platform platform;
  traywin32::StartupFolder startup;
  // Without the description marker the configuration in use lies in the
  // product's data folder, not in the program folder.
  if (platform.RegQueryValue(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir"))
    GTEST_SKIP() << "the prefix records a source folder";
  bool initiallyChecked = false;
  traywin32::DialogDriver driver([&](HWND dialog) {
    initiallyChecked = ::IsDlgButtonChecked(dialog, IDC_SHOW_NEXT_TIME) == BST_CHECKED;
    Click(dialog, IDC_DISABLE_NO);
  });
  CDisableTrayIconDlg dialog(platform, driver.Window());
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(initiallyChecked);
  EXPECT_TRUE(traywin32::FileExists(startup.Link()));
}

}  // namespace
