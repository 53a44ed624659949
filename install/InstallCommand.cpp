// The main dialog's install command.
#include <array>
#include <exception>
#include <string>

#include "app/VGui.h"
#include "browser/BonusDlg.h"
#include "browser/TextUtil.h"
#include "install/Companions.h"
#include "install/InstallText.h"
#include "install/Launcher.h"
#include "resources/StringTable.h"

namespace bonus {

void CBonusDlg::OnInstall() {
  if (m_view.GetFocusId() == kIdMoreInfo) {
    RunMoreInfo();
    return;
  }
  m_bMessageShown = false;
  try {
    for (;;) {
      m_sConfigFile = m_config.LocateConfigFile(false);
      m_config.ParseConfigFile(m_sConfigFile, 0);
      if (m_config.FileExists(m_sConfigFile, false, CString())) break;
      m_sDiskPrompt = res::InsertDiskPrompt();
      m_sConfigFile = m_config.LocateConfigFile(true);
      m_config.ParseConfigFile(m_sConfigFile, 0);
      m_sCaption = m_config.m_sWelcomeCaption;
      if (VMessageBox(m_platform, 0, m_sDiskPrompt, m_sCaption, plat::kMbOkCancel | plat::kMbIconStop) ==
          plat::kIdCancel)
        return;
    }
    // The caption follows the configuration just read, also when the disk was
    // there at once.
    m_sCaption = m_config.m_sWelcomeCaption;

    if (!HasSelection()) {
      m_sMsgText = res::Str(res::IDS_NOTHING_SELECTED);
      m_view.MessageBox(m_sMsgText, m_sCaption, plat::kMbOk);
      return;
    }
    const int capsule = m_nCapsule;
    if (!CheckInstalledVersion(Sel(m_config.m_saRegistry), Sel(m_config.m_saVersion), Sel(m_config.m_saFile)))
      return;

    const CString folder = Sel(m_config.m_saPackages);
    // Taken before anything starts: a companion the installer writes later
    // belongs to a later install.
    const std::array<std::string, 4> companions = inst::CompanionShortPaths(m_platform, folder);

    const CString disclaimer = TrimLeft(Sel(m_config.m_saDisclaimer));
    if (!disclaimer.empty() && ParseLeadingInt(disclaimer) != 0) {
      m_sMsgText = TrimLeft(Sel(m_config.m_saTitle)) + inst::kAboutToInstall;
      if (VMessageBox(m_platform, 0, m_sMsgText, m_sCaption, plat::kMbOkCancel) == plat::kIdCancel) return;
    }

    const CString run = Sel(m_config.m_saRun);
    const inst::Command command = inst::ResolveRunCommand(
        m_config, folder, run,
        [this, capsule](const std::string& text) { return ExpandMacros(text, capsule); });
    inst::LaunchByExtension(m_config, command.program, command.argument,
                            [this](const std::string& script) { RunScript(script); });
    inst::StartCompanions(m_config, companions);
    m_view.SetTimer(kTimerMoreInfo, kTimerMoreInfoPeriod);
  } catch (const std::exception& e) {
    ReportException(e.what());
  }
}

}  // namespace bonus
