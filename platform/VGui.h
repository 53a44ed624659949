// Substitute for the product's closed GUI library (VGui.dll): its
// initialisation and theme entries, and its message box. The dialog base
// class of the library is CVDialog (app/win32).
#pragma once

#include <string>

#include "platform/Platform.h"

// The library's initialisation entry (its ordinal 1). Does nothing here.
void VGuiInitialize();

// The library's theme entry (its ordinal 3), called with the theme name of
// GetCurrentTheme and the values 1 and 1. Does nothing here: the substitute
// draws with the system's own look.
void VGuiApplyTheme(const std::string& theme, int reserved1, int reserved2);

// Shows a message box with the standard box `type` flags (0x11: OK and
// Cancel with the stop icon) and returns the id of the pressed button (1 OK,
// 2 Cancel, 6 Yes, 7 No). The three trailing values are always "", 0 and ""
// and change nothing. The box is the system's own MessageBoxA.
int VMessageBox(plat::Platform& platform, plat::WindowHandle owner, const std::string& text,
                const std::string& caption, unsigned type, const char* extraText = "", int extraValue = 0,
                const char* extraText2 = "");
