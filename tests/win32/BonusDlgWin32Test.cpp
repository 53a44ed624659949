// The real main dialog on a sample disk of the test's own: tree, texts,
// captions, the description with an embedded picture, the double-click
// filter, the StartUp shortcut, and a screenshot of the window.
#include <gtest/gtest.h>

#include "platform/win32/Win32Api.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "browser/win32/BonusDlgWin32.h"
#include "tests/win32/RedirectedPlatform.h"

namespace bonus::testing {
namespace {

std::string SourcePath(const std::string& relative) {
  std::string path = std::string("Z:") + VELMORA_SOURCE_DIR + "/" + relative;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path);
      } else {
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(folder.c_str());
}

std::string WindowText(HWND window) {
  char buffer[1024] = {};
  ::GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

std::string TreeItemText(HWND tree, LRESULT item) {
  char buffer[256] = {};
  TVITEMA query = {};
  query.mask = TVIF_TEXT | TVIF_IMAGE;
  query.hItem = reinterpret_cast<HTREEITEM>(item);
  query.pszText = buffer;
  query.cchTextMax = sizeof buffer;
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

// Saves the screen area of `window` as a 24-bit BMP file.
bool SaveWindowShot(HWND window, const std::string& file) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
  ::GdiFlush();
  ::Sleep(300);
  RECT r;
  ::GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
  ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return out.good();
}

struct ToolTipSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchToolTip(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ToolTipSearch*>(context);
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (::GetWindow(window, GW_OWNER) == search->owner && ::lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The tooltip window the dialog created (owned by it).
HWND FindToolTip(HWND dialog) {
  ToolTipSearch search{dialog, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchToolTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
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
  std::string root, program, windows, disk, data, link;
  RedirectedPlatform platform;
  std::string caption;

  void SetUp() override {
    ::OleInitialize(nullptr);
    ::LoadLibraryA("riched20.dll");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "VelmoraBrowserTest-" + std::to_string(::GetCurrentProcessId());
    program = root + "\\prog";
    windows = root + "\\win";
    disk = root + "\\disk";
    data = disk + "\\access";
    for (const std::string& f : {root, program, windows, windows + "\\Start Menu", windows + "\\Start Menu\\Programs",
                                 windows + "\\Start Menu\\Programs\\StartUp", disk, data}) {
      ::CreateDirectoryA(f.c_str(), nullptr);
    }
    link = windows + "\\Start Menu\\Programs\\StartUp\\VERavevi.lnk";
    platform.modulePath = program + "\\VERavevi.exe";
    platform.windowsDir = windows;
    platform.sourceDir = disk;
    caption = "Velmora Browser Test " + std::to_string(::GetCurrentProcessId());
  }
  void TearDown() override {
    DeleteTree(root);
    ::OleUninitialize();
  }
  void Capsule(const std::string& name, const std::string& cfg) {
    ::CreateDirectoryA((data + "\\" + name).c_str(), nullptr);
    WriteFile(data + "\\" + name + "\\" + name + ".cfg", cfg);
  }
  // Runs the dialog; false when no window could be made (no display).
  bool Run(CheckedDialog& dialog, INT_PTR& result) {
    result = dialog.DoModal();
    return result != -1;
  }
};

TEST_F(MainDialogWin32, OpensOnSampleDiskAndShowsSelectedCapsule) {
  WriteFile(data + "\\VERavevi.cfg", "[TuneUp]\nWindowTitle=" + caption +
                                         "\nWelcomeTitle=Test Bonus Software\nWelcomeText=Pick one of these.\n"
                                         "Height=16\nDistance=20\n[Packages]\nAlpha\nBeta\nGamma\n");
  Capsule("Alpha", "[TuneUp]\nTitle=Alpha Chess\nNote=Alpha note\nTip=Alpha tip\nButton1=Get Alpha\nDisabled=1\n"
                   "MoreInfoTitle=Alpha manual\nMoreInfoRun=manual.txt\n");
  WriteFile(data + "\\Alpha\\manual.txt", "manual");
  WriteFile(data + "\\Alpha\\Alpha.rtf", ReadFile(SourcePath("examples/demo/access/Games/Chess/Chess.rtf")));
  WriteFile(data + "\\Alpha\\Alpha.ico", ReadFile(SourcePath("examples/demo/access/Games/Chess/Chess.ico")));
  Capsule("Beta", "[TuneUp]\nTitle=\n");
  Capsule("Gamma", "[TuneUp]\nTitle=Gamma Tools\nTip=Gamma tip\nButton2=Leave\n");
  ASSERT_FALSE(ReadFile(data + "\\Alpha\\Alpha.rtf").empty());

  CheckedDialog dialog(platform, [&](CheckedDialog& d) {
    HWND w = d.Window();
    HWND tree = ::GetDlgItem(w, kIdCapsuleList);
    EXPECT_EQ(WindowText(w), caption);
    EXPECT_EQ(TreeTexts(tree), (std::vector<std::string>{"Alpha Chess", "Gamma Tools"}));
    EXPECT_EQ(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0), 20);
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 1);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(::SendMessageA(tree, TVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(RGB(170, 0, 17)));
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdTitle)), "Test Bonus Software");
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdIntro)), "Pick one of these.");
    LOGFONTA font = {};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(::GetDlgItem(w, kIdTitle), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_NE(::SendMessageA(::GetDlgItem(w, kIdLogo), STM_GETICON, 0, 0), 0);
    EXPECT_NE(WindowText(::GetDlgItem(w, kIdDiskSpace)).find("C: "), std::string::npos);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(w, kIdPicture)));
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdInstall)), "Install");
    EXPECT_EQ(::GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES, true) << link;

    // Select the first capsule as a click would.
    ::SetFocus(tree);
    const LRESULT first = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, first);
    EXPECT_EQ(d.Logic().m_nCapsule, 0);
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdNote)), "Alpha note");
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdInstall)), "Get Alpha");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(w, kIdInstall)));
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdClose)), "Close");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(w, kIdPicture)));
    HWND link1010 = ::GetDlgItem(w, kIdMoreInfo);
    EXPECT_TRUE(::IsWindowVisible(link1010));
    EXPECT_EQ(TreeTexts(link1010), std::vector<std::string>{"Alpha manual"});

    // The description with its embedded picture.
    HWND pane = ::GetDlgItem(w, kIdDescription);
    EXPECT_NE(WindowText(pane).find("Chess Deluxe"), std::string::npos);
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
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdInstall)), "Install");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(w, kIdInstall)));
    EXPECT_EQ(WindowText(::GetDlgItem(w, kIdClose)), "Leave");
    EXPECT_FALSE(::IsWindowVisible(link1010));

    // One tool for the tree, carrying the latest selection's tip.
    HWND tip = FindToolTip(w);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tip, w, tree), "Gamma tip");

    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, first);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tip, w, tree), "Alpha tip");
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string shot = exe;
    shot = shot.substr(0, shot.find_last_of('\\')) + "\\main-dialog-test.bmp";
    EXPECT_TRUE(SaveWindowShot(w, shot));
    std::printf("screenshot: %s\n", shot.c_str());
  });
  INT_PTR result = 0;
  if (!Run(dialog, result)) GTEST_SKIP() << "no window could be created (no display?)";
  EXPECT_TRUE(dialog.checksRan);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(::GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainDialogWin32, MissingCapsuleFileEndsTheDialog) {
  WriteFile(data + "\\VERavevi.cfg", "[TuneUp]\nWindowTitle=" + caption + "\n[Packages]\nAlpha\nNowhere\n");
  Capsule("Alpha", "[TuneUp]\nTitle=Alpha\n");
  CheckedDialog dialog(platform, [](CheckedDialog&) {});
  INT_PTR result = 0;
  if (!Run(dialog, result)) GTEST_SKIP() << "no window could be created (no display?)";
  EXPECT_EQ(result, 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "Error: " + data + "\\Nowhere\\Nowhere.cfg doesn't exist.");
  EXPECT_EQ(platform.boxes[0].caption, caption);
  EXPECT_EQ(::GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainDialogWin32, DiskPromptCancelledClosesTheDialog) {
  platform.answers = {IDCANCEL};
  CheckedDialog dialog(platform, [](CheckedDialog&) {});
  INT_PTR result = 0;
  if (!Run(dialog, result)) GTEST_SKIP() << "no window could be created (no display?)";
  EXPECT_EQ(result, 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "Please insert the disk labeled \"Velmora 5.0\", and click OK.");
  EXPECT_EQ(platform.boxes[0].caption, "Velmora Bonus Software Installer");
  EXPECT_EQ(platform.boxes[0].type, 0x11u);
}

TEST(DescOleCallbackWin32, StorageInterfacesAndRefusals) {
  ::OleInitialize(nullptr);
  CDescOleCallback member;
  EXPECT_EQ(member.RefCount(), 0);
  IStorage* storage = nullptr;
  EXPECT_EQ(member.GetNewStorage(&storage), S_OK);
  ASSERT_NE(storage, nullptr);
  IStream* stream = nullptr;
  EXPECT_EQ(storage->CreateStream(L"x", STGM_SHARE_EXCLUSIVE | STGM_READWRITE | STGM_CREATE, 0, 0, &stream), S_OK);
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

  EXPECT_EQ(member.ContextSensitiveHelp(TRUE), E_NOTIMPL);
  LPDATAOBJECT data = reinterpret_cast<LPDATAOBJECT>(1);
  EXPECT_EQ(member.GetClipboardData(nullptr, 0, &data), E_NOTIMPL);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(member.GetDragDropEffect(FALSE, 0, nullptr), E_NOTIMPL);
  HMENU menu = reinterpret_cast<HMENU>(1);
  EXPECT_EQ(member.GetContextMenu(0, nullptr, nullptr, &menu), S_OK);
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(member.QueryInsertObject(nullptr, nullptr, 0), S_OK);
  EXPECT_EQ(member.QueryAcceptData(nullptr, nullptr, 0, TRUE, nullptr), S_OK);
  EXPECT_EQ(member.ShowContainerUI(TRUE), S_OK);
  EXPECT_EQ(member.DeleteObject(nullptr), S_OK);

  CDescOleCallback* own = CDescOleCallback::CreateSelfOwned();
  own->AddRef();
  EXPECT_EQ(own->Release(), 0u);  // destroyed here
  ::OleUninitialize();
}

}  // namespace
}  // namespace bonus::testing
