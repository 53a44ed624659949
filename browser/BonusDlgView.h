// IBonusDlgView: the controls of the main dialog as CBonusDlg sees them.
//
// CBonusDlg (browser/BonusDlg.h) decides; a view applies. The Win32 view
// (browser/win32/BonusDlgWin32.h) maps every call onto the real controls of
// dialog template 132; CRecordingView (browser/RecordingView.h) keeps them in
// memory for the checker, the benchmarks and the tests. Nothing here decides
// anything: each call does exactly what its name says to one control.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "resources/ResourceIds.h"

namespace browser {

// A colour as the system's COLORREF: red in the low byte, then green, then blue.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(unsigned r, unsigned g, unsigned b) { return Rgb(r | (g << 8) | (b << 16)); }

// A tree item (HTREEITEM); 0 is none.
using TreeItem = plat::Handle;

// Control ids of template 132 (resources/ResourceIds.h holds the numbers
// the resource script uses).
enum ControlId : int {
  kIdHelp = IDC_HELP_BUTTON,
  kIdMoreInfo = IDC_MOREINFO,
  kIdInstall = IDC_INSTALL,
  kIdClose = IDC_CLOSE,
  kIdCapsuleList = IDC_CAPSULELIST,
  kIdLogo = IDC_LOGO,
  kIdTitle = IDC_TITLE,
  kIdNote = IDC_NOTE,
  kIdDiskSpace = IDC_DISKSPACE,
  kIdDescription = IDC_DESCRIPTION,
  kIdIntro = IDC_INTRO,
  kIdDiskSpaceLabel = IDC_DISKSPACE_LABEL,
  kIdPicture = IDC_PICTURE,
};

inline constexpr int kMainDialogTemplate = IDD_BONUS_DIALOG;
inline constexpr int kAppIconId = IDR_MAINFRAME;
inline constexpr int kPictureBitmapId = IDB_PICTURE;

// The fields of the dialog font's description that the title font changes;
// every other field is kept from the dialog's own font.
struct TitleFontFields {
  long height = 0;
  long weight = 0;
  int outPrecision = 0;
  int quality = 0;
  std::string faceName;
};

class IBonusDlgView {
 public:
  virtual ~IBonusDlgView() = default;

  // ---- the dialog window --------------------------------------------------
  virtual void SetCaption(const std::string& caption) = 0;
  // WM_SETICON, big and small.
  virtual void SetWindowIcon(plat::IconHandle icon) = 0;
  // Ends the modal loop with `result`; the window closes once the current
  // handler has returned.
  virtual void EndDialog(int result) = 0;
  virtual void SetTimer(unsigned id, unsigned periodMs) = 0;
  virtual void KillTimer(unsigned id) = 0;
  // The id of the control holding the keyboard focus; 0 when it is none of
  // the dialog's controls.
  virtual int GetFocusId() = 0;
  virtual void SetFocusTo(int controlId) = 0;
  // GetKeyState(VK_SHIFT) is negative.
  virtual bool IsShiftDown() = 0;
  // CVDialog::MessageBoxA with the dialog as owner; the pressed button's id.
  virtual int MessageBox(const std::string& text, const std::string& caption, unsigned type) = 0;

  // ---- the capsule tree (1004) --------------------------------------------
  virtual void SetCapsuleItemHeight(std::int16_t height) = 0;
  virtual void SetCapsuleTextColor(Rgb color) = 0;
  // Creates the capsule image list (cx × cy, ILC_COLORDDB | ILC_MASK,
  // initial size 0, growth 20). The view owns it until the window is gone.
  // Returns a non-zero handle, or 0 when it could not be created.
  virtual plat::Handle CreateCapsuleImageList(int cx, int cy) = 0;
  // Appends a copy of `icon` to the image list (ImageList_ReplaceIcon with
  // -1); the view takes `icon` over and destroys it.
  virtual void AppendCapsuleIcon(plat::IconHandle icon) = 0;
  // Makes the image list the tree's TVSIL_NORMAL list.
  virtual void AttachCapsuleImageList() = 0;
  // Inserts a root item after the last one, with `image` as normal and
  // selected image number.
  virtual TreeItem InsertCapsuleItem(const std::string& text, int image) = 0;
  // The selected item and its text; 0 / nothing when no item is selected.
  virtual TreeItem GetSelectedCapsuleItem() = 0;
  virtual std::optional<std::string> GetSelectedCapsuleText() = 0;

  // ---- texts and pictures -------------------------------------------------
  virtual void SetNoteText(const std::string& text) = 0;       // 1003
  virtual void SetDiskSpaceText(const std::string& text) = 0;  // 1008
  // EM_SETBKGNDCOLOR of a rich edit (1003 or 1008).
  virtual void SetRichEditBackground(int controlId, Rgb color) = 0;
  virtual void SetTitleText(const std::string& text) = 0;  // 1009
  virtual void SetIntroText(const std::string& text) = 0;  // 1011
  virtual void SetLogoIcon(plat::IconHandle icon) = 0;     // 1013, STM_SETICON
  virtual void HidePicture() = 0;                          // 1012
  // Height of the dialog's own font (LOGFONT lfHeight).
  virtual long GetDialogFontHeight() = 0;
  // Creates the title font: the dialog font with `fields` put in; 0 on failure.
  virtual plat::Handle CreateTitleFont(const TitleFontFields& fields) = 0;
  // WM_SETFONT of 1009 with redraw.
  virtual void SetTitleFont(plat::Handle font) = 0;

  // ---- the description pane (1002) ----------------------------------------
  // Adds ENM_MOUSEEVENTS to the pane's event mask.
  virtual void AddDescriptionMouseEvents() = 0;
  // Adds a reference to the pane's OLE callback, installs it
  // (EM_SETOLECALLBACK) and sets the host names "Velmora Bonus" / "Untitled"
  // on the pane's IRichEditOle when it has one.
  virtual void InstallDescriptionOleCallback() = 0;
  // Replaces the whole content by `rtf` streamed in as SF_RTF.
  virtual void StreamDescriptionRtf(const std::string& rtf) = 0;

  // ---- the MoreInfo link (1010) -------------------------------------------
  virtual void SetMoreInfoColors(Rgb background, Rgb text) = 0;
  virtual void SetMoreInfoTextColor(Rgb text) = 0;
  virtual void DeleteMoreInfoItems() = 0;
  virtual void InsertMoreInfoItem(const std::string& text) = 0;
  virtual void ShowMoreInfo(bool show) = 0;

  // ---- the tooltip of the tree --------------------------------------------
  // Creates the tooltip control (parent: the dialog, style 0).
  virtual void CreateToolTip() = 0;
  virtual void SetToolTipColors(Rgb background, Rgb text) = 0;
  // Registers the capsule tree window as tool 0 (no rectangle) with `text`.
  virtual void AddCapsuleToolTip(const std::string& text) = 0;
  virtual void SetToolTipInitialDelay(unsigned ms) = 0;
  virtual void ActivateToolTip(bool active) = 0;

  // ---- buttons --------------------------------------------------------------
  virtual void SetButtonText(int controlId, const std::string& text) = 0;
  virtual void EnableButton(int controlId, bool enable) = 0;
};

}  // namespace browser
