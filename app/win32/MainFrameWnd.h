// The hidden frame's window: a top-level window of the program's own class
// standing in for the framework frame of resource 126 (title string 126,
// menu 126, icon 126), with a one-pane status bar and a read-only
// multi-line log edit filling the client area. It translates messages and
// commands into calls of the portable CMainFrame (app/MainFrame.h) and does
// what that decides.
//
// The object is made with `new` and deletes itself once its window is
// destroyed (after the outermost message being handled has returned, so a
// quit that is requested from inside a modal dialog the frame runs is safe).
// While it is the application's main window, its destruction posts WM_QUIT.
#pragma once

#include "app/MainFrame.h"
#include "app/win32/Win32TrayMenu.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"

class CMainFrameWnd final : public app::MainFrameView {
 public:
  // Builds the frame (the portable construction: "justSTI", the StartUp
  // shortcut), which opens its windows through `windows`, and creates its window hidden from frame resource
  // 126 with `style`. Null when the window, its status bar or its log cannot be created (the object is then
  // gone).
  static CMainFrameWnd* Create(plat::Platform& platform, IAppWindows& windows, DWORD style);

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND StatusBar() const { return m_hStatusBar; }
  HWND LogEdit() const { return m_hLog; }
  CMainFrame& Frame() { return m_frame; }

  // Makes this frame the application's main window: its destruction then
  // ends the message loop.
  void SetMainWindow(bool isMain) { m_bMainWindow = isMain; }

  // The window class of the frame.
  static const char* ClassName();

  // ---- app::MainFrameView -----------------------------------------------
  plat::WindowHandle Handle() override;
  void InsertLogText(const std::string& text) override;
  void ClearLog() override;
  int LogLineCount() override;
  int LogCaretLineLength() override;
  void SetLargeIcon(plat::IconHandle icon) override;

 private:
  CMainFrameWnd(plat::Platform& platform, IAppWindows& windows);
  ~CMainFrameWnd() override;
  CMainFrameWnd(const CMainFrameWnd&) = delete;
  CMainFrameWnd& operator=(const CMainFrameWnd&) = delete;

  static bool RegisterFrameClass();
  bool LoadFrame(DWORD style);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  int OnCreate();
  void RecalcLayout();
  bool StatusBarShown() const;
  void OnInitMenuPopup(HMENU menu);
  void OnClose();

  app::win32::Win32MenuSource m_menus;
  // The frame's icon when it was extracted from a file; declared before the
  // frame, so that it goes after the frame has taken it out of the tray.
  plat::win32::UniqueIcon m_icon;
  CMainFrame m_frame;
  HWND m_hWnd = nullptr;
  HWND m_hStatusBar = nullptr;
  HWND m_hLog = nullptr;
  bool m_bMainWindow = false;
  bool m_bCreated = false;    // CreateWindowEx returned the window
  bool m_bDestroyed = false;  // WM_NCDESTROY has been seen
  int m_nDepth = 0;           // messages of this window being handled
};
