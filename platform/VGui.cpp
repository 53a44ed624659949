#include "platform/VGui.h"

void VGuiInitialize() {}

void VGuiApplyTheme(const std::string&, int, int) {}

int VMessageBox(plat::Platform& platform, plat::WindowHandle owner, const std::string& text,
                const std::string& caption, unsigned type, const char*, int, const char*) {
  return platform.MessageBox(owner, text, caption, type);
}
