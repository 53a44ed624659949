// CVDialog: the program's modal dialog base on plain Win32.
//
// A dialog is built from a template id of the program's resources and a
// parent window, and shown with DoModal (DialogBoxParamA). One static dialog
// procedure serves every dialog: it stores `this` at WM_INITDIALOG, cracks
// each message once and forwards it to the typed virtual handlers below.
// No exception crosses into user32: one thrown by a handler is caught at
// the procedure, its message is shown in an error box owned by the dialog,
// and the message counts as handled with a result of 0.
//
// PreTranslateMessage: while any CVDialog runs modally, a WH_GETMESSAGE
// hook of the thread offers every message retrieved for the innermost
// running dialog (or one of its child windows) to that dialog's
// PreTranslateMessage before the modal loop dispatches it; a message it
// consumes (returns true) becomes WM_NULL. Messages of other windows, and
// those of an outer dialog while an inner one runs, are not offered.
#pragma once

#include "platform/win32/Win32Api.h"

#include <string>

class CVDialog {
 public:
  CVDialog(int templateId, HWND parent);
  virtual ~CVDialog();
  CVDialog(const CVDialog&) = delete;
  CVDialog& operator=(const CVDialog&) = delete;

  // Shows the dialog modally; returns what EndDialog was given, or -1 when
  // the window could not be created.
  virtual INT_PTR DoModal();
  // Ends the modal loop with `result`.
  void EndDialog(INT_PTR result);

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  int TemplateId() const { return m_nIDTemplate; }

  // A message box owned by the dialog. The last three values are accepted
  // for the maker's signature and have no effect (always "", 0, "").
  int MessageBoxA(const char* text, const char* caption, UINT type, const char* extra1 = "",
                  int extra2 = 0, const char* extra3 = "");

  // Help file and template id kept for the dialog's own use.
  void SetHelpInfo(const std::string& helpFile, int helpTemplateId);
  const std::string& HelpFile() const { return m_sHelpFile; }

  // The client rectangle of the dialog window.
  void GetClientRect(RECT* rect) const;

 protected:
  // WM_INITDIALOG. The base calls DoDataExchange(false) and returns TRUE;
  // a derived dialog calls the base first.
  virtual BOOL OnInitDialog();
  // Moves values between controls and members: `save` false at
  // initialisation (members to controls), true at OK (controls to members).
  virtual void DoDataExchange(bool save);
  // WM_COMMAND; true when handled. The base sends IDOK to OnOK and IDCANCEL
  // to OnCancel.
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  // DoDataExchange(true), then EndDialog(IDOK).
  virtual void OnOK();
  // EndDialog(IDCANCEL).
  virtual void OnCancel();
  // WM_NOTIFY; true when handled, with `result` as the notification's result.
  virtual bool OnNotify(int id, NMHDR* header, LRESULT& result);
  virtual void OnTimer(UINT_PTR id);
  // WM_DESTROY. A derived dialog calls the base first.
  virtual void OnDestroy();
  // WM_PAINT; false leaves the painting to the default handling.
  virtual bool OnPaint();
  virtual void OnMouseMove(UINT flags, POINT point);
  // WM_SYSCOMMAND; true when handled (the default handling is skipped).
  virtual bool OnSysCommand(UINT id, LPARAM lParam);
  // WM_QUERYDRAGICON; null for the default cursor.
  virtual HICON OnQueryDragIcon();
  // WM_CTLCOLOR...; null for the default colours.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);
  // Any other message; true when handled, with `result` as its result.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A message about to be dispatched to the dialog or one of its children;
  // true consumes it.
  virtual bool PreTranslateMessage(MSG* message);
  // Reports an exception caught at the dialog procedure.
  virtual void ReportException(const char* what);

  HWND m_hWnd = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);

  int m_nIDTemplate;
  HWND m_hWndParent;
  std::string m_sHelpFile;
  int m_nHelpTemplateId = 0;
  CVDialog* m_pOuter = nullptr;  // the dialog that ran modally when this one started
};
