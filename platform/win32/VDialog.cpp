#include "platform/win32/VDialog.h"

#include <commctrl.h>

#include <exception>

namespace {

// The innermost dialog running modally on this (the only UI) thread, and the
// message hook installed while any runs.
CVDialog* g_modalTop = nullptr;
HHOOK g_hook = nullptr;

}  // namespace

CVDialog::CVDialog(int templateId, HWND parent) : m_nIDTemplate(templateId), m_hWndParent(parent) {}

CVDialog::~CVDialog() = default;

INT_PTR CVDialog::DoModal() {
  m_pOuter = g_modalTop;
  g_modalTop = this;
  if (g_hook == nullptr) {
    g_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &CVDialog::GetMessageHook, nullptr, ::GetCurrentThreadId());
  }
  INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                     m_hWndParent, &CVDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  g_modalTop = m_pOuter;
  m_pOuter = nullptr;
  if (g_modalTop == nullptr && g_hook != nullptr) {
    ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }
  return result;
}

void CVDialog::EndDialog(INT_PTR result) {
  if (m_hWnd != nullptr) ::EndDialog(m_hWnd, result);
}

int CVDialog::MessageBoxA(const char* text, const char* caption, UINT type, const char*, int, const char*) {
  return ::MessageBoxA(m_hWnd, text, caption, type);
}

void CVDialog::SetHelpInfo(const std::string& helpFile, int helpTemplateId) {
  m_sHelpFile = helpFile;
  m_nHelpTemplateId = helpTemplateId;
}

void CVDialog::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

BOOL CVDialog::OnInitDialog() {
  DoDataExchange(false);
  return TRUE;
}

void CVDialog::DoDataExchange(bool) {}

bool CVDialog::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void CVDialog::OnOK() {
  DoDataExchange(true);
  EndDialog(IDOK);
}

void CVDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CVDialog::OnNotify(int, NMHDR*, LRESULT&) { return false; }
void CVDialog::OnTimer(UINT_PTR) {}
void CVDialog::OnDestroy() {}
bool CVDialog::OnPaint() { return false; }
void CVDialog::OnMouseMove(UINT, POINT) {}
bool CVDialog::OnSysCommand(UINT, LPARAM) { return false; }
HICON CVDialog::OnQueryDragIcon() { return nullptr; }
HBRUSH CVDialog::OnCtlColor(HDC, HWND, UINT) { return nullptr; }
bool CVDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool CVDialog::PreTranslateMessage(MSG*) { return false; }

void CVDialog::ReportException(const char* what) {
  ::MessageBoxA(m_hWnd, what, "Error", MB_OK | MB_ICONERROR);
}

INT_PTR CALLBACK CVDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CVDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CVDialog*>(lParam);
    self->m_hWnd = window;
    ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CVDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
  }
  if (self == nullptr) return FALSE;
  INT_PTR handled = FALSE;
  try {
    handled = self->Dispatch(message, wParam, lParam);
  } catch (const std::exception& e) {
    self->ReportException(e.what());
    handled = TRUE;
  } catch (...) {
    self->ReportException("An unexpected error occurred.");
    handled = TRUE;
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, DWLP_USER, 0);
    self->m_hWnd = nullptr;
  }
  return handled;
}

INT_PTR CVDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (!OnNotify(static_cast<int>(header->idFrom), header, result)) return FALSE;
      ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return FALSE;  // the default handling follows
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_PAINT:
      return OnPaint() ? TRUE : FALSE;
    case WM_MOUSEMOVE: {
      POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      OnMouseMove(static_cast<UINT>(wParam), point);
      return FALSE;
    }
    case WM_SYSCOMMAND:
      if (!OnSysCommand(static_cast<UINT>(wParam), lParam)) return FALSE;
      ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, 0);
      return TRUE;
    case WM_QUERYDRAGICON:
      // One of the messages whose dialog-procedure result is the answer itself.
      return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    default: {
      LRESULT result = 0;
      if (!OnMessage(message, wParam, lParam, result)) return FALSE;
      ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

LRESULT CALLBACK CVDialog::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && g_modalTop != nullptr) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    CVDialog* top = g_modalTop;
    HWND dialog = top->m_hWnd;
    if (dialog != nullptr && msg->hwnd != nullptr &&
        (msg->hwnd == dialog || ::IsChild(dialog, msg->hwnd))) {
      bool consumed = false;
      try {
        consumed = top->PreTranslateMessage(msg);
      } catch (...) {
        consumed = false;
      }
      if (consumed) msg->message = WM_NULL;
    }
  }
  return ::CallNextHookEx(g_hook, code, wParam, lParam);
}
