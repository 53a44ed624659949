#include "app/TrayIcon.h"

#include <cstring>

#include "config/DiskPrompt.h"
#include "config/MainDialogSearch.h"
#include "resources/StringTable.h"

CTrayIcon::CTrayIcon(plat::Platform& platform, app::MenuSource& menus, unsigned id)
    : m_platform(platform), m_menus(menus) {
  m_nid = plat::NotifyIconData{};
  m_nid.cbSize = app::kNotifyIconDataSize;
  m_nid.uID = id;
  SetTip(res::Str(static_cast<int>(id)));

  CBonusConfig config(platform);
  m_sConfigFile = config.LocateConfigFile(true);
  if (config.FileExists(m_sConfigFile, false, "")) config.ParseConfigFile(m_sConfigFile, 0);
  m_sTitle = config.m_sWelcomeCaption;
}

CTrayIcon::~CTrayIcon() { SetIcon(0, std::nullopt); }

void CTrayIcon::SetNotificationWnd(plat::WindowHandle window, unsigned message) {
  m_nid.hWnd = window;
  m_nid.uCallbackMessage = message;
}

void CTrayIcon::SetTip(const std::string& text) {
  std::size_t n = text.size() < app::kMaxTipChars ? text.size() : app::kMaxTipChars;
  std::memcpy(m_nid.szTip, text.data(), n);
  m_nid.szTip[n] = '\0';
}

bool CTrayIcon::SetIcon(unsigned resourceId) {
  plat::IconHandle icon = 0;
  if (resourceId != 0) {
    SetTip(res::Str(static_cast<int>(resourceId)));
    icon = m_platform.LoadProgramIcon(static_cast<int>(resourceId));
  }
  return SetIcon(icon, std::nullopt);
}

bool CTrayIcon::SetIcon(plat::IconHandle icon, const std::optional<std::string>& tooltip) {
  std::uint32_t command;
  m_nid.uFlags = 0;
  if (icon != 0) {
    command = m_nid.hIcon != 0 ? plat::kNimModify : plat::kNimAdd;
    m_nid.hIcon = icon;
    m_nid.uFlags |= plat::kNifIcon;
  } else {
    if (m_nid.hIcon == 0) return true;
    command = plat::kNimDelete;
  }
  if (tooltip) SetTip(*tooltip);
  if (m_nid.szTip[0] != '\0') m_nid.uFlags |= plat::kNifTip;
  if (m_nid.uCallbackMessage != 0 && m_nid.hWnd != 0) m_nid.uFlags |= plat::kNifMessage;

  bool ok = m_platform.ShellNotifyIcon(command, m_nid);
  if (command == plat::kNimDelete || !ok) m_nid.hIcon = 0;
  return ok;
}

bool CTrayIcon::LocateDataConfigWithPrompt() {
  ConfigSearch rules;
  rules.readWhenFound = false;
  const ConfigSearchResult search = LocateConfigOrPrompt(m_platform, nullptr, rules);
  m_sConfigFile = search.file;
  return search.found;
}

std::intptr_t CTrayIcon::OnTrayNotification(std::uintptr_t id, std::intptr_t mouseMessage) {
  if (id != m_nid.uID) return 0;
  if (mouseMessage != plat::kWmRButtonUp && mouseMessage != plat::kWmLButtonDblClk) return 0;

  std::unique_ptr<app::PopupMenu> menu = m_menus.LoadFirstSubmenu(m_nid.uID);
  if (!menu) return 0;

  if (mouseMessage == plat::kWmRButtonUp) {
    menu->SetDefaultItem(0);
    app::ScreenPoint at = m_menus.CursorPosition();
    m_platform.SetForegroundWindow(m_nid.hWnd);
    menu->Track(at, m_nid.hWnd);
    m_platform.PostMessage(m_nid.hWnd, plat::kWmNull, 0, 0);
    return 1;
  }

  if (!LocateDataConfigWithPrompt()) return 0;
  if (plat::WindowHandle dialog = FindMainDialog(m_platform, m_sTitle)) {
    m_platform.SendMessage(dialog, plat::kWmActivate, 0, 0);
    m_platform.SetForegroundWindow(dialog);
  } else {
    m_platform.SendMessage(m_nid.hWnd, plat::kWmCommand, menu->ItemCommand(0), 0);
  }
  return 1;
}
