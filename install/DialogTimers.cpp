// The main dialog's timers: the first-run timer and the MoreInfo poll.
#include "browser/BonusDlg.h"
#include "config/FirstTimeRun.h"
#include "config/MutexNames.h"

namespace bonus {

namespace {

constexpr int kRunAfterMainDialog = 2;

}  // namespace

void CBonusDlg::OnTimer(unsigned id) {
  if (id == kTimerFirstRun) {
    m_view.KillTimer(kTimerFirstRun);
    CFirstTimeRun(m_platform).RunOnce(kRunAfterMainDialog);
    // A second handle to the marker, never closed: the marker must outlive
    // this dialog for as long as the process runs.
    m_platform.CreateMutex(kRun2Mutex, false);
  }
  if (id == kTimerMoreInfo) RefreshMoreInfoLink();
}

}  // namespace bonus
