// Helpers of the tray's Wine tests: files beside the test program (whose
// name makes the configuration "win32_tests.cfg"), the StartUp folder of the
// prefix, and a window that drives a modal dialog when its loop goes idle.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace traywin32 {

inline std::string ModulePath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

inline std::string ModuleDir() {
  std::string path = ModulePath();
  return path.substr(0, path.find_last_of('\\'));
}

inline std::string BesideProgram(const std::string& name) { return ModuleDir() + "\\" + name; }

inline bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == text.size();
}

inline bool FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Files created for one test and deleted when it ends.
class ScratchFiles {
 public:
  ScratchFiles() = default;
  ScratchFiles(const ScratchFiles&) = delete;
  ScratchFiles& operator=(const ScratchFiles&) = delete;
  ~ScratchFiles() {
    for (const auto& path : paths_) ::DeleteFileA(path.c_str());
  }
  bool Write(const std::string& path, const std::string& text) {
    paths_.push_back(path);
    return WriteText(path, text);
  }
  bool Copy(const std::string& from, const std::string& to) {
    paths_.push_back(to);
    return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
  }
  // The main configuration beside the program, with the description marker
  // that makes the program folder the data folder as well.
  bool Configuration(const std::string& tuneUpLines, bool marker = true) {
    bool ok = Write(BesideProgram("win32_tests.cfg"), "[TuneUp]\r\n" + tuneUpLines);
    if (marker) ok = Write(BesideProgram("win32_tests.rtf"), "{\\rtf1 }") && ok;
    return ok;
  }

 private:
  std::vector<std::string> paths_;
};

// The prefix's StartUp folder for the test, and the tray shortcut in it;
// what the test made is removed when it ends.
class StartupFolder {
 public:
  StartupFolder() {
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    std::string path = windows;
    for (const char* part : {"\\Start Menu", "\\Programs", "\\StartUp"}) {
      path += part;
      if (::CreateDirectoryA(path.c_str(), nullptr)) made_.insert(made_.begin(), path);
    }
    link_ = path + "\\VERaveviTrayIcon.lnk";
    ::DeleteFileA(link_.c_str());
  }
  StartupFolder(const StartupFolder&) = delete;
  StartupFolder& operator=(const StartupFolder&) = delete;
  ~StartupFolder() {
    ::DeleteFileA(link_.c_str());
    for (const auto& folder : made_) ::RemoveDirectoryA(folder.c_str());
  }
  const std::string& Link() const { return link_; }

 private:
  std::vector<std::string> made_;
  std::string link_;
};

// A hidden owner window for modal dialogs: at the first WM_ENTERIDLE of a
// dialog's loop it runs `script` with the dialog's window.
class DialogDriver {
 public:
  explicit DialogDriver(std::function<void(HWND dialog)> script) : script_(std::move(script)) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &DialogDriver::Proc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VeraveviTrayTestDriver";
    ::RegisterClassA(&windowClass);
    window_ = ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  ~DialogDriver() { ::DestroyWindow(window_); }

  HWND Window() const { return window_; }
  bool Ran() const { return ran_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DialogDriver*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && !self->ran_) {
      self->ran_ = true;
      self->script_(reinterpret_cast<HWND>(lParam));
      return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  std::function<void(HWND)> script_;
  HWND window_ = nullptr;
  bool ran_ = false;
};

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

inline void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Drops messages the tests' windows left in the queue (a WM_QUIT included).
inline void DrainQueue() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ::DispatchMessageA(&message);
  }
}

}  // namespace traywin32
