// Stand-ins for windows that do not exist yet. Each gives start-up the
// result the real window gives, and nothing more; the real window's own file
// replaces its stand-in here.
#include "app/win32/Win32AppWindows.h"
#include "resources/StringTable.h"

namespace win32ui {

// ---- order dialog (replaced by COrderDlg) ------------------------------------

// Answers as if the user had pressed Cancel.
int ShowOrderDialogWindow(plat::Platform&, IAppWindows&) { return IDCANCEL; }

// ---- tray frame (replaced by CMainFrame) -------------------------------------

namespace {

constexpr const char* kPlaceholderFrameClass = "VeraveviPlaceholderFrame";

LRESULT CALLBACK PlaceholderFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// A hidden frame with no icon and no menu; it ends the message loop when it
// is destroyed.
HWND CreateTrayFrameWindow(plat::Platform&, IAppWindows&) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlaceholderFrameProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kPlaceholderFrameClass;
  ::RegisterClassA(&windowClass);  // a second registration fails harmlessly
  HWND frame = ::CreateWindowExA(0, kPlaceholderFrameClass, res::Str(res::IDS_FRAME_TITLE).c_str(),
                                 WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (frame == nullptr) return nullptr;
  ::ShowWindow(frame, SW_HIDE);
  ::UpdateWindow(frame);
  return frame;
}

}  // namespace win32ui
