#include "app/TrayShared.h"

#include "resources/StringTable.h"

namespace tray {

std::string TitleOrDefault(const std::string& title) {
  return title.empty() ? res::DefaultTitle() : title;
}

bool AskForDisk(plat::Platform& platform, const std::string& caption) {
  return platform.MessageBox(0, res::InsertDiskPrompt(), caption, plat::kMbOkCancel | plat::kMbIconStop) ==
         plat::kIdOk;
}

plat::WindowHandle FindRunningMainDialog(plat::Platform& platform, const std::string& title) {
  return platform.FindWindowByCaption(title);
}

}  // namespace tray
