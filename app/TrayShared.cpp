#include "app/TrayShared.h"

#include "app/VGui.h"
#include "config/MainDialogSearch.h"
#include "resources/StringTable.h"

namespace tray {

std::string TitleOrDefault(const std::string& title) { return title.empty() ? res::DefaultTitle() : title; }

bool AskForDisk(plat::Platform& platform, const std::string& caption) {
  return VMessageBox(platform, 0, res::InsertDiskPrompt(), caption, plat::kMbOkCancel | plat::kMbIconStop) ==
         plat::kIdOk;
}

plat::WindowHandle FindRunningMainDialog(plat::Platform& platform, const std::string& title) {
  return FindMainDialog(platform, title);
}

}  // namespace tray
