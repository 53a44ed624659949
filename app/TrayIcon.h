// CTrayIcon: the program's icon in the system tray. It tells the shell about
// the icon (the 88-byte NOTIFYICONDATA), and serves the icon's mouse
// notifications: the right button's release shows the tray menu at the
// cursor, the left double click raises the running main dialog or opens one
// through the menu's first command.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/TrayMenu.h"
#include "config/BonusConfig.h"
#include "platform/Platform.h"

namespace app {
// cbSize of the record: the shell's original 88-byte form.
inline constexpr std::uint32_t kNotifyIconDataSize = 88;
// The tooltip buffer holds 63 characters and the terminating zero.
inline constexpr std::size_t kMaxTipChars = 63;
}  // namespace app

class CTrayIcon {
 public:
  // Clears m_nid, sets cbSize 88 and uID = id, and loads the tooltip from the
  // string with that id (empty when the table has none). Then reads the
  // program folder's configuration (when that file exists) for m_sTitle.
  CTrayIcon(plat::Platform& platform, app::MenuSource& menus, unsigned id);
  // Removes the icon from the tray (SetIcon with no icon).
  virtual ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // The window (0 for none) and message that receive the icon's notifications.
  void SetNotificationWnd(plat::WindowHandle window, unsigned message);

  // With a non-zero id: the tooltip becomes string `resourceId` (at most 63
  // characters) and the icon the program's icon resource of that id; then
  // SetIcon(icon, nothing). With 0 (or an icon resource that cannot be
  // loaded) the icon is removed.
  bool SetIcon(unsigned resourceId);

  // Adds the icon (NIM_ADD) when none is in the tray, changes it (NIM_MODIFY)
  // when one is, or with a null icon removes it (NIM_DELETE). A given tooltip
  // replaces the current one, cut to 63 characters. Returns the shell's
  // success flag; true when there was nothing to remove. After a removal or
  // a failed call the icon counts as absent (m_nid.hIcon is 0).
  bool SetIcon(plat::IconHandle icon, const std::optional<std::string>& tooltip);

  // Returns 1 when it acted on the notification, 0 otherwise. Acts only for
  // this icon's id and the right button's release or the left double click,
  // and only when the menu resource of the icon's id has a first submenu.
  // The double click prompts for the disk until the data folder's
  // configuration is found (Cancel returns 0).
  virtual std::intptr_t OnTrayNotification(std::uintptr_t id, std::intptr_t mouseMessage);

  plat::NotifyIconData m_nid;
  CString m_sConfigFile;
  CString m_sTitle;

 private:
  void SetTip(const std::string& text);
  bool LocateDataConfigWithPrompt();

  plat::Platform& m_platform;
  app::MenuSource& m_menus;
};
