// Caption and icon of the About and Disable Tray Icon dialogs, both taken
// from the configuration in the program folder.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace app {

struct DialogIcon {
  plat::IconHandle handle = 0;
  // True for an icon extracted from a file, which the dialog destroys when it
  // closes; false for the program's icon resource (shared, never destroyed).
  bool extracted = false;
};

struct DialogLook {
  std::string caption;
  DialogIcon icon;
};

// Reads the program folder's configuration into a fresh store. The caption
// is its WindowTitle value, or the default title when that is empty. The
// icon is the first icon of "2.ico" beside that configuration, else of the
// program-named ".ico" (e.g. VERavevi.ico) there, else icon resource 126;
// a file that yields no icon counts as missing.
DialogLook LoadDialogLook(plat::Platform& platform);

}  // namespace app
