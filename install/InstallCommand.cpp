#include "install/InstallCommand.h"

#include <array>

#include "config/FirstTimeRun.h"
#include "config/MutexNames.h"
#include "install/Companions.h"
#include "install/InstallText.h"
#include "install/ScriptLibrary.h"
#include "platform/Text.h"
#include "platform/VGui.h"

namespace install {

namespace {

// The mode of CFirstTimeRun::RunOnce that starts the Run2 programs.
constexpr int kRunAfterMainDialog = 2;

}  // namespace

bool StartInstall(CBonusConfig& config, int capsule, const std::string& caption,
                  const MacroExpander& expandMacros) {
  plat::Platform& platform = config.Platform();
  auto value = [capsule](const CStringArray& list) -> const std::string& {
    return CBonusConfig::At(list, capsule);
  };
  const std::string folder = value(config.m_saPackages);
  const std::array<std::string, 4> companions = CompanionShortPaths(platform, folder);

  const std::string disclaimer = plat::TrimLeft(value(config.m_saDisclaimer));
  if (!disclaimer.empty() && plat::ParseLeadingInt(disclaimer) != 0) {
    const std::string text = plat::TrimLeft(value(config.m_saTitle)) + kAboutToInstall;
    if (VMessageBox(platform, 0, text, caption, plat::kMbOkCancel) == plat::kIdCancel) return false;
  }

  const std::string run = value(config.m_saRun);
  const Command command = ResolveRunCommand(config, folder, run, expandMacros);
  LaunchByExtension(config, command.program, command.argument,
                    [&platform](const std::string& script) { RunScript(platform, script); });
  StartCompanions(config, companions);
  return true;
}

void StartAfterMainDialog(plat::Platform& platform) {
  CFirstTimeRun(platform).RunOnce(kRunAfterMainDialog);
  platform.CreateMutex(kRun2Mutex, false);
}

}  // namespace install
