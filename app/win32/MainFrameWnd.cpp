#include "app/win32/MainFrameWnd.h"

#include <commctrl.h>

#include <exception>

#include "platform/win32/UniqueHandle.h"
#include "resources/ResourceIds.h"

namespace {

HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

std::string FrameTitle() {
  char title[256] = {};
  ::LoadStringA(Instance(), IDR_MAINFRAME, title, sizeof title);
  return title;
}

}  // namespace

bool CMainFrameWnd::RegisterFrameClass() {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(Instance(), CMainFrameWnd::ClassName(), &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &CMainFrameWnd::WindowProc;
  wc.hInstance = Instance();
  wc.hIcon = ::LoadIconA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = CMainFrameWnd::ClassName();
  return ::RegisterClassExA(&wc) != 0;
}

const char* CMainFrameWnd::ClassName() { return "VERaveviTrayFrame"; }

CMainFrameWnd::CMainFrameWnd(plat::Platform& platform, IAppWindows& windows)
    : m_frame(platform, m_menus, windows) {}

CMainFrameWnd::~CMainFrameWnd() = default;

CMainFrameWnd* CMainFrameWnd::Create(plat::Platform& platform, IAppWindows& windows, DWORD style) {
  auto* frame = new CMainFrameWnd(platform, windows);
  if (!frame->LoadFrame(style)) {
    delete frame;
    return nullptr;
  }
  return frame;
}

bool CMainFrameWnd::LoadFrame(DWORD style) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (!RegisterFrameClass()) return false;
  plat::win32::UniqueMenu menu(::LoadMenuA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
  // The object travels in the creation parameter and is bound to the window
  // at WM_NCCREATE, so that WM_CREATE already reaches it.
  HWND window = ::CreateWindowExA(0, ClassName(), FrameTitle().c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu.Get(), Instance(), this);
  if (window == nullptr) {
    // A window that was made and destroyed again took its menu along.
    if (!::IsMenu(menu.Get())) menu.Release();
    m_hWnd = nullptr;
    return false;
  }
  menu.Release();  // the window's now
  m_bCreated = true;
  return true;
}

LRESULT CALLBACK CMainFrameWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* frame = static_cast<CMainFrameWnd*>(create->lpCreateParams);
    frame->m_hWnd = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
  }
  auto* self = reinterpret_cast<CMainFrameWnd*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);

  ++self->m_nDepth;
  LRESULT result = 0;
  try {
    result = self->Dispatch(message, wParam, lParam);
  } catch (const std::exception& e) {
    ::MessageBoxA(nullptr, e.what(), FrameTitle().c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    ::MessageBoxA(nullptr, "An unexpected error occurred.", FrameTitle().c_str(), MB_OK | MB_ICONERROR);
  }
  --self->m_nDepth;
  if (self->m_bDestroyed && self->m_nDepth == 0 && self->m_bCreated) delete self;
  return result;
}

LRESULT CMainFrameWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_COMMAND: {
      UINT id = LOWORD(wParam);
      if (m_frame.OnCommand(id)) return 0;
      if (id == ID_VIEW_STATUS_BAR && m_hStatusBar != nullptr) {
        ::ShowWindow(m_hStatusBar, StatusBarShown() ? SW_HIDE : SW_SHOWNA);
        RecalcLayout();
        return 0;
      }
      break;
    }
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_USER:
      return m_frame.OnTrayNotification(wParam, lParam);
    case WM_NCDESTROY: {
      LRESULT result = ::DefWindowProcA(m_hWnd, message, wParam, lParam);
      ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
      m_bDestroyed = true;
      if (m_bMainWindow) ::PostQuitMessage(0);
      return result;
    }
    default:
      break;
  }
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

int CMainFrameWnd::OnCreate() {
  m_hStatusBar =
      ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_STATUS_BAR)), Instance(), nullptr);
  if (m_hStatusBar == nullptr) return -1;
  int onePane[] = {-1};
  ::SendMessageA(m_hStatusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(onePane));

  m_hLog = ::CreateWindowExA(
      0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_READONLY | ES_MULTILINE, 0, 0, 0, 0, m_hWnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_PANE_FIRST)), Instance(), nullptr);
  if (m_hLog == nullptr) return -1;

  int result = m_frame.OnCreate(*this);
  m_icon = plat::win32::OwnExtractedIcon(reinterpret_cast<HICON>(m_frame.m_hIcon), IDR_MAINFRAME);
  RecalcLayout();
  return result;
}

void CMainFrameWnd::RecalcLayout() {
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  int bottom = client.bottom;
  if (StatusBarShown()) {
    ::SendMessageA(m_hStatusBar, WM_SIZE, 0, 0);
    RECT bar{};
    ::GetWindowRect(m_hStatusBar, &bar);
    bottom -= bar.bottom - bar.top;
  }
  if (m_hLog != nullptr) ::MoveWindow(m_hLog, 0, 0, client.right, bottom > 0 ? bottom : 0, TRUE);
}

void CMainFrameWnd::OnInitMenuPopup(HMENU menu) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    UINT id = ::GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or submenu
    bool enabled = true;
    bool checked = false;
    if (id == ID_VIEW_STATUS_BAR) {
      checked = StatusBarShown();
    } else {
      app::CommandUi ui = m_frame.QueryCommandUi(id);
      enabled = ui.enabled;
      checked = ui.checked;
    }
    ::EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void CMainFrameWnd::OnClose() {
  if (m_frame.OnClose() == CMainFrame::CloseAction::Destroy)
    ::DestroyWindow(m_hWnd);
  else
    ::ShowWindow(m_hWnd, SW_HIDE);
}

// The bar's own visibility, whatever that of the (hidden) frame.
bool CMainFrameWnd::StatusBarShown() const {
  return m_hStatusBar != nullptr && (::GetWindowLongA(m_hStatusBar, GWL_STYLE) & WS_VISIBLE) != 0;
}

plat::WindowHandle CMainFrameWnd::Handle() { return reinterpret_cast<plat::WindowHandle>(m_hWnd); }

void CMainFrameWnd::InsertLogText(const std::string& text) {
  ::SendMessageA(m_hLog, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  ::SendMessageA(m_hLog, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageA(m_hLog, EM_SCROLLCARET, 0, 0);
}

void CMainFrameWnd::ClearLog() { ::SetWindowTextA(m_hLog, ""); }

int CMainFrameWnd::LogLineCount() { return static_cast<int>(::SendMessageA(m_hLog, EM_GETLINECOUNT, 0, 0)); }

int CMainFrameWnd::LogCaretLineLength() {
  return static_cast<int>(::SendMessageA(m_hLog, EM_LINELENGTH, static_cast<WPARAM>(-1), 0));
}

void CMainFrameWnd::SetLargeIcon(plat::IconHandle icon) {
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
}
