// The real main dialog on a sample disk of the test's own: that each view
// call reaches its real control (tree, texts, captions, the description with
// an embedded picture, the double-click filter, the tooltip) and the StartUp
// shortcut; the decisions behind them are the native tests'.
// The Windows headers come before the common controls.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <uxtheme.h>
// clang-format on

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "browser/win32/BonusDlgWin32.h"
#include "tests/e2e/E2ESupport.h"
#include "tests/win32/RedirectedPlatform.h"

namespace browser::testing {
namespace {

using e2e::TextOf;

std::string SourcePath(const std::string& relative) {
  return e2e::WindowsPath(VELMORA_SOURCE_DIR "/" + relative);
}

std::string TreeItemText(HWND tree, LRESULT item) {
  char buffer[256] = {};
  TVITEMA query = {TVIF_TEXT, reinterpret_cast<HTREEITEM>(item), 0, 0, buffer, sizeof buffer, 0, 0, 0, 0};
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return buffer;
}

std::vector<std::string> TreeTexts(HWND tree) {
  std::vector<std::string> texts;
  for (LRESULT item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); item != 0;
       item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
    texts.push_back(TreeItemText(tree, item));
  }
  return texts;
}

// The tooltip window the dialog created (owned by it).
HWND FindToolTip(HWND dialog) {
  for (HWND w : e2e::TopWindows(TOOLTIPS_CLASSA, nullptr))
    if (::GetWindow(w, GW_OWNER) == dialog) return w;
  return nullptr;
}

std::string ToolText(HWND tip, HWND dialog, HWND tree) {
  char buffer[256] = {};
  TTTOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(tree);
  tool.lpszText = buffer;
  ::SendMessageA(tip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
  return buffer;
}

constexpr UINT kRunChecks = WM_APP + 1;

// The real dialog, which runs `checks` once it is on screen and then closes
// as the Close button does.
class CheckedDialog : public CBonusDlgWin32 {
 public:
  CheckedDialog(plat::Platform& platform, std::function<void(CheckedDialog&)> checks)
      : CBonusDlgWin32(platform, nullptr), m_checks(std::move(checks)) {}
  HWND Window() const { return m_hWnd; }
  bool checksRan = false;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CBonusDlgWin32::OnInitDialog();
    ::PostMessageA(m_hWnd, kRunChecks, 0, 0);
    return result;
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message != kRunChecks) return CBonusDlgWin32::OnMessage(message, wParam, lParam, result);
    checksRan = true;
    m_checks(*this);
    OnCancel();
    return true;
  }

 private:
  std::function<void(CheckedDialog&)> m_checks;
};

class MainDialogWin32 : public ::testing::Test {
 protected:
  e2e::ScratchFolder root{"browser-test"};
  const std::string windows = root.Folder("win"), disk = root.Folder("disk"),
                    data = root.Folder("disk\\access");
  const std::string link = windows + "\\Start Menu\\Programs\\StartUp\\VERavevi.lnk";
  const std::string caption = "Velmora Browser Test " + std::to_string(::GetCurrentProcessId());
  RedirectedPlatform platform;

  void SetUp() override {
    ::OleInitialize(nullptr);
    ::LoadLibraryA("riched20.dll");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    for (const char* f : {"\\Start Menu", "\\Start Menu\\Programs", "\\Start Menu\\Programs\\StartUp"})
      ::CreateDirectoryA((windows + f).c_str(), nullptr);
    platform.modulePath = root.Folder("prog") + "\\VERavevi.exe";
    platform.windowsDir = windows;
    platform.sourceDir = disk;
  }
  void TearDown() override { ::OleUninitialize(); }
  void Capsule(const std::string& name, const std::string& cfg) {
    ::CreateDirectoryA((data + "\\" + name).c_str(), nullptr);
    e2e::WriteText(data + "\\" + name + "\\" + name + ".cfg", cfg);
  }
};

TEST_F(MainDialogWin32, OpensOnSampleDiskAndShowsSelectedCapsule) {
  e2e::WriteText(data + "\\VERavevi.cfg",
                 "[TuneUp]\nWindowTitle=" + caption +
                     "\nWelcomeTitle=Test Bonus Software\nWelcomeText=Pick one of these.\n"
                     "Height=16\nDistance=20\n[Packages]\nAlpha\nBeta\nGamma\n");
  Capsule("Alpha",
          "[TuneUp]\nTitle=Alpha Chess\nNote=Alpha note\nTip=Alpha tip\nButton1=Get Alpha\nDisabled=1\n"
          "MoreInfoTitle=Alpha manual\nMoreInfoRun=manual.txt\n");
  e2e::WriteText(data + "\\Alpha\\manual.txt", "manual");
  e2e::WriteText(data + "\\Alpha\\Alpha.rtf",
                 e2e::ReadText(SourcePath("examples/demo/access/Games/Chess/Chess.rtf")));
  e2e::WriteText(data + "\\Alpha\\Alpha.ico",
                 e2e::ReadText(SourcePath("examples/demo/access/Games/Chess/Chess.ico")));
  Capsule("Beta", "[TuneUp]\nTitle=\n");
  Capsule("Gamma", "[TuneUp]\nTitle=Gamma Tools\nTip=Gamma tip\nButton2=Leave\n");
  ASSERT_FALSE(e2e::ReadText(data + "\\Alpha\\Alpha.rtf").empty());

  CheckedDialog dialog(platform, [&](CheckedDialog& d) {
    HWND w = d.Window();
    HWND tree = ::GetDlgItem(w, kIdCapsuleList);
    EXPECT_EQ(TextOf(w), caption);
    EXPECT_EQ(TreeTexts(tree), (std::vector<std::string>{"Alpha Chess", "Gamma Tools"}));
    EXPECT_EQ(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0), 20);
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 1);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(TextOf(::GetDlgItem(w, kIdTitle)), "Test Bonus Software");
    EXPECT_EQ(TextOf(::GetDlgItem(w, kIdIntro)), "Pick one of these.");
    LOGFONTA font = {};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(::GetDlgItem(w, kIdTitle), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_NE(::SendMessageA(::GetDlgItem(w, kIdLogo), STM_GETICON, 0, 0), 0);
    EXPECT_NE(TextOf(::GetDlgItem(w, kIdDiskSpace)).find("C: "), std::string::npos);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(w, kIdPicture)));
    EXPECT_TRUE(e2e::FileExists(link)) << link;

    // Select the first capsule as a click would.
    ::SetFocus(tree);
    const LRESULT first = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, first);
    EXPECT_EQ(d.Logic().m_nCapsule, 0);
    EXPECT_EQ(TextOf(::GetDlgItem(w, kIdNote)), "Alpha note");
    EXPECT_EQ(TextOf(::GetDlgItem(w, kIdInstall)), "Get Alpha");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(w, kIdInstall)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(w, kIdPicture)));
    HWND link1010 = ::GetDlgItem(w, kIdMoreInfo);
    EXPECT_TRUE(::IsWindowVisible(link1010));
    EXPECT_EQ(TreeTexts(link1010), std::vector<std::string>{"Alpha manual"});

    // The description with its embedded picture.
    HWND pane = ::GetDlgItem(w, kIdDescription);
    EXPECT_NE(TextOf(pane).find("Chess Deluxe"), std::string::npos);
    IRichEditOle* ole = nullptr;
    ::SendMessageA(pane, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    ASSERT_NE(ole, nullptr);
    EXPECT_EQ(ole->GetObjectCount(), 1);
    ole->Release();
    EXPECT_GT(d.OleCallback().RefCount(), 0);

    // A double click on a word of the pane selects nothing; the single
    // click before it still places the caret.
    CHARRANGE none = {0, 0};
    ::SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
    const LPARAM onWord = MAKELPARAM(40, 10);
    ::SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, onWord);
    ::SendMessageA(pane, WM_LBUTTONUP, 0, onWord);
    ::SendMessageA(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, onWord);
    ::SendMessageA(pane, WM_LBUTTONUP, 0, onWord);
    CHARRANGE after = {-1, -1};
    ::SendMessageA(pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(after.cpMin, after.cpMax);
    EXPECT_GT(after.cpMin, 0);

    // The second capsule's captions.
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, first));
    EXPECT_EQ(d.Logic().m_nCapsule, 2);
    EXPECT_EQ(TextOf(::GetDlgItem(w, kIdClose)), "Leave");
    EXPECT_FALSE(::IsWindowVisible(link1010));

    // One tool for the tree, carrying the latest selection's tip.
    HWND tip = FindToolTip(w);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tip, w, tree), "Gamma tip");

    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, first);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tip, w, tree), "Alpha tip");

    // The tip paints its own colours, also under the prefix's visual style:
    // it has opted out of the theme (Wine's tips never take one; Windows'
    // do, and then ignore the colours set).
    EXPECT_EQ(::GetWindowTheme(tip), nullptr);
    ::SetWindowPos(tip, nullptr, 0, 0, 60, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HDC screen = ::GetDC(nullptr);
    HDC paint = ::CreateCompatibleDC(screen);
    HBITMAP canvas = ::CreateCompatibleBitmap(screen, 60, 24);
    HGDIOBJ old = ::SelectObject(paint, canvas);
    ::SendMessageA(tip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paint), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(::GetPixel(paint, 30, 12), RGB(255, 240, 224));
    ::SelectObject(paint, old);
    ::DeleteObject(canvas);
    ::DeleteDC(paint);
    ::ReleaseDC(nullptr, screen);
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(dialog.checksRan);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_FALSE(e2e::FileExists(link));
}

TEST(DescOleCallbackWin32, StorageAndInterfaces) {
  ::OleInitialize(nullptr);
  CDescOleCallback member;
  EXPECT_EQ(member.RefCount(), 0);
  IStorage* storage = nullptr;
  EXPECT_EQ(member.GetNewStorage(&storage), S_OK);
  ASSERT_NE(storage, nullptr);
  IStream* stream = nullptr;
  EXPECT_EQ(storage->CreateStream(L"x", STGM_SHARE_EXCLUSIVE | STGM_READWRITE | STGM_CREATE, 0, 0, &stream),
            S_OK);
  if (stream != nullptr) stream->Release();
  storage->Release();
  EXPECT_EQ(member.GetNewStorage(nullptr), E_INVALIDARG);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(member.QueryInterface(IID_IDataObject, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(member.QueryInterface(kIidRichEditOleCallback, &out), S_OK);
  EXPECT_EQ(out, static_cast<IRichEditOleCallback*>(&member));
  EXPECT_EQ(member.QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(member.RefCount(), 2);
  EXPECT_EQ(member.Release(), 1u);
  EXPECT_EQ(member.Release(), 0u);  // the member survives a count of 0
  auto* frame = reinterpret_cast<IOleInPlaceFrame*>(1);
  auto* doc = reinterpret_cast<IOleInPlaceUIWindow*>(1);
  EXPECT_EQ(member.GetInPlaceContext(&frame, &doc, nullptr), S_OK);
  EXPECT_TRUE(frame == nullptr && doc == nullptr);

  CDescOleCallback* own = CDescOleCallback::CreateSelfOwned();
  own->AddRef();
  EXPECT_EQ(own->Release(), 0u);  // destroyed here
  ::OleUninitialize();
}

}  // namespace
}  // namespace browser::testing
