#include "browser/win32/BonusDlgWin32.h"

#include <vector>

#include "platform/win32/SystemLibrary.h"

namespace browser {

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageA(window, message, wParam, lParam);
}

// Inserts a root item after the last one.
HTREEITEM InsertRootItem(HWND tree, const std::string& text, UINT mask, int image) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = mask;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  return reinterpret_cast<HTREEITEM>(Send(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

struct RtfSource {
  const std::string* bytes;
  std::size_t offset;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* source = reinterpret_cast<RtfSource*>(cookie);
  const std::size_t left = source->bytes->size() - source->offset;
  // A request of 0 or less gets nothing (and a count of 0 ends the stream).
  std::size_t n = wanted > 0 ? static_cast<std::size_t>(wanted) : 0;
  if (n > left) n = left;
  source->bytes->copy(reinterpret_cast<char*>(buffer), n, source->offset);
  source->offset += n;
  *got = static_cast<LONG>(n);
  return 0;
}

bool IsCode(UINT code, UINT a, UINT b) { return code == a || code == b; }

}  // namespace

CBonusDlgWin32::CBonusDlgWin32(plat::Platform& platform, HWND parent)
    : CVDialog(kMainDialogTemplate, parent) {
  m_logic = std::make_unique<CBonusDlg>(platform, *this);
  HoldIcon(m_windowIcon, m_logoIcon, m_logic->m_hIcon);
  SetHelpInfo(m_logic->m_sHelpFile, m_logic->m_nTemplateId);
}

void CBonusDlgWin32::HoldIcon(plat::win32::UniqueIcon& place, const plat::win32::UniqueIcon& other,
                              plat::IconHandle icon) {
  HICON handle = reinterpret_cast<HICON>(icon);
  if (handle == place.Get()) return;
  // An icon shown in both places is held once.
  place =
      handle == other.Get() ? plat::win32::UniqueIcon() : plat::win32::OwnExtractedIcon(handle, kAppIconId);
}

// ---- messages ------------------------------------------------------------------

BOOL CBonusDlgWin32::OnInitDialog() {
  CVDialog::OnInitDialog();
  return m_logic->OnInitDialog() ? TRUE : FALSE;
}

bool CBonusDlgWin32::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kIdInstall:
      m_logic->OnInstall();
      return true;
    case kIdClose:
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

void CBonusDlgWin32::OnCancel() { m_logic->OnCancel(); }

bool CBonusDlgWin32::OnNotify(int id, NMHDR* header, LRESULT& result) {
  result = 0;
  const UINT code = header->code;
  if (id == kIdCapsuleList) {
    if (IsCode(code, TVN_SELCHANGEDA, TVN_SELCHANGEDW)) {
      result = m_logic->OnSelChangedCapsule();
    } else if (code == NM_DBLCLK) {
      result = m_logic->OnDblClkCapsule();
    } else if (code == NM_SETFOCUS) {
      result = m_logic->OnSetFocusCapsule();
    } else if (code != NM_CLICK && !IsCode(code, TVN_SELCHANGINGA, TVN_SELCHANGINGW)) {
      return false;
    }
    return true;
  }
  if (id == kIdMoreInfo) {
    if (code == NM_CLICK) {
      result = m_logic->OnClickMoreInfo();
    } else if (code == NM_SETFOCUS) {
      result = m_logic->OnSetFocusMoreInfo();
    } else {
      return false;
    }
    return true;
  }
  if (id == kIdDescription && code == EN_MSGFILTER) {
    auto* filter = reinterpret_cast<MSGFILTER*>(header);
    unsigned message = filter->msg;
    result = m_logic->OnMsgFilterDescription(message);
    filter->msg = message;
    // A message replaced by none is also refused through the answer: some
    // rich edits (Wine's) read only the answer, not the replaced message.
    if (message == 0) result = 1;
    return true;
  }
  return false;
}

void CBonusDlgWin32::OnTimer(UINT_PTR id) { m_logic->OnTimer(static_cast<unsigned>(id)); }

void CBonusDlgWin32::OnDestroy() {
  CVDialog::OnDestroy();
  m_logic->OnDestroy();
}

bool CBonusDlgWin32::OnPaint() {
  if (!::IsIconic(m_hWnd)) return false;
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  Send(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(&client);
  int x = 0, y = 0;
  CBonusDlg::IconPosition(client.right - client.left, client.bottom - client.top,
                          ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), x, y);
  ::DrawIcon(dc, x, y, reinterpret_cast<HICON>(m_logic->m_hIcon));
  ::EndPaint(m_hWnd, &paint);
  return true;
}

void CBonusDlgWin32::OnMouseMove(UINT, POINT) { m_logic->OnMouseMove(); }

bool CBonusDlgWin32::OnSysCommand(UINT id, LPARAM) { return m_logic->OnSysCommand(id); }

HICON CBonusDlgWin32::OnQueryDragIcon() { return reinterpret_cast<HICON>(m_logic->OnQueryDragIcon()); }

bool CBonusDlgWin32::PreTranslateMessage(MSG* message) {
  if (m_toolTip) Send(m_toolTip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
  return CVDialog::PreTranslateMessage(message);
}

// ---- the view --------------------------------------------------------------------

void CBonusDlgWin32::SetCaption(const std::string& caption) { ::SetWindowTextA(m_hWnd, caption.c_str()); }

void CBonusDlgWin32::SetWindowIcon(plat::IconHandle icon) {
  Send(m_hWnd, WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
  Send(m_hWnd, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
  HoldIcon(m_windowIcon, m_logoIcon, icon);
}

void CBonusDlgWin32::EndDialog(int result) { CVDialog::EndDialog(result); }

void CBonusDlgWin32::SetTimer(unsigned id, unsigned periodMs) { ::SetTimer(m_hWnd, id, periodMs, nullptr); }

void CBonusDlgWin32::KillTimer(unsigned id) { ::KillTimer(m_hWnd, id); }

int CBonusDlgWin32::GetFocusId() {
  HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(m_hWnd, focus)) return 0;
  return ::GetDlgCtrlID(focus);
}

void CBonusDlgWin32::SetFocusTo(int controlId) { ::SetFocus(Item(controlId)); }

bool CBonusDlgWin32::IsShiftDown() { return ::GetKeyState(VK_SHIFT) < 0; }

int CBonusDlgWin32::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
  return MessageBoxA(text.c_str(), caption.c_str(), type);
}

void CBonusDlgWin32::SetCapsuleItemHeight(std::int16_t height) {
  Send(Item(kIdCapsuleList), TVM_SETITEMHEIGHT, static_cast<WPARAM>(static_cast<std::uint16_t>(height)), 0);
}

void CBonusDlgWin32::SetCapsuleTextColor(Rgb color) {
  Send(Item(kIdCapsuleList), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color));
}

plat::Handle CBonusDlgWin32::CreateCapsuleImageList(int cx, int cy) {
  m_imageList.Reset();
  m_imageList.Reset(::ImageList_Create(cx, cy, ILC_COLORDDB | ILC_MASK, 0, 20));
  return reinterpret_cast<plat::Handle>(m_imageList.Get());
}

void CBonusDlgWin32::AppendCapsuleIcon(plat::IconHandle icon) {
  if (m_imageList) ::ImageList_ReplaceIcon(m_imageList.Get(), -1, reinterpret_cast<HICON>(icon));
  ::DestroyIcon(reinterpret_cast<HICON>(icon));
}

void CBonusDlgWin32::AttachCapsuleImageList() {
  Send(Item(kIdCapsuleList), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_imageList.Get()));
}

TreeItem CBonusDlgWin32::InsertCapsuleItem(const std::string& text, int image) {
  return reinterpret_cast<TreeItem>(
      InsertRootItem(Item(kIdCapsuleList), text, TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, image));
}

TreeItem CBonusDlgWin32::GetSelectedCapsuleItem() {
  return static_cast<TreeItem>(Send(Item(kIdCapsuleList), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::optional<std::string> CBonusDlgWin32::GetSelectedCapsuleText() {
  const LRESULT item = Send(Item(kIdCapsuleList), TVM_GETNEXTITEM, TVGN_CARET, 0);
  if (item == 0) return std::nullopt;
  // Grow the buffer until the text fits with room to spare.
  for (std::size_t size = 256;; size *= 2) {
    std::vector<char> buffer(size, '\0');
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = reinterpret_cast<HTREEITEM>(item);
    query.pszText = buffer.data();
    query.cchTextMax = static_cast<int>(size);
    if (Send(Item(kIdCapsuleList), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) == 0)
      return std::nullopt;
    std::string text(query.pszText);
    if (text.size() + 1 < size || size >= (1u << 20)) return text;
  }
}

void CBonusDlgWin32::SetNoteText(const std::string& text) { ::SetWindowTextA(Item(kIdNote), text.c_str()); }

void CBonusDlgWin32::SetDiskSpaceText(const std::string& text) {
  ::SetWindowTextA(Item(kIdDiskSpace), text.c_str());
}

void CBonusDlgWin32::SetRichEditBackground(int controlId, Rgb color) {
  Send(Item(controlId), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(color));
}

void CBonusDlgWin32::SetTitleText(const std::string& text) {
  ::SetDlgItemTextA(m_hWnd, kIdTitle, text.c_str());
}

void CBonusDlgWin32::SetIntroText(const std::string& text) {
  ::SetDlgItemTextA(m_hWnd, kIdIntro, text.c_str());
}

void CBonusDlgWin32::SetLogoIcon(plat::IconHandle icon) {
  Send(Item(kIdLogo), STM_SETICON, static_cast<WPARAM>(icon), 0);
  HoldIcon(m_logoIcon, m_windowIcon, icon);
}

void CBonusDlgWin32::HidePicture() { ::ShowWindow(Item(kIdPicture), SW_HIDE); }

long CBonusDlgWin32::GetDialogFontHeight() {
  LOGFONTA font = {};
  HGDIOBJ dialogFont = reinterpret_cast<HGDIOBJ>(Send(m_hWnd, WM_GETFONT));
  if (dialogFont == nullptr || ::GetObjectA(dialogFont, sizeof font, &font) == 0) return 0;
  return font.lfHeight;
}

plat::Handle CBonusDlgWin32::CreateTitleFont(const TitleFontFields& fields) {
  LOGFONTA font = {};
  HGDIOBJ dialogFont = reinterpret_cast<HGDIOBJ>(Send(m_hWnd, WM_GETFONT));
  if (dialogFont != nullptr) ::GetObjectA(dialogFont, sizeof font, &font);
  font.lfHeight = fields.height;
  font.lfWeight = fields.weight;
  font.lfOutPrecision = static_cast<BYTE>(fields.outPrecision);
  font.lfQuality = static_cast<BYTE>(fields.quality);
  ::lstrcpynA(font.lfFaceName, fields.faceName.c_str(), LF_FACESIZE);
  m_titleFont.Reset();
  m_titleFont.Reset(::CreateFontIndirectA(&font));
  return reinterpret_cast<plat::Handle>(m_titleFont.Get());
}

void CBonusDlgWin32::SetTitleFont(plat::Handle font) { Send(Item(kIdTitle), WM_SETFONT, font, TRUE); }

void CBonusDlgWin32::AddDescriptionMouseEvents() {
  HWND pane = Item(kIdDescription);
  const LRESULT mask = Send(pane, EM_GETEVENTMASK);
  Send(pane, EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask | ENM_MOUSEEVENTS));
}

void CBonusDlgWin32::InstallDescriptionOleCallback() {
  HWND pane = Item(kIdDescription);
  m_oleCallback.AddRef();
  Send(pane, EM_SETOLECALLBACK, 0,
       reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(&m_oleCallback)));
  // The pane hands out a new reference each time; the one held from an
  // earlier description is given back first.
  Send(pane, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(m_pRichEditOle.Receive()));
  if (m_pRichEditOle) m_pRichEditOle.Get()->SetHostNames("Velmora Bonus", "Untitled");
}

void CBonusDlgWin32::StreamDescriptionRtf(const std::string& rtf) {
  RtfSource source{&rtf, 0};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadRtf;
  Send(Item(kIdDescription), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void CBonusDlgWin32::SetMoreInfoColors(Rgb background, Rgb text) {
  Send(Item(kIdMoreInfo), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
  Send(Item(kIdMoreInfo), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
}

void CBonusDlgWin32::SetMoreInfoTextColor(Rgb text) {
  Send(Item(kIdMoreInfo), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
}

void CBonusDlgWin32::DeleteMoreInfoItems() {
  Send(Item(kIdMoreInfo), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void CBonusDlgWin32::InsertMoreInfoItem(const std::string& text) {
  InsertRootItem(Item(kIdMoreInfo), text, TVIF_TEXT, 0);
}

void CBonusDlgWin32::ShowMoreInfo(bool show) { ::ShowWindow(Item(kIdMoreInfo), show ? SW_SHOW : SW_HIDE); }

void CBonusDlgWin32::CreateToolTip() {
  if (m_toolTip) return;
  m_toolTip.Reset(::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr));
  // Under a visual style a tip draws the theme's colours and ignores
  // TTM_SETTIPBKCOLOR and TTM_SETTIPTEXTCOLOR: only the tip opts out of it.
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const auto setTheme = plat::win32::SystemProc<SetWindowThemeFn>("uxtheme.dll", "SetWindowTheme");
  if (m_toolTip && setTheme != nullptr) setTheme(m_toolTip.Get(), L"", L"");
}

void CBonusDlgWin32::SetToolTipColors(Rgb background, Rgb text) {
  if (!m_toolTip) return;
  Send(m_toolTip.Get(), TTM_SETTIPBKCOLOR, background, 0);
  Send(m_toolTip.Get(), TTM_SETTIPTEXTCOLOR, text, 0);
}

void CBonusDlgWin32::AddCapsuleToolTip(const std::string& text) {
  if (!m_toolTip) return;
  TTTOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = m_hWnd;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(kIdCapsuleList));
  tool.hinst = ::GetModuleHandleA(nullptr);
  tool.lpszText = const_cast<char*>(text.c_str());
  // One registration for the tree, carrying the text of the latest selection.
  Send(m_toolTip.Get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  Send(m_toolTip.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CBonusDlgWin32::SetToolTipInitialDelay(unsigned ms) {
  if (m_toolTip) Send(m_toolTip.Get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(ms, 0));
}

void CBonusDlgWin32::ActivateToolTip(bool active) {
  if (m_toolTip) Send(m_toolTip.Get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void CBonusDlgWin32::SetButtonText(int controlId, const std::string& text) {
  ::SetDlgItemTextA(m_hWnd, controlId, text.c_str());
}

void CBonusDlgWin32::EnableButton(int controlId, bool enable) {
  ::EnableWindow(Item(controlId), enable ? TRUE : FALSE);
}

}  // namespace browser
