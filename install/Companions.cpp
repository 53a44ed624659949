#include "install/Companions.h"

#include "install/InstallText.h"
#include "install/Launcher.h"
#include "platform/Text.h"

namespace install {

std::array<std::string, 4> CompanionPaths(const std::string& capsuleFolder) {
  std::string name = CBonusConfig::GetLastPathPart(capsuleFolder);
  std::string code = plat::AsciiLower(name.substr(0, 3));
  return {capsuleFolder + "\\" + name + ".tmp", capsuleFolder + "\\uninst." + code,
          capsuleFolder + "\\_sys." + code, capsuleFolder + "\\_clear." + code};
}

std::array<std::string, 4> CompanionShortPaths(plat::Platform& platform, const std::string& capsuleFolder) {
  std::array<std::string, 4> shortPaths;
  std::array<std::string, 4> paths = CompanionPaths(capsuleFolder);
  for (std::size_t i = 0; i < paths.size(); ++i) shortPaths[i] = ShortPath(platform, paths[i]);
  return shortPaths;
}

void StartCompanions(CBonusConfig& config, const std::array<std::string, 4>& shortPaths) {
  for (const std::string& path : shortPaths)
    if (!path.empty() && config.FileExists(path, false, "")) config.Platform().CreateProcess(path);
}

}  // namespace install
