#include "app/BonusApp.h"

#include "app/CmdLineInfo.h"
#include "config/BonusConfig.h"
#include "config/DiskPrompt.h"
#include "config/FirstTimeRun.h"
#include "config/MainDialogSearch.h"
#include "config/MutexNames.h"
#include "platform/Text.h"
#include "platform/VGui.h"
#include "platform/VUtils.h"
#include "resources/StringTable.h"

std::string NotInstalledMessage() {
  return std::string("You have to install  \"") + res::kProductName + "\"  first.";
}

CBonusApp::CBonusApp(plat::Platform& platform, IAppWindows& windows)
    : m_platform(&platform), m_windows(&windows) {}

bool CBonusApp::InitInstance() {
  plat::Platform& platform = *m_platform;

  if (HasAdminRights(0) == 0) return false;
  VUtilsInitialize();
  VGuiInitialize();
  VGuiApplyTheme(GetCurrentTheme(), 1, 1);
  if (IsUpdateInProgress() != 0) return false;

  CMyCmdLineInfo cmdInfo;
  ParseCommandLine(platform, cmdInfo);
  const std::string param = plat::Trim(cmdInfo.m_sParam);

  if (!CheckProductInstalled()) return false;

  CBonusConfig config(platform);
  m_sConfigFile = config.LocateConfigFile(true);
  config.ParseConfigFile(m_sConfigFile, 0);
  const std::string programDir = config.m_sModuleDir;
  auto markerExists = [&](const char* name) {
    return config.FileExists(programDir + "\\" + name, false, "");
  };

  // The marker handles below are never closed: the names must live as long
  // as this process.
  if (param == "0" || markerExists("0.RTF")) {
    platform.CreateMutex(kRun1Mutex, false);
    platform.CreateMutex(kRun2Mutex, false);
    if (platform.CreateMutex(kTrayMutex, false).alreadyExisted) return false;
    return m_windows->CreateTrayFrame();
  }

  CFirstTimeRun(platform).RunOnce(1);

  if (param == "1" || markerExists("1.RTF")) {
    if (!platform.CreateMutex(kTrayMutex, false).alreadyExisted && !m_windows->CreateTrayFrame())
      return false;
    OpenMainDialogUntilDone();
    return true;
  }

  if (param.empty()) OpenMainDialogUntilDone();
  return true;
}

bool CBonusApp::CheckProductInstalled() {
  plat::Platform& platform = *m_platform;
  CBonusConfig config(platform);
  m_sConfigFile = config.LocateConfigFile(false);
  if (!config.FileExists(m_sConfigFile, false, "")) m_sConfigFile = config.LocateConfigFile(true);
  config.ParseConfigFile(m_sConfigFile, 0);
  m_sWindowTitle = config.m_sWelcomeCaption;

  if (plat::Trim(config.m_sInstallFlag) != "1") return true;
  if (platform.RegQueryValue(plat::RegRoot::LocalMachine, kProductKey, kInstallDirValue)) return true;
  platform.MessageBox(0, NotInstalledMessage(), m_sWindowTitle, plat::kMbOk);
  return false;
}

bool CBonusApp::OpenMainDialog() {
  plat::Platform& platform = *m_platform;
  if (!CheckProductInstalled()) return true;

  // Kept open: other programs of the product look for this name while the
  // main dialog is being opened.
  platform.CreateMutex(kStopAutoRunMutex, true);

  // Looking again starts over from the top (the product check included), so
  // this search asks at most once and leaves the decision to the caller.
  bool lookAgain = false;
  const ConfigSearchResult search = LocateConfigOrPrompt(
      platform, nullptr, ConfigSearch{}, [&](CBonusConfig& store, const std::string& caption) {
        if (const plat::WindowHandle open = FindMainDialog(platform, caption)) {
          platform.SetForegroundWindow(open);
        } else if (store.m_sInscdMsg.empty() || store.m_sInscdURL.empty()) {
          lookAgain = AskForDisk(platform, caption);
        } else {
          lookAgain = !RunOrderDialog(platform, *m_windows);
        }
        return false;
      });
  m_sConfigFile = search.file;
  m_sWindowTitle = search.caption;
  if (!search.found) return !lookAgain;

  if (const plat::WindowHandle open = FindMainDialog(platform, m_sWindowTitle)) {
    platform.SetForegroundWindow(open);
  } else {
    RunMainDialog(platform, *m_windows);
  }
  return true;
}

void CBonusApp::OpenMainDialogUntilDone() {
  while (!OpenMainDialog()) {
  }
}
