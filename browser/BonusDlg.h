// CBonusDlg: the main dialog's logic. It lists the capsules of the
// configuration in the capsule tree, shows the selected capsule's
// description, note, tip, sound, button captions and MoreInfo link, and runs
// the install command and the dialog's timers.
//
// Portable: it reaches the operating system only through plat::Platform and
// its controls only through IBonusDlgView. The Win32 dialog class
// (browser/win32/BonusDlgWin32.h) owns one, forwards each message to the
// handler of the same name and applies nothing on its own.
//
// The install command, the MoreInfo action and the macros are decided by the
// install engine (install/); this class applies the engine's results to its
// fields and controls. The fields are public, as the store's are: the views,
// the checker and the tests read them directly.
#pragma once

#include <cstdint>
#include <string>

#include "browser/BonusDlgView.h"
#include "config/BonusConfig.h"
#include "config/DiskPrompt.h"
#include "install/Launcher.h"
#include "platform/Platform.h"

namespace browser {

// Timer ids of the dialog.
inline constexpr unsigned kTimerFirstRun = 200;  // 100 ms, stopped at its first firing
inline constexpr unsigned kTimerMoreInfo = 202;  // 500 ms, MoreInfo link refresh
inline constexpr unsigned kTimerFirstRunPeriod = 100;
inline constexpr unsigned kTimerMoreInfoPeriod = 500;

// Colours of the dialog.
inline constexpr Rgb kGrey = MakeRgb(192, 192, 192);
inline constexpr Rgb kCapsuleTextColor = MakeRgb(170, 0, 17);
inline constexpr Rgb kLinkColor = MakeRgb(0, 0, 255);
inline constexpr Rgb kTipBackground = MakeRgb(255, 240, 224);
inline constexpr Rgb kTipText = MakeRgb(85, 85, 85);

inline constexpr int kDefaultIconSize = 42;
inline constexpr int kDefaultItemHeight = 16;
inline constexpr unsigned kTipInitialDelayMs = 5000;

// Flags of every sound the dialog plays: SND_FILENAME | SND_ASYNC | SND_NODEFAULT.
inline constexpr std::uint32_t kSoundFlags = plat::kSndFilename | plat::kSndAsync | plat::kSndNoDefault;

class CBonusDlg {
 public:
  // Locates the configuration (filling the store's folders and
  // m_sConfigPath) and chooses the window icon: the first icon of the
  // program-named ".ico" beside the main configuration file, else the
  // program's icon resource 126. The view is not touched here.
  CBonusDlg(plat::Platform& platform, IBonusDlgView& view);
  CBonusDlg(const CBonusDlg&) = delete;
  CBonusDlg& operator=(const CBonusDlg&) = delete;
  ~CBonusDlg() = default;

  // ---- fields ---------------------------------------------------------------
  // The capsule image list, as handed out by the view (which owns it); 0 when
  // there is none.
  plat::Handle m_pImageList = 0;
  bool m_bShowMoreInfo = false;
  bool m_bPictureShown = false;
  CString m_sWinDir, m_sSysDir, m_sRunDir, m_sSrcDir;
  CString m_sConfigFile;
  CString m_sMoreInfoPath;
  CBonusConfig m_config;
  plat::IconHandle m_hIcon = 0;
  // The bold title font, as handed out by the view; 0 until created.
  plat::Handle m_fontTitle = 0;
  // The tooltip of the capsule tree exists.
  bool m_toolTip = false;
  CString m_sCapsuleDir, m_sCapsuleName;
  std::int32_t m_nCapsule = 0;
  std::int32_t m_nLastCapsule = -1;
  bool m_bMessageShown = false;
  bool m_bMoreInfoArmed = false;
  TreeItem m_hSelItem = 0;
  CString m_sMoreInfoTitle, m_sNote, m_sDiskSpace;
  // The description file while it is streamed in (emptied afterwards).
  std::string m_rtfFile;
  // The install command's.
  CString m_sDiskPrompt;
  CString m_sCaption;
  CString m_sMsgText;
  CString m_sToken;
  // Given to the dialog base: help file and template id.
  CString m_sHelpFile = "VERAVEVI.HLP";
  int m_nTemplateId = kMainDialogTemplate;

  // ---- set-up and the handlers of the dialog's own messages ---------------
  // The dialog's initialisation. Returns true (focus to the first tab stop),
  // or false after ending the dialog because a capsule file is missing.
  bool OnInitDialog();
  // WM_SYSCOMMAND: true when the command is swallowed (id & 0xFFF0 == 0x0010);
  // false: the default handling applies.
  bool OnSysCommand(unsigned id);
  // Close, Escape and the close box: deletes the StartUp shortcut and ends
  // the dialog with 0.
  void OnCancel();
  // WM_DESTROY, after the base's handling: deletes the StartUp shortcut.
  void OnDestroy();
  // WM_QUERYDRAGICON.
  plat::IconHandle OnQueryDragIcon() const { return m_hIcon; }
  // WM_MOUSEMOVE over the dialog's own surface, after the base's handling.
  void OnMouseMove();
  // WM_TIMER: timer 200 starts Run2 once; 202 refreshes the MoreInfo link.
  // The caller then gives the message its default handling.
  void OnTimer(unsigned id);

  // ---- notifications (every result is 0 unless said) ----------------------
  long OnSelChangedCapsule();  // TVN_SELCHANGED of 1004
  long OnSetFocusCapsule();    // NM_SETFOCUS of 1004
  long OnDblClkCapsule();      // NM_DBLCLK of 1004: the install command
  // NM_CLICK of 1010: RunMoreInfo. 1 when that followed the armed link (its
  // item is then gone, so the tree must skip its default handling).
  long OnClickMoreInfo();
  // NM_SETFOCUS of 1010: sends the focus on when the link cannot be used.
  long OnSetFocusMoreInfo();
  // EN_MSGFILTER of 1002: replaces WM_LBUTTONDBLCLK in `message` by 0.
  long OnMsgFilterDescription(unsigned& message);

  // ---- commands and operations ------------------------------------------------
  // BN_CLICKED of 1006 (and the double click in the tree).
  void OnInstall();
  // Opens the selected capsule's MoreInfo target and hides the link. Returns
  // true when it followed the armed link, which removes the link's item.
  bool RunMoreInfo();
  // Whether the install of the selected capsule goes on (true) or stops:
  // install::CheckInstalledVersion with the capsule's AskMsg, the WindowTitle
  // caption, its macros and the dialog's own message box.
  bool CheckInstalledVersion(CString registry, CString version, CString file);

  // install::ExpandMacros of `text` for `capsule`, with the folders taken at
  // set-up and m_sToken holding each token while it is substituted.
  CString ExpandMacros(const CString& text, int capsule);

  // "%c: %s\n" for every fixed drive, with its free space; also kept in
  // m_sDiskSpace.
  CString GetDiskSpaceText();
  // Gives every per-capsule list an (empty) entry up to `lastIndex`.
  void PadCapsuleLists(int lastIndex);
  // Deletes the file named by the store's m_szLinkPath; silent.
  void RemoveStartupLink();
  // Streams the RTF file `path` into the description pane; a file that
  // cannot be read leaves the pane unchanged.
  void LoadDescription(const CString& path);
  // Timer 202: shows the MoreInfo link once its target exists, then stops
  // the timer; hides it meanwhile.
  void RefreshMoreInfoLink();
  // The opening sound: the first existing candidate of OpeningSoundCandidates.
  void PlayOpeningSound();
  // The selection sound of `capsule`, when its file exists.
  void PlayCapsuleSound(int capsule);

  // ---- helpers ----------------------------------------------------------------
  // True when m_nCapsule names a capsule.
  bool HasSelection() const { return m_nCapsule >= 0 && m_nCapsule <= m_nLastCapsule; }
  // Entry m_nCapsule of a per-capsule list; "" without a selection.
  const CString& Sel(const CStringArray& list) const { return CBonusConfig::At(list, m_nCapsule); }
  // The WindowTitle value, or the default title when it is empty.
  CString CaptionOrDefault() const;
  // Top-left corner at which the icon is drawn centred in a minimized window.
  static void IconPosition(int clientWidth, int clientHeight, int iconWidth, int iconHeight, int& x, int& y);

  plat::Platform& m_platform;
  IBonusDlgView& m_view;

 private:
  // Steps of the initialisation.
  void LocateConfigAtSetUp();
  void WriteStartupLink();
  // False when a capsule file is missing (the dialog has been ended).
  bool FillCapsuleTree();
  void CreateTitleFont();
  void ShowLogo();
  // Reads the main file again, as selection and install do, with the
  // insert-disk prompt; false when the user gave up.
  bool LocateConfigAgain();
  // Reports an exception caught by a guarded step in an error box.
  void ReportException(const char* what);
  // The MoreInfo target of the selected capsule, read as `use` says.
  CString MoreInfoTarget(install::MoreInfoUse use);
  // ExpandMacros bound to `capsule`.
  install::MacroExpander Macros(int capsule);
};

}  // namespace browser
