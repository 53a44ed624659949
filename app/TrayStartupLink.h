// The StartUp shortcut through which the program comes back in tray-only
// mode at every logon. Its existence is the only record of whether the tray
// icon is enabled.
#pragma once

#include <string>

#include "config/BonusConfig.h"

namespace app {

// windowsDir + "\Start Menu\Programs\StartUp\VERaveviTrayIcon.lnk"; "" when
// windowsDir is empty or that path does not fit the 260-character buffer
// (nothing is then written or deleted).
std::string TrayStartupLinkPath(const std::string& windowsDir);

// Writes the shortcut `linkPath`, replacing one of that name: target and
// icon (index 0) the program file, working folder the program's folder,
// show command normal (1), arguments "0". Silent on failure; does nothing
// for an empty linkPath.
void WriteTrayStartupLink(CBonusConfig& store, const std::string& modulePath, const std::string& moduleDir,
                          const std::string& linkPath);

// Deletes the shortcut file; a missing file (or an empty path) is no error.
void DeleteTrayStartupLink(plat::Platform& platform, const std::string& linkPath);

}  // namespace app
