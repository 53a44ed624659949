// Substitute for the product's closed utility library (VUtils.dll).
//
// The program asks this library whether it may run and which look to use,
// and loads its run-time libraries through it. This substitute lets every
// start go on and loads libraries from the program's own folder first.
#pragma once

#include <string>

#include "platform/Platform.h"

// The library's initialisation entry (its ordinal 1). Does nothing here.
void VUtilsInitialize();

// Whether the user may run the program. Non-zero lets start-up go on; 0 ends
// the program without a message. Always non-zero here; `reserved` is 0 for
// every caller.
int HasAdminRights(int reserved);

// Non-zero while an update of the product is being installed, which ends the
// program without a message. Always 0 here.
int IsUpdateInProgress();

// Name of the look the GUI library is to use (passed on to VGuiApplyTheme).
std::string GetCurrentTheme();

// Loads the library `fileName`: the file of that name in the running
// program's folder when one exists there, otherwise the one in the system
// folder, each by its full path; never a copy in the current folder or on
// PATH. Returns the module handle, or 0 when nothing could be loaded; the
// caller releases a handle with Platform::FreeLibrary.
plat::ModuleHandle LoadZBLibraryEx(plat::Platform& platform, const std::string& fileName);
