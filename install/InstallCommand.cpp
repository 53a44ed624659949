// The main dialog's install command.
#include <array>
#include <exception>
#include <string>

#include "platform/VGui.h"
#include "browser/BonusDlg.h"
#include "platform/Text.h"
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

    const CString folder = Sel(m_config.m_saPackages);
    // Taken before anything starts: a companion the installer writes later
    // belongs to a later install.
    const std::array<std::string, 4> companions = inst::CompanionShortPaths(m_platform, folder);

    const CString disclaimer = plat::TrimLeft(Sel(m_config.m_saDisclaimer));
    if (!disclaimer.empty() && plat::ParseLeadingInt(disclaimer) != 0) {
      m_sMsgText = plat::TrimLeft(Sel(m_config.m_saTitle)) + inst::kAboutToInstall;
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
