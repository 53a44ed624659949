#include "platform/VUtils.h"

void VUtilsInitialize() {}

int HasAdminRights(int) { return 1; }

int IsUpdateInProgress() { return 0; }

std::string GetCurrentTheme() { return "Standard"; }

plat::ModuleHandle LoadZBLibraryEx(plat::Platform& platform, const std::string& fileName) {
  const std::string modulePath = platform.ModulePath();
  const auto slash = modulePath.find_last_of('\\');
  if (slash != std::string::npos && !fileName.empty()) {
    const std::string beside = modulePath.substr(0, slash) + "\\" + fileName;
    const auto attributes = platform.GetFileAttributes(beside);
    if (attributes && !attributes->directory) return platform.LoadLibrary(beside);
  }
  const std::string system = platform.SystemDirectory();
  if (system.empty() || fileName.empty()) return 0;
  return platform.LoadLibrary(system + "\\" + fileName);
}
