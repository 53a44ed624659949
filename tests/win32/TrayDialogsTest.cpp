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
#include "resources/ResourceIds.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

using e2e::TextOf;
using traywin32::Click;

const char* const kTitle = "Tray Dialogs Test";

HICON ProgramIcon() { return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)); }

HICON IconOf(HWND dialog, int control) {
  return reinterpret_cast<HICON>(::SendDlgItemMessageA(dialog, control, STM_GETICON, 0, 0));
}

// The About box takes its caption from the configuration (the program's name
// when it names none) and prefers a 2.ico beside it to the program's icon.
TEST(AboutBox, TakesCaptionAndIconFromTheProgramFolder) {
  const struct {
    std::string title;
    bool spareIcon;
    int end;
    const char* caption;
  } rows[] = {{kTitle, false, IDOK, kTitle}, {"", true, IDCANCEL, "Velmora Bonus Software Installer"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.caption);
    plat::Win32Platform platform;
    traywin32::ScratchFiles files;
    ASSERT_TRUE(files.Configuration("WindowTitle=" + r.title + "\r\n"));
    if (r.spareIcon) {
      ASSERT_TRUE(files.Copy(e2e::WindowsPath(VELMORA_SOURCE_DIR "/resources/art/spare101.ico"),
                             traywin32::BesideProgram("2.ico")));
    }
    std::string caption;
    HICON icon = nullptr;
    traywin32::DialogDriver driver([&](HWND dialog) {
      caption = TextOf(dialog);
      icon = IconOf(dialog, IDC_ABOUT_ICON);
      if (r.end == IDOK)
        Click(dialog, IDOK);
      else
        ::SendMessageA(dialog, WM_CLOSE, 0, 0);
    });
    CAboutDlg about(platform, driver.Window());
    EXPECT_EQ(about.DoModal(), r.end);
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(caption, r.caption);
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(icon == ProgramIcon(), !r.spareIcon);
  }
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
    caption = TextOf(dialog);
    message = TextOf(::GetDlgItem(dialog, IDC_ORDER_TEXT));
    information = IconOf(dialog, IDC_ORDER_ICON);
    HWND tree = ::GetDlgItem(dialog, IDC_ORDER_TREE);
    count = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    background = static_cast<COLORREF>(::SendMessageA(tree, TVM_GETBKCOLOR, 0, 0));
    text = static_cast<COLORREF>(::SendMessageA(tree, TVM_GETTEXTCOLOR, 0, 0));
    char buffer[256] = {};
    HTREEITEM root = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    TVITEMA tvItem{TVIF_TEXT, root, 0, 0, buffer, sizeof buffer, 0, 0, 0, 0};
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

TEST(DisableTrayIconDialogStart, StartsTickedWhenTheConfigurationIsElsewhere) {
  plat::Win32Platform platform;
  e2e::StartupFolder startup("VERaveviTrayIcon.lnk");
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
  EXPECT_TRUE(e2e::FileExists(startup.Link()));
}

}  // namespace
