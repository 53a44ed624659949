// CMainFrame: the hidden frame of the two tray modes. It is never shown; it
// owns the tray icon, receives the icon's notifications (and logs them into
// its edit), opens the main dialog on request, serves the tray menu's
// commands and writes the StartUp shortcut at every tray start. The process
// lives as long as its window.
//
// This is the frame's portable logic; the Win32 window (app/win32) creates
// the status bar and log edit, forwards messages and commands here and does
// what the frame decides through MainFrameView. The windows the frame opens
// go through IAppWindows.
#pragma once

#include <cstdint>
#include <string>

#include "app/AppWindows.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "config/BonusConfig.h"
#include "platform/Platform.h"

namespace app {

// The frame window as its logic needs it.
class MainFrameView {
 public:
  virtual ~MainFrameView() = default;
  virtual plat::WindowHandle Handle() = 0;
  // Clears the log's selection, inserts `text` at the caret and scrolls the
  // caret into view.
  virtual void InsertLogText(const std::string& text) = 0;
  virtual void ClearLog() = 0;
  // EM_GETLINECOUNT of the log.
  virtual int LogLineCount() = 0;
  // EM_LINELENGTH of the log for index -1 (the caret's line).
  virtual int LogCaretLineLength() = 0;
  // The frame's large icon (WM_SETICON).
  virtual void SetLargeIcon(plat::IconHandle icon) = 0;
};

// How a command's menu item is drawn.
struct CommandUi {
  bool handled = false;  // the frame has a handler
  bool enabled = true;
  bool checked = false;
};

// "Tray notification: ID=<id>, lEvent=0x<message, 4 hex digits> <name>\r\n".
std::string NotificationLogLine(std::uintptr_t id, std::intptr_t mouseMessage);
// "WM_MOUSEMOVE" ... "WM_MBUTTONDBLCLK" for 0x200..0x209, else "(Unknown)".
const char* MouseMessageName(std::intptr_t mouseMessage);

}  // namespace app

class CMainFrame {
 public:
  enum class CloseAction { Hide, Destroy };

  // Creates "justSTI" (handle kept open), fills the folders from the program
  // folder's configuration path and writes the StartUp shortcut
  // "VERaveviTrayIcon.lnk" (replacing one of that name; failure is silent).
  CMainFrame(plat::Platform& platform, app::MenuSource& menus, IAppWindows& windows);
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  // The creation steps after the window, its status bar and its log exist:
  // registers the window for the tray notifications (WM_USER), reads the
  // program folder's configuration for m_sTitle, chooses the icon (the
  // program-named ".ico" beside the configuration, else icon resource 126),
  // puts it into the tray with the title (or the default title) as tooltip
  // and makes it the frame's large icon. Returns 0.
  int OnCreate(app::MainFrameView& view);

  // Hide unless a shutdown was requested.
  CloseAction OnClose() const;

  // The shell's callback message: the log line (while notifications are
  // shown), then the tray icon's handling, whose result is returned.
  std::intptr_t OnTrayNotification(std::uintptr_t id, std::intptr_t mouseMessage);

  // Runs the handler of a command; false when the frame has none.
  bool OnCommand(unsigned id);
  // The update state of a command's menu item.
  app::CommandUi QueryCommandUi(unsigned id);

  void OnToggleIcon();
  void OnViewClear();
  void OnViewNotifications();
  void OnTrayOpen();
  void OnAppQuit();
  void OnDisableTrayIcon();

  // Locates the main configuration (in the data folder, or with true in the
  // program folder) and prompts for the disk until it exists; false when the
  // user cancels. On success the file is read into m_config and m_sTitle is
  // its WindowTitle value.
  bool LocateConfigWithPrompt(bool preferProgramFolder);

  CString m_sTitle;
  CTrayIcon m_trayIcon;
  int m_iWhichIcon = 1;
  bool m_bShutdown = false;
  bool m_bShowTrayNotifications = true;
  CString m_sModulePath, m_sModuleDir;
  CString m_sConfigFile;
  CString m_sWindowsDir;
  char m_szLinkPath[plat::kMaxPath] = {};
  CBonusConfig m_config;
  plat::IconHandle m_hIcon = 0;

 private:
  plat::WindowHandle Window() const;

  plat::Platform& m_platform;
  IAppWindows& m_windows;
  app::MainFrameView* m_view = nullptr;
};
