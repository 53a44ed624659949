#include "app/MainFrame.h"

#include <cstdio>
#include <cstring>

#include "app/TrayStartupLink.h"
#include "config/DiskPrompt.h"
#include "config/MainDialogSearch.h"
#include "config/MutexNames.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"

namespace app {

const char* MouseMessageName(std::intptr_t mouseMessage) {
  static const char* const kNames[] = {
      "WM_MOUSEMOVE", "WM_LBUTTONDOWN",   "WM_LBUTTONUP",   "WM_LBUTTONDBLCLK", "WM_RBUTTONDOWN",
      "WM_RBUTTONUP", "WM_RBUTTONDBLCLK", "WM_MBUTTONDOWN", "WM_MBUTTONUP",     "WM_MBUTTONDBLCLK",
  };
  constexpr std::intptr_t kFirst = 0x200;
  if (mouseMessage < kFirst || mouseMessage >= kFirst + 10) return "(Unknown)";
  return kNames[mouseMessage - kFirst];
}

std::string NotificationLogLine(std::uintptr_t id, std::intptr_t mouseMessage) {
  char line[128];
  std::snprintf(line, sizeof line, "Tray notification: ID=%d, lEvent=0x%04x %s\r\n", static_cast<int>(id),
                static_cast<unsigned>(mouseMessage), MouseMessageName(mouseMessage));
  return line;
}

}  // namespace app

CMainFrame::CMainFrame(plat::Platform& platform, app::MenuSource& menus, IAppWindows& windows)
    : m_trayIcon(platform, menus, IDR_TRAYICON),
      m_config(platform),
      m_platform(platform),
      m_windows(windows) {
  platform.CreateMutex(kTrayMutex, false);

  m_config.LocateConfigFile(true);
  m_sWindowsDir = m_config.m_sWindowsDir;
  m_sModulePath = m_config.m_sModulePath;
  m_sModuleDir = m_config.m_sModuleDir;

  std::string link = app::TrayStartupLinkPath(m_sWindowsDir);
  std::memcpy(m_szLinkPath, link.c_str(), link.size() + 1);
  app::WriteTrayStartupLink(m_config, m_sModulePath, m_sModuleDir, m_szLinkPath);

  m_bShowTrayNotifications = true;
  m_bShutdown = false;
}

plat::WindowHandle CMainFrame::Window() const { return m_view ? m_view->Handle() : 0; }

int CMainFrame::OnCreate(app::MainFrameView& view) {
  m_view = &view;
  m_trayIcon.SetNotificationWnd(view.Handle(), plat::kWmUser);
  m_iWhichIcon = 1;

  m_sConfigFile = m_config.LocateConfigFile(true);
  if (m_config.FileExists(m_sConfigFile, false, "")) m_config.ParseConfigFile(m_sConfigFile, 0);
  m_sTitle = m_config.m_sWelcomeCaption;

  std::string iconFile =
      CBonusConfig::GetFolderPart(m_config.m_sConfigPath) + "\\" + m_config.m_sModuleBaseName + ".ico";
  m_hIcon = 0;
  if (m_config.FileExists(iconFile, false, "")) m_hIcon = m_platform.ExtractIcon(iconFile, 0);
  // A file that holds no icon falls back as a missing one does, so that the
  // tray always gets an icon.
  if (m_hIcon == 0) m_hIcon = m_platform.LoadProgramIcon(IDR_MAINFRAME);

  m_trayIcon.SetIcon(m_hIcon, res::TitleOrDefault(m_sTitle));
  view.SetLargeIcon(m_hIcon);
  return 0;
}

CMainFrame::CloseAction CMainFrame::OnClose() const {
  return m_bShutdown ? CloseAction::Destroy : CloseAction::Hide;
}

std::intptr_t CMainFrame::OnTrayNotification(std::uintptr_t id, std::intptr_t mouseMessage) {
  if (m_bShowTrayNotifications && m_view) m_view->InsertLogText(app::NotificationLogLine(id, mouseMessage));
  return m_trayIcon.OnTrayNotification(id, mouseMessage);
}

bool CMainFrame::OnCommand(unsigned id) {
  switch (id) {
    case ID_TOGGLE_ICON:
      OnToggleIcon();
      return true;
    case ID_VIEW_CLEAR:
      OnViewClear();
      return true;
    case ID_VIEW_NOTIFICATIONS:
      OnViewNotifications();
      return true;
    case ID_TRAY_OPEN:
      OnTrayOpen();
      return true;
    case ID_APP_QUIT:
      OnAppQuit();
      return true;
    case ID_DISABLE_TRAY_ICON:
      OnDisableTrayIcon();
      return true;
    case ID_APP_ABOUT:
      m_windows.ShowAboutBox();
      return true;
    default:
      return false;
  }
}

app::CommandUi CMainFrame::QueryCommandUi(unsigned id) {
  app::CommandUi ui;
  switch (id) {
    case ID_VIEW_CLEAR:
      ui.handled = true;
      ui.enabled = m_view != nullptr && (m_view->LogLineCount() > 1 || m_view->LogCaretLineLength() > 0);
      break;
    case ID_VIEW_NOTIFICATIONS:
      ui.handled = true;
      ui.checked = m_bShowTrayNotifications;
      break;
    case ID_TOGGLE_ICON:
    case ID_TRAY_OPEN:
    case ID_APP_QUIT:
    case ID_DISABLE_TRAY_ICON:
    case ID_APP_ABOUT:
      ui.handled = true;
      break;
    default:
      ui.enabled = false;
      break;
  }
  return ui;
}

void CMainFrame::OnToggleIcon() {
  m_iWhichIcon = !m_iWhichIcon;
  m_trayIcon.SetIcon(m_iWhichIcon ? IDI_SPARE_1 : IDI_SPARE_2);
}

void CMainFrame::OnViewClear() {
  if (m_view) m_view->ClearLog();
}

void CMainFrame::OnViewNotifications() { m_bShowTrayNotifications = !m_bShowTrayNotifications; }

void CMainFrame::OnTrayOpen() {
  if (!LocateConfigWithPrompt(false)) return;
  if (plat::WindowHandle dialog = FindMainDialog(m_platform, m_sTitle))
    m_platform.SetForegroundWindow(dialog);
  else
    RunMainDialog(m_platform, m_windows);
}

void CMainFrame::OnAppQuit() {
  m_bShutdown = true;
  if (plat::WindowHandle window = Window()) m_platform.SendMessage(window, plat::kWmClose, 0, 0);
}

void CMainFrame::OnDisableTrayIcon() {
  if (m_windows.ShowDisableTrayIconDialog() == plat::kIdOk) OnAppQuit();
}

bool CMainFrame::LocateConfigWithPrompt(bool preferProgramFolder) {
  ConfigSearch rules;
  rules.preferProgramFolder = preferProgramFolder;
  rules.reportMissing = preferProgramFolder;
  rules.readFallbackForCaption = false;
  const ConfigSearchResult search = LocateConfigOrPrompt(m_platform, &m_config, rules);
  m_sConfigFile = search.file;
  m_sTitle = search.caption;
  return search.found;
}
