#include "app/DisableTrayIconLogic.h"

#include "app/TrayStartupLink.h"

DisableTrayIconLogic::DisableTrayIconLogic(plat::Platform& platform) : m_platform(platform) {}

void DisableTrayIconLogic::PrepareModal() {
  CBonusConfig config(m_platform);
  m_sConfigFile = config.LocateConfigFile(false);
  m_sWindowsDir = config.m_sWindowsDir;
  m_sModuleDir = config.m_sModuleDir;
  m_sModulePath = config.m_sModulePath;
  m_bShowNextTime = m_sConfigFile.find(m_sModuleDir) == std::string::npos ? 1 : 0;
  m_szLinkPath = app::TrayStartupLinkPath(m_sWindowsDir);
}

void DisableTrayIconLogic::OnShowNextTimeClicked() { m_bShowNextTime = 1 - m_bShowNextTime; }

void DisableTrayIconLogic::OnYes(bool showNextTimeChecked) { m_bShowNextTime = showNextTimeChecked ? 1 : 0; }

void DisableTrayIconLogic::OnNo() { ApplyStartupLink(); }

void DisableTrayIconLogic::OnDestroy() { ApplyStartupLink(); }

void DisableTrayIconLogic::ApplyStartupLink() {
  if (m_bShowNextTime != 0) {
    CBonusConfig store(m_platform);
    app::WriteTrayStartupLink(store, m_sModulePath, m_sModuleDir, m_szLinkPath);
  } else {
    app::DeleteTrayStartupLink(m_platform, m_szLinkPath);
  }
}
