// The main dialog's install command, its MoreInfo action, its timers and the
// macro expansion of capsule values, over the install engine (install/).
#include <exception>
#include <string>

#include "browser/BonusDlg.h"
#include "install/InstallCommand.h"
#include "install/PathMacros.h"
#include "install/VersionCheck.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace browser {

void CBonusDlg::OnInstall() {
  if (m_view.GetFocusId() == kIdMoreInfo) {
    RunMoreInfo();
    return;
  }
  m_bMessageShown = false;
  try {
    // The caption follows the configuration just read, also when the disk was
    // there at once.
    const bool found = LocateConfigAgain();
    m_sCaption = m_config.m_sWelcomeCaption;
    if (!found) return;

    if (!HasSelection()) {
      m_sMsgText = res::Str(res::IDS_NOTHING_SELECTED);
      m_view.MessageBox(m_sMsgText, m_sCaption, plat::kMbOk);
      return;
    }
    const int capsule = m_nCapsule;
    if (!CheckInstalledVersion(Sel(m_config.m_saRegistry), Sel(m_config.m_saVersion), Sel(m_config.m_saFile)))
      return;
    if (install::StartInstall(m_config, capsule, m_sCaption, Macros(capsule)))
      m_view.SetTimer(kTimerMoreInfo, kTimerMoreInfoPeriod);
  } catch (const std::exception& e) {
    ReportException(e.what());
  }
}

bool CBonusDlg::CheckInstalledVersion(CString registry, CString version, CString file) {
  install::VersionCheckContext context;
  context.askMsg = Sel(m_config.m_saAskMsg);
  context.caption = m_config.m_sWelcomeCaption;
  context.expandMacros = Macros(m_nCapsule);
  context.messageBox = [this](const std::string& text, const std::string& caption, unsigned type) {
    return m_view.MessageBox(text, caption, type);
  };
  return install::CheckInstalledVersion(m_config, registry, version, file, context);
}

bool CBonusDlg::RunMoreInfo() {
  if (!HasSelection() || Sel(m_config.m_saMoreInfoTitle).empty()) return false;
  const bool followed = m_bMoreInfoArmed;
  if (followed) {
    m_bMoreInfoArmed = false;
    try {
      const install::Command target = install::ResolveMoreInfo(
          m_config, Sel(m_config.m_saPackages), plat::TrimLeft(Sel(m_config.m_saMoreInfoRun)),
          Macros(m_nCapsule), install::MoreInfoUse::kOpen);
      if (install::OpenMoreInfo(m_config, target)) m_bShowMoreInfo = false;
      m_view.DeleteMoreInfoItems();
      m_view.ShowMoreInfo(false);
    } catch (const std::exception&) {
      // The link's action is best effort: a failure here leaves the dialog as it was.
    }
  }
  m_view.SetDiskSpaceText(GetDiskSpaceText());
  return followed;
}

void CBonusDlg::OnTimer(unsigned id) {
  if (id == kTimerFirstRun) {
    m_view.KillTimer(kTimerFirstRun);
    install::StartAfterMainDialog(m_platform);
  }
  if (id == kTimerMoreInfo) RefreshMoreInfoLink();
}

CString CBonusDlg::ExpandMacros(const CString& text, int capsule) {
  return install::ExpandMacros(m_config, text, capsule,
                               install::FolderMacros(m_sWinDir, m_sSysDir, m_sRunDir, m_sSrcDir), m_sToken);
}

install::MacroExpander CBonusDlg::Macros(int capsule) {
  return [this, capsule](const std::string& text) { return ExpandMacros(text, capsule); };
}

}  // namespace browser
