// The three small modal dialogs of the shell, from templates 100 (About),
// 121 (order) and 108 (Disable Tray Icon). Each only translates: the texts,
// icons and decisions come from the portable code (app/DialogLook.h,
// app/OrderDialogLogic.h, app/DisableTrayIconLogic.h).
#pragma once

#include "app/DialogLook.h"
#include "app/DisableTrayIconLogic.h"
#include "platform/Platform.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/VDialog.h"

namespace app::win32 {

// Puts the dialog look's icon into the icon static `iconControl` and sets
// the caption; keeps an extracted icon in `owned`.
void ApplyDialogLook(HWND dialog, int iconControl, const DialogLook& look, plat::win32::UniqueIcon& owned);

}  // namespace app::win32

// About box: caption and icon from the program folder's configuration
// ("2.ico" preferred over the program-named ".ico").
class CAboutDlg final : public CVDialog {
 public:
  explicit CAboutDlg(plat::Platform& platform, HWND parent = nullptr);

 protected:
  BOOL OnInitDialog() override;

 private:
  plat::Platform& m_platform;
  plat::win32::UniqueIcon m_icon;
};

// Order dialog: the order message, the system's information icon and a
// one-item tree holding the order page address; a click on the tree opens
// the page. OK and Cancel end it with IDOK and IDCANCEL.
class COrderDlg final : public CVDialog {
 public:
  explicit COrderDlg(plat::Platform& platform, HWND parent = nullptr);

  std::string m_sConfigFile;
  std::string m_sTitle;
  std::string m_sURL;

 protected:
  BOOL OnInitDialog() override;
  bool OnNotify(int id, NMHDR* header, LRESULT& result) override;

 private:
  plat::Platform& m_platform;
};

// Disable Tray Icon: "&Yes" ends with IDOK (the tray then quits), "No" with
// 0; the StartUp shortcut follows "Show next time" when the dialog goes.
class CDisableTrayIconDlg final : public CVDialog {
 public:
  explicit CDisableTrayIconDlg(plat::Platform& platform, HWND parent = nullptr);

  // Prepares the state (where the configuration lies decides the initial
  // "Show next time"), then runs the modal loop and returns its result.
  INT_PTR DoModal() override;

  const DisableTrayIconLogic& Logic() const { return m_logic; }

  std::string m_sTitle;  // the caption

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(bool save) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnDestroy() override;

 private:
  plat::Platform& m_platform;
  DisableTrayIconLogic m_logic;
  plat::win32::UniqueIcon m_icon;
};
