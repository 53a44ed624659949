// The install of one capsule, once the main dialog has found it selected and
// its installed version checked.
#pragma once

#include <string>

#include "config/BonusConfig.h"
#include "install/Launcher.h"
#include "platform/Platform.h"

namespace install {

// Installs `capsule`: its companions' short paths are taken first (a
// companion its installer writes later belongs to a later install); when the
// capsule's Disclaimer (leading white space removed) is not empty and its
// leading number is not 0, the confirmation "<Title> is about to be
// installed..." is asked (OK/Cancel, `caption`, the maker's box with no
// owner); then its Run value is resolved and started by its extension (a
// ".cfg" by the script library) and the companions are started. False when
// the confirmation was cancelled, which starts nothing; true otherwise, also
// when there was nothing to start.
bool StartInstall(CBonusConfig& config, int capsule, const std::string& caption,
                  const MacroExpander& expandMacros);

// Timer 200 of the main dialog, at its first firing: the Run2 programs start
// (once per process), and a second handle to their marker mutex is taken and
// never closed, so that the marker outlives the dialog for as long as the
// process runs.
void StartAfterMainDialog(plat::Platform& platform);

}  // namespace install
