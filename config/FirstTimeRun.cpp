#include "config/FirstTimeRun.h"

#include <cstdlib>

#include "config/BonusConfig.h"
#include "config/MainDialogSearch.h"
#include "config/MutexNames.h"
#include "platform/Text.h"

int FirstTimeRunPauseSeconds(const std::string& text) {
  const double seconds = std::atof(plat::TrimLeft(text).c_str());
  // Compared as double first: a negative, NaN or huge value must not reach
  // the conversion to int.
  if (!(seconds >= 1.0)) return 0;
  if (seconds >= CFirstTimeRun::kMaxPauseSeconds) return CFirstTimeRun::kMaxPauseSeconds;
  return static_cast<int>(seconds);
}

CFirstTimeRun::CFirstTimeRun(plat::Platform& platform) : m_platform(&platform) {}

void CFirstTimeRun::RunOnce(int mode) {
  if (mode != 1 && mode != 2) return;
  plat::Platform& platform = *m_platform;

  // The marker handle stays open for the life of the process on purpose.
  if (platform.CreateMutex(mode == 1 ? kRun1Mutex : kRun2Mutex, false).alreadyExisted) return;

  CBonusConfig config(platform);
  m_sCommand = config.LocateConfigFile(false);
  config.ParseConfigFile(m_sCommand, 0);

  m_sFolder = config.m_sDataDir;
  m_sBaseName = config.m_sModuleBaseName;
  m_sWindowTitle = config.m_sWelcomeCaption;
  const bool dialogOpen = FindMainDialog(platform, m_sWindowTitle) != 0;
  m_sRun1 = config.m_sSplash1;
  m_sRun2 = config.m_sSplash2;

  if (mode == 1 && !dialogOpen && !m_sRun1.empty()) {
    m_sCommand = m_sRun1;
  } else if (mode == 2 && dialogOpen && !m_sRun2.empty()) {
    m_sCommand = m_sRun2;
  } else {
    return;
  }

  m_sCommand = plat::TrimLeft(m_sCommand);
  const auto comma = m_sCommand.find(',');
  m_sRun1 = plat::TrimRight(m_sFolder + "\\" + m_sCommand.substr(0, comma));

  std::string shortPath = platform.ShortPathName(m_sRun1);
  if (!plat::FitsMaxPath(shortPath)) shortPath.clear();

  m_nDelay = FirstTimeRunPauseSeconds(comma == std::string::npos ? m_sCommand : m_sCommand.substr(comma + 1));

  if (!config.FileExists(shortPath, false, "")) return;
  platform.CreateProcess(shortPath);
  if (mode == 1 && m_nDelay > 0) platform.Sleep(static_cast<std::uint32_t>(m_nDelay) * 1000u);
}
