// The real platform with a few answers redirected, so that a test can run a
// real window on its own folders: the program seems to lie in a folder of
// the test's choosing, the Windows folder is the test's own (so StartUp
// shortcuts land there), the product's SourceDir is the test's disk, and
// message boxes are recorded and answered instead of shown. Everything else
// is the real Win32 call.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "platform/ForwardingPlatform.h"
#include "platform/win32/Win32Platform.h"

namespace browser::testing {

// Holds the real platform so that it is made before the layer over it.
struct RealPlatformHolder {
  plat::Win32Platform real;
};

class RedirectedPlatform : private RealPlatformHolder, public plat::ForwardingPlatform {
 public:
  RedirectedPlatform() : ForwardingPlatform(real) {}

  std::string modulePath;
  std::string windowsDir;
  std::string sourceDir;
  struct Box {
    std::string text, caption;
    unsigned type;
  };
  std::vector<Box> boxes;
  std::deque<int> answers;  // front first; IDOK when empty
  std::vector<std::string> sounds;

  std::string WindowsDirectory() override { return windowsDir; }
  std::string ModulePath() override { return modulePath; }
  std::optional<plat::RegValue> RegQueryValue(plat::RegRoot root, const std::string& key,
                                              const std::string& name) override {
    if (root == plat::RegRoot::LocalMachine && key == kProductKey && name == kSourceDirValue) {
      return plat::RegValue{plat::kRegSz, sourceDir + std::string(1, '\0')};
    }
    return real.RegQueryValue(root, key, name);
  }
  int MessageBox(plat::WindowHandle, const std::string& text, const std::string& caption,
                 unsigned type) override {
    boxes.push_back({text, caption, type});
    if (answers.empty()) return plat::kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Nothing is started, loaded or added to the tray from these tests.
  bool CreateProcess(const std::string&) override { return false; }
  std::vector<std::string> CommandLineArguments() override { return {}; }
  std::intptr_t ShellExecute(plat::WindowHandle, const std::string&, const std::string&, const std::string&,
                             const std::string&, int) override {
    return 2;
  }
  bool PlaySound(const std::string& path, std::uint32_t) override {
    sounds.push_back(path);
    return true;
  }
  plat::ModuleHandle LoadLibrary(const std::string&) override { return 0; }
  plat::ProcAddress GetProcAddress(plat::ModuleHandle, const std::string&) override { return 0; }
  void FreeLibrary(plat::ModuleHandle) override {}
  int CallScriptInstall(plat::ProcAddress, const std::string&) override { return 0; }
  bool ShellNotifyIcon(std::uint32_t, const plat::NotifyIconData&) override { return false; }
};

}  // namespace browser::testing
