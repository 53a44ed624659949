#include "app/DialogLook.h"

#include "config/BonusConfig.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"

namespace app {

DialogLook LoadDialogLook(plat::Platform& platform) {
  CBonusConfig config(platform);
  std::string configFile = config.LocateConfigFile(true);
  config.ParseConfigFile(configFile, 0);

  DialogLook look;
  look.caption = res::TitleOrDefault(config.m_sWelcomeCaption);

  std::string folder = CBonusConfig::GetFolderPart(configFile);
  std::string programIcon = folder + "\\" + config.m_sModuleBaseName + ".ico";
  std::string secondIcon = folder + "\\2.ico";
  for (const std::string* file : {&secondIcon, &programIcon}) {
    if (!config.FileExists(*file, false, "")) continue;
    if (plat::IconHandle icon = platform.ExtractIcon(*file, 0)) {
      look.icon = DialogIcon{icon, true};
      return look;
    }
  }
  look.icon = DialogIcon{platform.LoadProgramIcon(IDR_MAINFRAME), false};
  return look;
}

}  // namespace app
