// Small rules shared by the tray icon, the hidden frame and the secondary
// dialogs.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tray {

// `title`, or the default title "Velmora Bonus Software Installer" when it
// is empty.
std::string TitleOrDefault(const std::string& title);

// Shows the insert-disk prompt (no owner, the given caption, OK/Cancel with
// the stop icon). True when the user chose OK (look again); any other answer,
// a failed box included, gives up.
bool AskForDisk(plat::Platform& platform, const std::string& caption);

// The running main dialog, found by its caption `title` (an empty title
// finds a main dialog with an empty caption); 0 when none is open.
plat::WindowHandle FindRunningMainDialog(plat::Platform& platform, const std::string& title);

}  // namespace tray
