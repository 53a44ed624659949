#include "app/win32/SecondaryDialogs.h"

#include <commctrl.h>

#include "app/OrderDialogLogic.h"
#include "resources/ResourceIds.h"

namespace app::win32 {

void ApplyDialogLook(HWND dialog, int iconControl, const DialogLook& look, plat::win32::UniqueIcon& owned) {
  ::SetWindowTextA(dialog, look.caption.c_str());
  HICON icon = reinterpret_cast<HICON>(look.icon.handle);
  ::SendDlgItemMessageA(dialog, iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  owned.Reset(look.icon.extracted ? icon : nullptr);
}

}  // namespace app::win32

// ---- About -------------------------------------------------------------------

CAboutDlg::CAboutDlg(plat::Platform& platform, HWND parent)
    : CVDialog(IDD_ABOUTBOX, parent), m_platform(platform) {}

BOOL CAboutDlg::OnInitDialog() {
  CVDialog::OnInitDialog();
  app::win32::ApplyDialogLook(m_hWnd, IDC_ABOUT_ICON, app::LoadDialogLook(m_platform), m_icon);
  return TRUE;
}

// ---- Order ---------------------------------------------------------------------

COrderDlg::COrderDlg(plat::Platform& platform, HWND parent)
    : CVDialog(IDD_ORDER, parent), m_platform(platform) {}

BOOL COrderDlg::OnInitDialog() {
  CVDialog::OnInitDialog();
  app::OrderDialogContent content = app::LoadOrderDialogContent(m_platform);
  m_sConfigFile = content.configFile;
  m_sTitle = content.title;
  m_sURL = content.url;
  ::SetWindowTextA(m_hWnd, content.caption.c_str());
  ::SetDlgItemTextA(m_hWnd, IDC_ORDER_TEXT, content.message.c_str());
  ::SendDlgItemMessageA(
      m_hWnd, IDC_ORDER_ICON, STM_SETICON,
      reinterpret_cast<WPARAM>(::LoadIconA(nullptr, MAKEINTRESOURCEA(32516))),  // IDI_ASTERISK
      0);

  HWND tree = GetDlgItem(IDC_ORDER_TREE);
  ::SendMessageA(tree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(192, 192, 192)));
  ::SendMessageA(tree, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(RGB(0, 0, 255)));
  TVINSERTSTRUCTA item{};
  item.hParent = TVI_ROOT;
  item.hInsertAfter = TVI_LAST;
  item.item.mask = TVIF_TEXT;
  item.item.pszText = const_cast<char*>(m_sURL.c_str());
  ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));

  HICON programIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon));
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programIcon));
  return TRUE;
}

bool COrderDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
  if (id == IDC_ORDER_TREE && header->code == static_cast<UINT>(NM_CLICK)) {
    app::OpenOrderPage(m_platform, reinterpret_cast<plat::WindowHandle>(m_hWnd), m_sURL);
    result = 0;
    return true;
  }
  return CVDialog::OnNotify(id, header, result);
}

// ---- Disable Tray Icon ---------------------------------------------------------

CDisableTrayIconDlg::CDisableTrayIconDlg(plat::Platform& platform, HWND parent)
    : CVDialog(IDD_DISABLE_TRAY_ICON, parent), m_platform(platform), m_logic(platform) {}

INT_PTR CDisableTrayIconDlg::DoModal() {
  m_logic.PrepareModal();
  return CVDialog::DoModal();
}

BOOL CDisableTrayIconDlg::OnInitDialog() {
  CVDialog::OnInitDialog();
  app::DialogLook look = app::LoadDialogLook(m_platform);
  m_sTitle = look.caption;
  app::win32::ApplyDialogLook(m_hWnd, IDC_DISABLE_ICON, look, m_icon);
  return TRUE;
}

void CDisableTrayIconDlg::DoDataExchange(bool save) {
  CVDialog::DoDataExchange(save);
  if (save)
    m_logic.OnYes(::IsDlgButtonChecked(m_hWnd, IDC_SHOW_NEXT_TIME) == BST_CHECKED);
  else
    ::CheckDlgButton(m_hWnd, IDC_SHOW_NEXT_TIME, m_logic.m_bShowNextTime != 0 ? BST_CHECKED : BST_UNCHECKED);
}

bool CDisableTrayIconDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_SHOW_NEXT_TIME && code == BN_CLICKED) {
    m_logic.OnShowNextTimeClicked();
    return true;
  }
  if (id == IDC_DISABLE_NO && code == BN_CLICKED) {
    m_logic.OnNo();
    EndDialog(DisableTrayIconLogic::kNoResult);
    return true;
  }
  return CVDialog::OnCommand(id, code, control);
}

void CDisableTrayIconDlg::OnDestroy() {
  CVDialog::OnDestroy();
  m_logic.OnDestroy();
}
