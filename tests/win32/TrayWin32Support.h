// Helpers of the tray's Wine tests: files beside the test program (whose
// name makes the configuration "win32_tests.cfg"), and a window that drives
// a modal dialog when its loop goes idle.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"
#include "tests/e2e/E2ESupport.h"

namespace traywin32 {

inline std::string BesideProgram(const std::string& name) { return e2e::ModuleDir() + "\\" + name; }

// Files created for one test and deleted when it ends.
class ScratchFiles {
 public:
  ScratchFiles() = default;
  ScratchFiles(const ScratchFiles&) = delete;
  ScratchFiles& operator=(const ScratchFiles&) = delete;
  ~ScratchFiles() {
    for (const auto& path : paths_) ::DeleteFileA(path.c_str());
  }
  bool Copy(const std::string& from, const std::string& to) {
    paths_.push_back(to);
    return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
  }
  // The main configuration beside the program, with the description marker
  // that makes the program folder the data folder as well.
  bool Configuration(const std::string& tuneUpLines) {
    paths_.push_back(BesideProgram("win32_tests.cfg"));
    paths_.push_back(BesideProgram("win32_tests.rtf"));
    return e2e::WriteText(paths_[paths_.size() - 2], "[TuneUp]\r\n" + tuneUpLines) &&
           e2e::WriteText(paths_.back(), "{\\rtf1 }");
  }

 private:
  std::vector<std::string> paths_;
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

inline void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Drops messages the tests' windows left in the queue (a WM_QUIT included).
inline void DrainQueue() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ::DispatchMessageA(&message);
  }
}

}  // namespace traywin32
