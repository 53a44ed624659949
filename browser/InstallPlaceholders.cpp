// Stand-ins for the install engine's members of CBonusDlg until the engine
// itself is linked in: they start nothing and ask nothing.
#include "browser/BonusDlg.h"

namespace bonus {

void CBonusDlg::OnInstall() {}

void CBonusDlg::OnTimer(unsigned id) {
  if (id == kTimerFirstRun) m_view.KillTimer(kTimerFirstRun);
  if (id == kTimerMoreInfo) RefreshMoreInfoLink();
}

void CBonusDlg::RunMoreInfo() {}

void CBonusDlg::RunScript(const CString&) {}

bool CBonusDlg::CheckInstalledVersion(CString, CString, CString) { return true; }

bool CBonusDlg::AskReinstall() { return true; }

}  // namespace bonus
