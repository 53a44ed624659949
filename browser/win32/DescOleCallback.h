// CDescOleCallback: the description pane's rich-edit OLE container callback.
// A minimal, read-only container: every embedded object gets in-memory
// storage, whatever the RTF brings is accepted, and no clipboard,
// drag-and-drop, help or context menu is offered.
#pragma once

#include "platform/win32/Win32Api.h"

#include <ole2.h>
#include <richedit.h>
#include <richole.h>

namespace browser {

// {00020D03-0000-0000-C000-000000000046}
inline constexpr IID kIidRichEditOleCallback = {0x00020D03, 0x0000, 0x0000,
                                                {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// COM interfaces have no virtual destructor by design: objects are released,
// never deleted through the interface.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class CDescOleCallback final : public IRichEditOleCallback {
 public:
  // A callback owned by its holder (a member of the dialog, count 0 after
  // construction): reaching a count of 0 never destroys it.
  CDescOleCallback() = default;
  // A callback that destroys itself when its count falls to 0.
  static CDescOleCallback* CreateSelfOwned();
  CDescOleCallback(const CDescOleCallback&) = delete;
  CDescOleCallback& operator=(const CDescOleCallback&) = delete;
  virtual ~CDescOleCallback() = default;

  LONG RefCount() const { return m_cRef; }

  // IUnknown: IUnknown and IRichEditOleCallback, E_NOINTERFACE otherwise
  // (with *object cleared).
  STDMETHOD(QueryInterface)(REFIID iid, void** object) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;

  // A new compound file on a growable in-memory byte array (freed with the
  // storage). E_INVALIDARG for a missing out pointer; the failure code of
  // either creation otherwise.
  STDMETHOD(GetNewStorage)(LPSTORAGE* storage) override;
  // S_OK, supplying nothing: *frame and *doc are cleared.
  STDMETHOD(GetInPlaceContext)(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* doc,
                               LPOLEINPLACEFRAMEINFO frameInfo) override;
  STDMETHOD(ShowContainerUI)(BOOL show) override;
  STDMETHOD(QueryInsertObject)(LPCLSID clsid, LPSTORAGE storage, LONG cp) override;
  STDMETHOD(DeleteObject)(LPOLEOBJECT object) override;
  STDMETHOD(QueryAcceptData)(LPDATAOBJECT data, CLIPFORMAT* format, DWORD reco, BOOL really,
                             HGLOBAL metaPict) override;
  // E_NOTIMPL.
  STDMETHOD(ContextSensitiveHelp)(BOOL enterMode) override;
  // E_NOTIMPL, with *data cleared.
  STDMETHOD(GetClipboardData)(CHARRANGE* range, DWORD reco, LPDATAOBJECT* data) override;
  // E_NOTIMPL.
  STDMETHOD(GetDragDropEffect)(BOOL drag, DWORD keyState, LPDWORD effect) override;
  // S_OK with no menu.
  STDMETHOD(GetContextMenu)(WORD selectionType, LPOLEOBJECT object, CHARRANGE* range, HMENU* menu) override;

 private:
  LONG m_cRef = 0;
  bool m_bSelfOwned = false;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace browser
