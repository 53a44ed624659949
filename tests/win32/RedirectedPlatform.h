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
#include "platform/win32/Win32Platform.h"

namespace bonus::testing {

class RedirectedPlatform : public plat::Platform {
 public:
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
  std::string SystemDirectory() override { return real.SystemDirectory(); }
  std::string ModulePath() override { return modulePath; }
  std::optional<plat::FileAttributes> GetFileAttributes(const std::string& p) override {
    return real.GetFileAttributes(p);
  }
  bool ReadFileBytes(const std::string& p, std::string& b) override { return real.ReadFileBytes(p, b); }
  bool DeleteFile(const std::string& p) override { return real.DeleteFile(p); }
  std::string ShortPathName(const std::string& p) override { return real.ShortPathName(p); }
  std::string CurrentDirectory() override { return real.CurrentDirectory(); }
  bool SetCurrentDirectory(const std::string& p) override { return real.SetCurrentDirectory(p); }
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& t) override {
    return real.ExpandEnvironmentStrings(t);
  }
  bool RegKeyExists(plat::RegRoot root, const std::string& key) override { return real.RegKeyExists(root, key); }
  std::optional<plat::RegValue> RegQueryValue(plat::RegRoot root, const std::string& key,
                                              const std::string& name) override {
    if (root == plat::RegRoot::LocalMachine && key == kProductKey && name == kSourceDirValue) {
      return plat::RegValue{plat::kRegSz, sourceDir + std::string(1, '\0')};
    }
    return real.RegQueryValue(root, key, name);
  }
  std::vector<std::string> LogicalDriveRoots() override { return real.LogicalDriveRoots(); }
  std::uint32_t DriveType(const std::string& r) override { return real.DriveType(r); }
  bool HasDiskFreeSpaceEx() override { return real.HasDiskFreeSpaceEx(); }
  bool DiskFreeSpaceEx(const std::string& r, plat::DiskFreeEx& o) override { return real.DiskFreeSpaceEx(r, o); }
  bool DiskFreeSpace(const std::string& r, plat::DiskFreeClusters& o) override { return real.DiskFreeSpace(r, o); }
  std::uint32_t SetErrorMode(std::uint32_t m) override { return real.SetErrorMode(m); }
  std::u16string FormatByteSizeW(std::int64_t b) override { return real.FormatByteSizeW(b); }
  bool SaveShellLink(const plat::ShellLinkFields& l, const std::string& f) override {
    return real.SaveShellLink(l, f);
  }
  std::optional<plat::ShellLinkFields> LoadShellLink(const std::string& f) override { return real.LoadShellLink(f); }
  int MessageBox(plat::WindowHandle, const std::string& text, const std::string& caption, unsigned type) override {
    boxes.push_back({text, caption, type});
    if (answers.empty()) return plat::kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  MutexResult CreateMutex(const std::string& n, bool o) override { return real.CreateMutex(n, o); }
  void CloseHandle(plat::KernelHandle h) override { real.CloseHandle(h); }
  plat::WindowHandle FindWindowByCaption(const std::string& c) override { return real.FindWindowByCaption(c); }
  std::vector<plat::WindowInfo> TopLevelWindows() override { return real.TopLevelWindows(); }
  void SetForegroundWindow(plat::WindowHandle w) override { real.SetForegroundWindow(w); }
  std::intptr_t SendMessage(plat::WindowHandle w, unsigned m, std::uintptr_t wp, std::intptr_t lp) override {
    return real.SendMessage(w, m, wp, lp);
  }
  bool PostMessage(plat::WindowHandle w, unsigned m, std::uintptr_t wp, std::intptr_t lp) override {
    return real.PostMessage(w, m, wp, lp);
  }
  // Nothing is started from these tests.
  bool CreateProcess(const std::string&) override { return false; }
  void Sleep(std::uint32_t ms) override { real.Sleep(ms); }
  std::vector<std::string> CommandLineArguments() override { return {}; }
  std::intptr_t ShellExecute(plat::WindowHandle, const std::string&, const std::string&, const std::string&,
                             const std::string&, int) override {
    return 2;
  }
  plat::IconHandle ExtractIcon(const std::string& f, int i) override { return real.ExtractIcon(f, i); }
  plat::IconHandle LoadProgramIcon(int id) override { return real.LoadProgramIcon(id); }
  bool PlaySound(const std::string& path, std::uint32_t) override {
    sounds.push_back(path);
    return true;
  }
  std::optional<plat::ProductVersion> FileProductVersion(const std::string& p) override {
    return real.FileProductVersion(p);
  }
  plat::ModuleHandle LoadLibrary(const std::string&) override { return 0; }
  plat::ProcAddress GetProcAddress(plat::ModuleHandle, const std::string&) override { return 0; }
  void FreeLibrary(plat::ModuleHandle) override {}
  int CallScriptInstall(plat::ProcAddress, const std::string&) override { return 0; }
  bool ShellNotifyIcon(std::uint32_t, const plat::NotifyIconData&) override { return false; }

 private:
  plat::Win32Platform real;
};

}  // namespace bonus::testing
