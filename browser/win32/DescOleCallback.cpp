#include "browser/win32/DescOleCallback.h"

namespace browser {

CDescOleCallback* CDescOleCallback::CreateSelfOwned() {
  auto* callback = new CDescOleCallback();
  callback->m_bSelfOwned = true;
  return callback;
}

STDMETHODIMP CDescOleCallback::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidRichEditOleCallback)) {
    *object = static_cast<IRichEditOleCallback*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDescOleCallback::AddRef() { return static_cast<ULONG>(++m_cRef); }

STDMETHODIMP_(ULONG) CDescOleCallback::Release() {
  const LONG count = --m_cRef;
  if (count == 0 && m_bSelfOwned) delete this;
  return static_cast<ULONG>(count);
}

STDMETHODIMP CDescOleCallback::GetNewStorage(LPSTORAGE* storage) {
  if (storage == nullptr) return E_INVALIDARG;
  *storage = nullptr;
  ILockBytes* bytes = nullptr;
  HRESULT result = ::CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
  if (FAILED(result)) return result;
  result = ::StgCreateDocfileOnILockBytes(bytes, STGM_SHARE_EXCLUSIVE | STGM_READWRITE | STGM_CREATE, 0, storage);
  bytes->Release();
  return result;
}

STDMETHODIMP CDescOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* doc,
                                                 LPOLEINPLACEFRAMEINFO) {
  if (frame != nullptr) *frame = nullptr;
  if (doc != nullptr) *doc = nullptr;
  return S_OK;
}

STDMETHODIMP CDescOleCallback::ShowContainerUI(BOOL) { return S_OK; }

STDMETHODIMP CDescOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) { return S_OK; }

STDMETHODIMP CDescOleCallback::DeleteObject(LPOLEOBJECT) { return S_OK; }

STDMETHODIMP CDescOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) { return S_OK; }

STDMETHODIMP CDescOleCallback::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP CDescOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* data) {
  if (data != nullptr) *data = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CDescOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) { return E_NOTIMPL; }

STDMETHODIMP CDescOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU* menu) {
  if (menu != nullptr) *menu = nullptr;
  return S_OK;
}

}  // namespace browser
