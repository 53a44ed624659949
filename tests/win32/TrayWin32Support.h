// Helpers of the Wine tests: files beside the test program (whose name makes
// the configuration "win32_tests.cfg"), and an emptied message queue.
#pragma once

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

// Drops messages the tests' windows left in the queue (a WM_QUIT included).
inline void DrainQueue() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ::DispatchMessageA(&message);
  }
}

}  // namespace traywin32
