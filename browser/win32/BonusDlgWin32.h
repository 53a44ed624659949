// CBonusDlgWin32: the main dialog window (template 132). It owns the
// dialog's logic (CBonusDlg) and is its view: every message becomes a call
// of the handler of the same name, and every view call is applied to the
// real control. The creator loads the rich-edit library (riched20.dll)
// before DoModal; every end this program brings about gives the result 0.
// The controls' resources it creates (image list, title font, tooltip, the
// pane's IRichEditOle reference) go with it, and so do the icons extracted
// from files for its window icon and logo; an icon that one of them no
// longer shows is destroyed then.
#pragma once

// The Windows headers come before the common controls.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>
// clang-format on

#include <memory>
#include <string>

#include "browser/BonusDlg.h"
#include "browser/BonusDlgView.h"
#include "browser/win32/DescOleCallback.h"
#include "platform/Platform.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/VDialog.h"

namespace browser {

class CBonusDlgWin32 : public CVDialog, public IBonusDlgView {
 public:
  CBonusDlgWin32(plat::Platform& platform, HWND parent);
  ~CBonusDlgWin32() override = default;

  CBonusDlg& Logic() { return *m_logic; }
  CDescOleCallback& OleCallback() { return m_oleCallback; }

  // ---- IBonusDlgView ---------------------------------------------------------
  void SetCaption(const std::string& caption) override;
  void SetWindowIcon(plat::IconHandle icon) override;
  void EndDialog(int result) override;
  void SetTimer(unsigned id, unsigned periodMs) override;
  void KillTimer(unsigned id) override;
  int GetFocusId() override;
  void SetFocusTo(int controlId) override;
  bool IsShiftDown() override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
  void SetCapsuleItemHeight(std::int16_t height) override;
  void SetCapsuleTextColor(Rgb color) override;
  plat::Handle CreateCapsuleImageList(int cx, int cy) override;
  void AppendCapsuleIcon(plat::IconHandle icon) override;
  void AttachCapsuleImageList() override;
  TreeItem InsertCapsuleItem(const std::string& text, int image) override;
  TreeItem GetSelectedCapsuleItem() override;
  std::optional<std::string> GetSelectedCapsuleText() override;
  void SetNoteText(const std::string& text) override;
  void SetDiskSpaceText(const std::string& text) override;
  void SetRichEditBackground(int controlId, Rgb color) override;
  void SetTitleText(const std::string& text) override;
  void SetIntroText(const std::string& text) override;
  void SetLogoIcon(plat::IconHandle icon) override;
  void HidePicture() override;
  long GetDialogFontHeight() override;
  plat::Handle CreateTitleFont(const TitleFontFields& fields) override;
  void SetTitleFont(plat::Handle font) override;
  void AddDescriptionMouseEvents() override;
  void InstallDescriptionOleCallback() override;
  void StreamDescriptionRtf(const std::string& rtf) override;
  void SetMoreInfoColors(Rgb background, Rgb text) override;
  void SetMoreInfoTextColor(Rgb text) override;
  void DeleteMoreInfoItems() override;
  void InsertMoreInfoItem(const std::string& text) override;
  void ShowMoreInfo(bool show) override;
  void CreateToolTip() override;
  void SetToolTipColors(Rgb background, Rgb text) override;
  void AddCapsuleToolTip(const std::string& text) override;
  void SetToolTipInitialDelay(unsigned ms) override;
  void ActivateToolTip(bool active) override;
  void SetButtonText(int controlId, const std::string& text) override;
  void EnableButton(int controlId, bool enable) override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnCancel() override;
  bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  bool OnPaint() override;
  void OnMouseMove(UINT flags, POINT point) override;
  bool OnSysCommand(UINT id, LPARAM lParam) override;
  HICON OnQueryDragIcon() override;
  bool PreTranslateMessage(MSG* message) override;

 private:
  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
  // `place` takes over `icon` when it was extracted from a file and `other`
  // does not hold it already; what `place` held before is destroyed.
  static void HoldIcon(plat::win32::UniqueIcon& place, const plat::win32::UniqueIcon& other,
                       plat::IconHandle icon);

  CDescOleCallback m_oleCallback;
  plat::win32::ComPtr<IRichEditOle> m_pRichEditOle;
  plat::win32::UniqueImageList m_imageList;
  plat::win32::UniqueFont m_titleFont;
  plat::win32::UniqueWindow m_toolTip;
  // The extracted icons shown as the window's icon and as the logo (1013).
  plat::win32::UniqueIcon m_windowIcon;
  plat::win32::UniqueIcon m_logoIcon;
  // Declared last, so that it goes first: the logic may still use the view.
  std::unique_ptr<CBonusDlg> m_logic;
};

}  // namespace browser
