// The MoreInfo action of the main dialog and its script library call.
#include <exception>
#include <string>

#include "platform/VUtils.h"
#include "browser/BonusDlg.h"
#include "platform/Text.h"
#include "install/Launcher.h"
#include "install/ScriptLibrary.h"

namespace bonus {

bool CBonusDlg::RunMoreInfo() {
  if (!HasSelection() || Sel(m_config.m_saMoreInfoTitle).empty()) return false;
  const bool followed = m_bMoreInfoArmed;
  if (followed) {
    m_bMoreInfoArmed = false;
    try {
      const int capsule = m_nCapsule;
      const CString run = plat::TrimLeft(Sel(m_config.m_saMoreInfoRun));
      const CString folder = Sel(m_config.m_saPackages);
      const inst::Command target = inst::ResolveMoreInfoCommand(
          m_config, folder, run,
          [this, capsule](const std::string& text) { return ExpandMacros(text, capsule); });
      if (m_config.FileExists(target.program, false, CString())) {
        m_platform.SetCurrentDirectory(CBonusConfig::GetFolderPart(target.program));
        m_platform.ShellExecute(0, "open", target.program, target.argument, "", inst::kShowNormal);
        m_bShowMoreInfo = false;
      }
      m_view.DeleteMoreInfoItems();
      m_view.ShowMoreInfo(false);
    } catch (const std::exception&) {
      // The link's action is best effort: a failure here leaves the dialog as it was.
    }
  }
  m_view.SetDiskSpaceText(GetDiskSpaceText());
  return followed;
}

void CBonusDlg::RunScript(const CString& scriptPath) {
  inst::RunScript(
      m_platform, [this](const std::string& name) { return LoadZBLibraryEx(m_platform, name); }, scriptPath);
}

}  // namespace bonus
