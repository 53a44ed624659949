// The tray across real processes: a copy of VERavevi.exe in a scratch
// folder (with the program's description marker, so that the folder is
// also the data folder), driven through its hidden frame's messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace {

// Upper bound for waits that normally end within a second or two; only a
// hung program reaches it.
constexpr DWORD kGuardMs = 30000;
constexpr const char* kTitle = "Velmora Tray E2E";
constexpr const char* kFrameClass = "VERaveviTrayFrame";
constexpr const char* kFrameTitle = "Velmora Bonus Software";
constexpr UINT kIconId = 3;
constexpr UINT kOpenCommand = 32023;
constexpr UINT kQuitCommand = 32024;
constexpr UINT kDisableCommand = 32027;
constexpr int kShowNextTime = 1000;
constexpr int kNoButton = 1001;
constexpr int kOrderText = 1026;
constexpr int kLogEdit = 59648;

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == text.size();
}

bool FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

template <typename Condition>
bool WaitUntil(Condition condition) {
  for (DWORD waited = 0; waited < kGuardMs; waited += 20) {
    if (condition()) return true;
    ::Sleep(20);
  }
  return condition();
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kGuardMs, &copied);
  return text;
}

// Top-level dialog windows with the caption, of any process.
std::vector<HWND> DialogsTitled(const char* caption) {
  std::vector<HWND> found;
  for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", caption); w != nullptr;
       w = ::FindWindowExA(nullptr, w, "#32770", caption))
    found.push_back(w);
  return found;
}

// The first top-level dialog with the caption that has a control `childId`.
HWND DialogWithControl(const char* caption, int childId) {
  for (HWND w : DialogsTitled(caption))
    if (::GetDlgItem(w, childId) != nullptr) return w;
  return nullptr;
}

// Sends a message and waits for the other process to have handled it.
LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kGuardMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

class Process {
 public:
  Process(const std::string& program, const std::string& parameter, const std::string& folder) {
    std::string commandLine = "\"" + program + "\"";
    if (!parameter.empty()) commandLine += " " + parameter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &info_) != FALSE;
    if (started_) ::CloseHandle(info_.hThread);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() {
    if (!started_) return;
    if (Running()) {
      ::TerminateProcess(info_.hProcess, 99);
      ::WaitForSingleObject(info_.hProcess, kGuardMs);
    }
    ::CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  bool Running() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit() const { return ::WaitForSingleObject(info_.hProcess, kGuardMs) == WAIT_OBJECT_0; }
  DWORD Id() const { return info_.dwProcessId; }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_ = {};
};

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return id;
}

class TrayE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "velmora-tray-e2e-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    program_ = InFolder("VERavevi.exe");
    ASSERT_TRUE(::CopyFileA(WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));

    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    std::string path = windows;
    for (const char* part : {"\\Start Menu", "\\Programs", "\\StartUp"}) {
      path += part;
      if (::CreateDirectoryA(path.c_str(), nullptr)) madeFolders_.insert(madeFolders_.begin(), path);
    }
    link_ = path + "\\VERaveviTrayIcon.lnk";
    ::DeleteFileA(link_.c_str());
  }

  void TearDown() override {
    processes_.clear();
    for (const char* name : {"VERavevi.exe", "VERavevi.rtf", "VERavevi.cfg"})
      ::DeleteFileA(InFolder(name).c_str());
    ::RemoveDirectoryA(folder_.c_str());
    ::DeleteFileA(link_.c_str());
    for (const auto& made : madeFolders_) ::RemoveDirectoryA(made.c_str());
  }

  std::string InFolder(const std::string& name) const { return folder_ + "\\" + name; }

  // The program folder holds the marker and the main configuration.
  void Configure(const std::string& tuneUp, bool marker = true) {
    if (marker) {
      ASSERT_TRUE(WriteText(InFolder("VERavevi.rtf"), "{\\rtf1 }"));
    }
    ASSERT_TRUE(WriteText(InFolder("VERavevi.cfg"), "[TuneUp]\r\n" + tuneUp));
  }

  Process& Start(const std::string& parameter) {
    processes_.push_back(std::make_unique<Process>(program_, parameter, folder_));
    EXPECT_TRUE(processes_.back()->Started());
    return *processes_.back();
  }

  // The hidden frame of `process`, once it is there.
  HWND FrameOf(const Process& process) {
    HWND frame = nullptr;
    WaitUntil([&] {
      for (HWND w = ::FindWindowExA(nullptr, nullptr, kFrameClass, kFrameTitle); w != nullptr;
           w = ::FindWindowExA(nullptr, w, kFrameClass, kFrameTitle))
        if (ProcessOf(w) == process.Id()) frame = w;
      return frame != nullptr;
    });
    return frame;
  }

  // The tray process ends through the frame's quit command.
  void Quit(Process& process, HWND frame) {
    ::PostMessageA(frame, WM_COMMAND, kQuitCommand, 0);
    EXPECT_TRUE(process.WaitForExit());
  }

  std::string folder_, program_, link_;
  std::vector<std::string> madeFolders_;
  std::vector<std::unique_ptr<Process>> processes_;
  plat::Win32Platform platform_;
};

TEST_F(TrayE2E, TrayOnlyStartWritesTheStartupShortcutAndKeepsAHiddenFrame) {
  Configure(std::string("WindowTitle=") + kTitle + "\r\n");
  Process& tray = Start("0");
  HWND frame = FrameOf(tray);
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(::IsWindowVisible(frame));
  EXPECT_EQ(TextOf(frame), kFrameTitle);

  ASSERT_TRUE(WaitUntil([&] { return FileExists(link_); }));
  auto link = platform_.LoadShellLink(link_);
  ASSERT_TRUE(link);
  EXPECT_EQ(::lstrcmpiA(link->target.c_str(), program_.c_str()), 0) << link->target;
  EXPECT_EQ(link->arguments, "0");
  EXPECT_EQ(::lstrcmpiA(link->workingDir.c_str(), folder_.c_str()), 0) << link->workingDir;
  EXPECT_EQ(::lstrcmpiA(link->iconPath.c_str(), program_.c_str()), 0) << link->iconPath;
  EXPECT_EQ(link->iconIndex, 0);
  EXPECT_EQ(link->showCommand, 1);

  // A close request only hides the frame.
  EXPECT_EQ(SendAndWait(frame, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(tray.Running());
  EXPECT_TRUE(::IsWindow(frame));
  Quit(tray, frame);
}

TEST_F(TrayE2E, DoubleClickOpensTheMainDialogAndASecondOneOnlyRaisesIt) {
  Configure(std::string("WindowTitle=") + kTitle + "\r\n");
  Process& tray = Start("0");
  HWND frame = FrameOf(tray);
  ASSERT_NE(frame, nullptr);

  // The first double click runs the main dialog modally inside the frame's
  // handler, so it is posted.
  ASSERT_TRUE(::PostMessageA(frame, WM_USER, kIconId, WM_LBUTTONDBLCLK));
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).size() == 1; }));
  HWND dialog = DialogsTitled(kTitle)[0];
  EXPECT_EQ(ProcessOf(dialog), tray.Id());

  // The second is served by the dialog's loop and only raises it.
  EXPECT_EQ(SendAndWait(frame, WM_USER, kIconId, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(DialogsTitled(kTitle).size(), 1u);

  std::string log = TextOf(::GetDlgItem(frame, kLogEdit));
  EXPECT_EQ(log,
            "Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n"
            "Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n");

  // Closing the dialog leaves the tray.
  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).empty(); }));
  EXPECT_TRUE(tray.Running());
  // The Open command opens it again.
  ASSERT_TRUE(::PostMessageA(frame, WM_COMMAND, kOpenCommand, 0));
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).size() == 1; }));
  ::PostMessageA(DialogsTitled(kTitle)[0], WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).empty(); }));
  Quit(tray, frame);
}

enum class End { Yes, No, Close };

struct DisableCase {
  const char* name;
  End end;
  bool ticked;
  bool shortcut;
  bool trayEnds;
};

class DisableTrayIconE2E : public TrayE2E, public ::testing::WithParamInterface<DisableCase> {};

TEST_P(DisableTrayIconE2E, ShortcutAndTrayFollowTheAnswer) {
  const DisableCase& c = GetParam();
  Configure(std::string("WindowTitle=") + kTitle + "\r\n");
  Process& tray = Start("0");
  HWND frame = FrameOf(tray);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(link_); }));

  ASSERT_TRUE(::PostMessageA(frame, WM_COMMAND, kDisableCommand, 0));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = DialogWithControl(kTitle, kNoButton)) != nullptr; }));
  HWND check = ::GetDlgItem(dialog, kShowNextTime);
  // The configuration lies in the program folder: the box starts clear.
  EXPECT_EQ(SendAndWait(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  if (c.ticked) SendAndWait(check, BM_CLICK, 0, 0);
  switch (c.end) {
    case End::Yes:
      ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case End::No:
      ::PostMessageA(::GetDlgItem(dialog, kNoButton), BM_CLICK, 0, 0);
      break;
    case End::Close:
      ::PostMessageA(dialog, WM_CLOSE, 0, 0);
      break;
  }

  if (c.trayEnds) {
    EXPECT_TRUE(tray.WaitForExit());
  } else {
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    // A round trip through the frame: the dialog's handlers are done.
    EXPECT_EQ(SendAndWait(frame, WM_USER, kIconId, WM_MOUSEMOVE), 0);
    EXPECT_TRUE(tray.Running());
  }
  EXPECT_EQ(FileExists(link_), c.shortcut);
  if (c.shortcut) {
    auto link = platform_.LoadShellLink(link_);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->arguments, "0");
    EXPECT_EQ(::lstrcmpiA(link->target.c_str(), program_.c_str()), 0) << link->target;
  }
  if (!c.trayEnds) Quit(tray, frame);
}

INSTANTIATE_TEST_SUITE_P(Table, DisableTrayIconE2E,
                         ::testing::Values(DisableCase{"YesTicked", End::Yes, true, true, true},
                                           DisableCase{"YesClear", End::Yes, false, false, true},
                                           DisableCase{"NoTicked", End::No, true, true, false},
                                           DisableCase{"NoClear", End::No, false, false, false},
                                           DisableCase{"CloseTicked", End::Close, true, true, false},
                                           DisableCase{"CloseClear", End::Close, false, false, false}),
                         [](const ::testing::TestParamInfo<DisableCase>& paramInfo) {
                           return std::string(paramInfo.param.name);
                         });

TEST_F(TrayE2E, TheOrderDialogAppearsWhenTheDiskIsMissingAndAnOrderPageIsConfigured) {
  if (platform_.RegQueryValue(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir"))
    GTEST_SKIP() << "the prefix records a source folder";
  // Without the marker the main file is looked for in the product's data
  // folder, which this prefix does not have.
  Configure(std::string("WindowTitle=") + kTitle +
                "\r\nOrderURLmsg=Order %s now.\\nIt is on CD.\r\nOrderURL=http://order.example.invalid/\r\n",
            false);
  Process& process = Start("");

  HWND order = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (order = DialogWithControl(kTitle, kOrderText)) != nullptr; }));
  EXPECT_EQ(TextOf(::GetDlgItem(order, kOrderText)), "Order Velmora 5.0 now.\nIt is on CD.");

  // OK looks for the disk again: the dialog comes back.
  ::PostMessageA(::GetDlgItem(order, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(order); }));
  ASSERT_TRUE(WaitUntil([&] { return (order = DialogWithControl(kTitle, kOrderText)) != nullptr; }));
  EXPECT_TRUE(process.Running());

  // Cancel gives up; in dialog-only mode the process ends.
  ::PostMessageA(::GetDlgItem(order, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(process.WaitForExit());
  EXPECT_TRUE(DialogsTitled(kTitle).empty());
}

}  // namespace
