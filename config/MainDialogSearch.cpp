#include "config/MainDialogSearch.h"

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace

plat::WindowHandle FindMainDialog(plat::Platform& platform, const std::string& caption) {
  if (!caption.empty()) return platform.FindWindowByCaption(caption);

  const std::string program = platform.ModulePath();
  if (program.empty()) return 0;
  for (const plat::WindowInfo& window : platform.TopLevelWindows()) {
    if (window.caption.empty() && window.className == "#32770" &&
        EqualNoCase(window.processImagePath, program))
      return window.handle;
  }
  return 0;
}
