#include "config/MainDialogSearch.h"

#include "platform/Text.h"

plat::WindowHandle FindMainDialog(plat::Platform& platform, const std::string& caption) {
  if (!caption.empty()) return platform.FindWindowByCaption(caption);

  const std::string program = platform.ModulePath();
  if (program.empty()) return 0;
  for (const plat::WindowInfo& window : platform.TopLevelWindows()) {
    if (window.caption.empty() && window.className == "#32770" &&
        plat::EqualsNoCase(window.processImagePath, program))
      return window.handle;
  }
  return 0;
}
