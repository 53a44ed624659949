// The decisions of the Disable Tray Icon dialog: whether the StartUp
// shortcut "VERaveviTrayIcon.lnk" stays ("Show next time") and whether the
// tray ends ("&Yes").
//
//   "&Yes" with "Show next time" ticked   shortcut written   tray ends
//   "&Yes" with it clear                  shortcut deleted   tray ends
//   "No" or closing, ticked               shortcut written   tray goes on
//   "No" or closing, clear                shortcut deleted   tray goes on
#pragma once

#include <string>

#include "config/BonusConfig.h"
#include "platform/Platform.h"

class DisableTrayIconLogic {
 public:
  explicit DisableTrayIconLogic(plat::Platform& platform);

  // Before the modal loop: locates the configuration in use (data folder
  // unless the program folder holds the ".rtf" marker), copies the folders,
  // builds the shortcut path, and starts "Show next time" ticked exactly when
  // that configuration's path does not contain the program folder (exact,
  // case-sensitive), i.e. when it lies on the product's disk.
  void PrepareModal();

  // The check box was clicked.
  void OnShowNextTimeClicked();
  // "&Yes": takes the check box state; the dialog then ends with IDOK.
  void OnYes(bool showNextTimeChecked);
  // "No": applies the shortcut; the dialog then ends with 0.
  void OnNo();
  // The dialog window is being destroyed (after any ending): applies the shortcut.
  void OnDestroy();

  // Writes the StartUp shortcut when m_bShowNextTime is set, else deletes it.
  void ApplyStartupLink();

  // Result of the dialog "No" ends with.
  static constexpr int kNoResult = 0;

  int m_bShowNextTime = 0;
  std::string m_sConfigFile;
  std::string m_sWindowsDir, m_sModulePath, m_sModuleDir;
  std::string m_szLinkPath;

 private:
  plat::Platform& m_platform;
};
