// Helpers of the tests that run on the real system: files and folders of a
// test's own, the StartUp folder, started programs, and waits for windows of
// other processes.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace e2e {

// Upper bound for waits that normally end within a second or two; only a
// hung program reaches it.
constexpr DWORD kGuardMs = 30000;

// This test program's own path, and its folder.
inline std::string ModulePath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}
inline std::string ModuleDir() {
  const std::string path = ModulePath();
  return path.substr(0, path.find_last_of('\\'));
}

// A path of the build machine as the Windows side sees it (Wine maps the
// Linux root to Z:).
inline std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

inline bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  return static_cast<bool>(out << text << std::flush);
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD guard = kGuardMs) {
  for (DWORD waited = 0; waited < guard; waited += 20) {
    if (condition()) return true;
    ::Sleep(20);
  }
  return condition();
}

// Sends a message and waits for the window's process to have handled it;
// -1 when it does not answer.
inline LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kGuardMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

// The text of a window of any process.
inline std::string TextOf(HWND window) {
  char text[4096] = {};
  SendAndWait(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

inline DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return id;
}

// Top-level windows of the class with the caption, of any process.
inline std::vector<HWND> TopWindows(const char* className, const char* caption) {
  std::vector<HWND> found;
  for (HWND w = ::FindWindowExA(nullptr, nullptr, className, caption); w != nullptr;
       w = ::FindWindowExA(nullptr, w, className, caption))
    found.push_back(w);
  return found;
}

// Waits for a top-level window of the class with the caption that `accept`
// takes; nullptr when none comes.
template <typename Accept>
HWND WaitForWindow(const char* className, const char* caption, Accept accept) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : TopWindows(className, caption))
      if (accept(w)) return (found = w) != nullptr;
    return false;
  });
  return found;
}

// Removes `path` with everything in it; true when it is gone.
inline bool DeleteTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName, inner = path + "\\" + name;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(inner);
      } else {
        ::DeleteFileA(inner.c_str());
      }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(path.c_str());
  return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// The temporary folder, without the closing backslash.
inline std::string TempDir() {
  char temp[MAX_PATH] = {};
  const DWORD n = ::GetTempPathA(MAX_PATH, temp);
  return std::string(temp, n > 0 && n < MAX_PATH ? n - 1 : 0);
}

// The folder velmora-<name>-<process> in `parent` (the temporary folder by
// default), made afresh and removed again with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name, const std::string& parent = TempDir())
      : path_(parent + "\\velmora-" + name + "-" + std::to_string(::GetCurrentProcessId())) {
    DeleteTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    // The current directory cannot be removed; a program started from the
    // folder may still be ending and hold its file.
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    if (::lstrcmpiA(std::string(current).substr(0, path_.size()).c_str(), path_.c_str()) == 0)
      ::SetCurrentDirectoryA(path_.substr(0, path_.find_last_of('\\')).c_str());
    for (int i = 0; i < 200 && !DeleteTree(path_); ++i) ::Sleep(50);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string In(const std::string& name) const { return path_ + "\\" + name; }
  // Creates the sub-folder `name` and returns its path.
  std::string Folder(const std::string& name) const {
    ::CreateDirectoryA(In(name).c_str(), nullptr);
    return In(name);
  }

 private:
  std::string path_;
};

// The StartUp folder of the Windows folder, made where missing, and the
// shortcut `linkName` in it; both are removed again at the end.
class StartupFolder {
 public:
  explicit StartupFolder(const std::string& linkName) {
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    std::string path = windows;
    for (const char* part : {"\\Start Menu", "\\Programs", "\\StartUp"}) {
      path += part;
      if (::CreateDirectoryA(path.c_str(), nullptr)) made_.insert(made_.begin(), path);
    }
    link_ = path + "\\" + linkName;
    ::DeleteFileA(link_.c_str());
  }
  ~StartupFolder() {
    ::DeleteFileA(link_.c_str());
    for (const auto& folder : made_) ::RemoveDirectoryA(folder.c_str());
  }
  StartupFolder(const StartupFolder&) = delete;
  StartupFolder& operator=(const StartupFolder&) = delete;

  const std::string& Link() const { return link_; }

 private:
  std::vector<std::string> made_;
  std::string link_;
};

// A started program, in `folder` (the test's own current folder when
// empty); ended by force if it is still running when dropped.
class Process {
 public:
  explicit Process(const std::string& program, const std::string& parameter = "",
                   const std::string& folder = "") {
    std::string commandLine = "\"" + program + "\"" + (parameter.empty() ? "" : " " + parameter);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE;
    if (started_) ::CloseHandle(info_.hThread);
  }
  ~Process() {
    if (!started_) return;
    if (Running()) {
      ::TerminateProcess(info_.hProcess, 99);
      ::WaitForSingleObject(info_.hProcess, kGuardMs);
    }
    ::CloseHandle(info_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit(DWORD guard = kGuardMs) const {
    return ::WaitForSingleObject(info_.hProcess, guard) == WAIT_OBJECT_0;
  }
  // Waits until the program reads its message queue.
  bool WaitForIdle() const { return ::WaitForInputIdle(info_.hProcess, kGuardMs) == 0; }
  DWORD ExitCode() const {
    DWORD code = 1;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_ = {};
};

}  // namespace e2e
