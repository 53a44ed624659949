// Finding the running main dialog of this program, in this or another
// process, by its caption. The main dialog's caption is the configuration's
// WindowTitle value, which may be empty.
#pragma once

#include <string>

#include "platform/Platform.h"

// The running main dialog with the caption `caption`, or 0 when there is none.
//
// A non-empty caption finds any top-level window whose caption is exactly
// `caption`, whatever its class or process (FindWindowA with no class).
//
// An empty caption finds only a dialog window (class "#32770") with an empty
// caption whose process runs this program's own file (the window's process
// image path equals Platform::ModulePath(), compared without regard to
// case). Untitled top-level windows of other programs, which every desktop
// has, are not taken for the main dialog.
plat::WindowHandle FindMainDialog(plat::Platform& platform, const std::string& caption);
