// A tour of the real program under the real platform: a scratch disk of
// three capsules beside a copy of VERavevi.exe (its description marker makes
// the program folder the data folder). The scripted tour selects every
// capsule, installs with each answer to the confirmation and closes; the
// random walk (fixed seed, bounded steps and time) selects, installs,
// starts second instances and closes and reopens, checking after every step
// that there is at most one main dialog, that its StartUp shortcut exists
// exactly while it is open, and that nothing else under the Windows folder
// changed.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr DWORD kGuardMs = 30000;
constexpr const char* kTitle = "Velmora Tour E2E";
constexpr int kTree = 1004, kNote = 1003, kInstall = 1006;

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == text.size();
}

std::string ReadText(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[512];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  ::CloseHandle(file);
  return text;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

template <typename Condition>
bool WaitUntil(Condition condition, DWORD guard = kGuardMs) {
  for (DWORD waited = 0; waited < guard; waited += 20) {
    if (condition()) return true;
    ::Sleep(20);
  }
  return condition();
}

std::string Text(HWND window) {
  char buffer[1024] = {};
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        5000, nullptr);
  return buffer;
}

// Top-level windows with the caption: main dialogs (with the capsule tree)
// and the program's message boxes.
struct Windows {
  std::vector<HWND> dialogs, boxes;
};
BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* out = reinterpret_cast<Windows*>(param);
  char caption[256] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  if (std::string(caption) != kTitle || !::IsWindowVisible(window)) return TRUE;
  (::GetDlgItem(window, kTree) != nullptr ? out->dialogs : out->boxes).push_back(window);
  return TRUE;
}
Windows TitledWindows() {
  Windows w;
  ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&w));
  return w;
}

// Every file under `folder` with its size and last write time.
void Tree(const std::string& folder, std::map<std::string, std::uint64_t>& out) {
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Tree(path, out);
    } else {
      out[path] = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                   data.ftLastWriteTime.dwLowDateTime) ^
                  (static_cast<std::uint64_t>(data.nFileSizeLow) << 1);
    }
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
}

class Process {
 public:
  explicit Process(const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &info_) != FALSE;
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
  DWORD ExitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_ = {};
};

struct Capsule {
  const char* folder;
  const char* title;
  const char* note;
  bool disclaimer;
};
const Capsule kCapsules[] = {
    {"Chess", "Chess Master", "A game of chess.", true},
    {"Paint", "Paint Studio", "Draw and paint.", false},
    {"Tools\\Zip", "Zip Tools", "Pack files.", true},
};

class TourE2E : public ::testing::Test {
 protected:
  std::string folder_, program_, link_, windowsDir_;
  std::map<std::string, std::uint64_t> windowsBefore_;
  std::unique_ptr<Process> process_;
  HWND dialog_ = nullptr;

  std::string In(const std::string& name) const { return folder_ + "\\" + name; }
  std::string Runs(const Capsule& c) const { return In(std::string(c.folder) + "\\runs.txt"); }

  void SetUp() override {
    char temp[MAX_PATH] = {}, windows[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    ASSERT_NE(::GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    windowsDir_ = windows;
    const std::string startUp = windowsDir_ + "\\Start Menu\\Programs\\StartUp";
    ::CreateDirectoryA((windowsDir_ + "\\Start Menu").c_str(), nullptr);
    ::CreateDirectoryA((windowsDir_ + "\\Start Menu\\Programs").c_str(), nullptr);
    ::CreateDirectoryA(startUp.c_str(), nullptr);
    link_ = startUp + "\\VERavevi.lnk";
    ::DeleteFileA(link_.c_str());
    folder_ = std::string(temp) + "velmora-tour-e2e-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    program_ = In("VERavevi.exe");
    ASSERT_TRUE(::CopyFileA(WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(WriteText(In("VERavevi.rtf"), "{\\rtf1 }"));
    std::string main = std::string("[TuneUp]\r\nWindowTitle=") + kTitle + "\r\n[Packages]\r\n";
    ::CreateDirectoryA(In("Tools").c_str(), nullptr);
    for (const Capsule& c : kCapsules) {
      main += std::string(c.folder) + "\r\n";
      const std::string dir = In(c.folder);
      ASSERT_TRUE(::CreateDirectoryA(dir.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
      std::string name = c.folder;
      name = name.substr(name.find_last_of('\\') + 1);
      std::string cfg = std::string("[TuneUp]\r\nTitle=") + c.title + "\r\nNote=" + c.note + "\r\nRun=Setup.exe\r\n";
      if (c.disclaimer) cfg += "Disclaimer=1\r\n";
      ASSERT_TRUE(WriteText(dir + "\\" + name + ".cfg", cfg));
      ASSERT_TRUE(WriteText(dir + "\\" + name + ".rtf", std::string("{\\rtf1 ") + c.title + "\\par}"));
      ASSERT_TRUE(::CopyFileA(WindowsPath(APPEND_RUN_EXE).c_str(), (dir + "\\Setup.exe").c_str(), FALSE));
    }
    ASSERT_TRUE(WriteText(In("VERavevi.cfg"), main));
    Tree(windowsDir_, windowsBefore_);
  }

  void TearDown() override {
    if (dialog_ != nullptr && ::IsWindow(dialog_)) ::PostMessageA(dialog_, WM_CLOSE, 0, 0);
    if (process_) process_->WaitForExit();
    process_.reset();
    ::DeleteFileA(link_.c_str());
    for (const Capsule& c : kCapsules) {
      std::string name = c.folder;
      name = name.substr(name.find_last_of('\\') + 1);
      for (const std::string& f : {"\\" + name + ".cfg", "\\" + name + ".rtf", std::string("\\Setup.exe"),
                                   std::string("\\runs.txt")})
        ::DeleteFileA(In(c.folder + f).c_str());
      ::RemoveDirectoryA(In(c.folder).c_str());
    }
    ::RemoveDirectoryA(In("Tools").c_str());
    for (const char* f : {"VERavevi.exe", "VERavevi.rtf", "VERavevi.cfg"}) ::DeleteFileA(In(f).c_str());
    ::RemoveDirectoryA(folder_.c_str());
  }

  void Open() {
    process_ = std::make_unique<Process>(program_);
    ASSERT_TRUE(process_->Started());
    ASSERT_TRUE(WaitUntil([&] {
      auto w = TitledWindows();
      dialog_ = w.dialogs.empty() ? nullptr : w.dialogs[0];
      return dialog_ != nullptr &&
             ::SendMessageA(::GetDlgItem(dialog_, kTree), TVM_GETCOUNT, 0, 0) == LRESULT(std::size(kCapsules));
    })) << "no main dialog with every capsule";
  }
  void Close() {
    ::PostMessageA(dialog_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process_->WaitForExit()) << "the program did not end after closing";
    process_.reset();
    dialog_ = nullptr;
  }
  // Selects capsule `i` and returns the note line then shown.
  std::string Select(std::size_t i) {
    HWND tree = ::GetDlgItem(dialog_, kTree);
    LRESULT item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (std::size_t k = 0; k < i && item != 0; ++k) item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return Text(::GetDlgItem(dialog_, kNote));
  }
  // Presses Install; answers a confirmation box with `answer` if one comes.
  void Install(bool expectBox, int answer) {
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kInstall, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, kInstall)));
    if (!expectBox) return;
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      auto w = TitledWindows();
      box = w.boxes.empty() ? nullptr : w.boxes[0];
      return box != nullptr;
    })) << "no confirmation box";
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    ASSERT_TRUE(WaitUntil([&] { return TitledWindows().boxes.empty(); }));
  }
  void CheckInvariants(const std::string& step) {
    SCOPED_TRACE(step);
    auto w = TitledWindows();
    ASSERT_LE(w.dialogs.size(), 1u) << "two main dialogs";
    const bool open = !w.dialogs.empty();
    EXPECT_EQ(Exists(link_), open) << "the StartUp shortcut exists exactly while the dialog is open";
    if (process_) {
      EXPECT_TRUE(open || !process_->Running());
      if (!process_->Running()) {
        EXPECT_EQ(process_->ExitCode(), 0u);
      }
    }
    std::map<std::string, std::uint64_t> now;
    Tree(windowsDir_, now);
    now.erase(link_);
    auto before = windowsBefore_;
    before.erase(link_);
    std::vector<std::string> changed;
    for (const auto& [p, v] : now)
      if (!before.count(p) || before[p] != v) changed.push_back(p);
    for (const auto& [p, v] : before)
      if (!now.count(p)) changed.push_back("gone: " + p);
    EXPECT_EQ(changed, std::vector<std::string>{});
  }
};

TEST_F(TourE2E, SelectsInstallsWithEachAnswerAndCloses) {
  Open();
  EXPECT_TRUE(Exists(link_));
  for (std::size_t i = 0; i < std::size(kCapsules); ++i) {
    EXPECT_TRUE(WaitUntil([&] { return Select(i) == kCapsules[i].note; }, 5000)) << kCapsules[i].title;
  }
  // Chess asks: Cancel starts nothing, OK starts its installer.
  Select(0);
  Install(true, IDCANCEL);
  ::Sleep(500);
  EXPECT_FALSE(Exists(Runs(kCapsules[0])));
  Install(true, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ReadText(Runs(kCapsules[0])) == "run\r\n"; })) << ReadText(Runs(kCapsules[0]));
  // Paint does not ask.
  Select(1);
  Install(false, 0);
  EXPECT_TRUE(WaitUntil([&] { return Exists(Runs(kCapsules[1])); }));
  CheckInvariants("after the installs");
  Close();
  CheckInvariants("after closing");
  EXPECT_FALSE(Exists(link_));
}

TEST_F(TourE2E, RandomWalkKeepsTheInvariants) {
  std::mt19937 random(20261206u);
  Open();
  const DWORD start = ::GetTickCount();
  int steps = 0;
  for (; steps < 200 && ::GetTickCount() - start < 90000; ++steps) {
    const unsigned action = random() % 10;
    std::string step = "step " + std::to_string(steps) + " action " + std::to_string(action);
    if (dialog_ == nullptr) {
      Open();
    } else if (action < 6) {
      const std::size_t i = random() % std::size(kCapsules);
      EXPECT_EQ(Select(i), kCapsules[i].note) << step;
    } else if (action == 6) {
      // Install with whatever answer, for the capsule now selected.
      const std::string note = Text(::GetDlgItem(dialog_, kNote));
      bool asks = false;
      for (const Capsule& c : kCapsules)
        if (note == c.note) asks = c.disclaimer;
      if (note.empty()) continue;
      Install(asks, random() % 2 ? IDOK : IDCANCEL);
    } else if (action == 7) {
      // A second start finds the open dialog and ends.
      Process second(program_);
      ASSERT_TRUE(second.Started());
      EXPECT_TRUE(second.WaitForExit()) << step;
    } else if (action == 8) {
      Close();
    } else {
      ::Sleep(50);
    }
    if (::testing::Test::HasFatalFailure()) return;
    CheckInvariants(step);
    if (::testing::Test::HasFailure()) return;
  }
  RecordProperty("steps", steps);
  if (dialog_ != nullptr) Close();
  CheckInvariants("end");
}

}  // namespace
