#include "app/TrayStartupLink.h"

namespace app {

namespace {
constexpr const char* kLinkSuffix = "\\Start Menu\\Programs\\StartUp\\VERaveviTrayIcon.lnk";
constexpr int kShowNormal = 1;
constexpr const char* kTrayOnlyArgument = "0";
}  // namespace

std::string TrayStartupLinkPath(const std::string& windowsDir) {
  // Without the Windows folder the path would name a folder of the current drive.
  std::string path = windowsDir + kLinkSuffix;
  return !windowsDir.empty() && plat::FitsMaxPath(path) ? path : std::string();
}

void WriteTrayStartupLink(CBonusConfig& store, const std::string& modulePath, const std::string& moduleDir,
                          const std::string& linkPath) {
  if (linkPath.empty()) return;
  store.CreateShellLink(modulePath, linkPath, moduleDir, modulePath, 0, kShowNormal, kTrayOnlyArgument);
}

void DeleteTrayStartupLink(plat::Platform& platform, const std::string& linkPath) {
  if (linkPath.empty()) return;
  platform.DeleteFile(linkPath);
}

}  // namespace app
