// A platform that passes every call on to another one: the base of the
// platforms that change a few of the answers of an inner platform and
// override only those.
#pragma once

#include "platform/Platform.h"

namespace plat {

class ForwardingPlatform : public Platform {
 public:
  // The inner platform must outlive this one.
  explicit ForwardingPlatform(Platform& inner) : m_inner(inner) {}

  Platform& Inner() { return m_inner; }

  std::string WindowsDirectory() override { return m_inner.WindowsDirectory(); }
  std::string SystemDirectory() override { return m_inner.SystemDirectory(); }
  std::string ModulePath() override { return m_inner.ModulePath(); }
  std::optional<FileAttributes> GetFileAttributes(const std::string& path) override {
    return m_inner.GetFileAttributes(path);
  }
  bool ReadFileBytes(const std::string& path, std::string& bytes) override {
    return m_inner.ReadFileBytes(path, bytes);
  }
  bool DeleteFile(const std::string& path) override { return m_inner.DeleteFile(path); }
  std::string ShortPathName(const std::string& path) override { return m_inner.ShortPathName(path); }
  std::string CurrentDirectory() override { return m_inner.CurrentDirectory(); }
  bool SetCurrentDirectory(const std::string& path) override { return m_inner.SetCurrentDirectory(path); }
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) override {
    return m_inner.ExpandEnvironmentStrings(text);
  }
  bool RegKeyExists(RegRoot root, const std::string& subKey) override {
    return m_inner.RegKeyExists(root, subKey);
  }
  std::optional<RegValue> RegQueryValue(RegRoot root, const std::string& subKey,
                                        const std::string& valueName) override {
    return m_inner.RegQueryValue(root, subKey, valueName);
  }
  std::vector<std::string> LogicalDriveRoots() override { return m_inner.LogicalDriveRoots(); }
  std::uint32_t DriveType(const std::string& root) override { return m_inner.DriveType(root); }
  bool HasDiskFreeSpaceEx() override { return m_inner.HasDiskFreeSpaceEx(); }
  bool DiskFreeSpaceEx(const std::string& root, DiskFreeEx& out) override {
    return m_inner.DiskFreeSpaceEx(root, out);
  }
  bool DiskFreeSpace(const std::string& root, DiskFreeClusters& out) override {
    return m_inner.DiskFreeSpace(root, out);
  }
  std::uint32_t SetErrorMode(std::uint32_t mode) override { return m_inner.SetErrorMode(mode); }
  std::u16string FormatByteSizeW(std::int64_t bytes) override { return m_inner.FormatByteSizeW(bytes); }
  bool SaveShellLink(const ShellLinkFields& link, const std::string& linkFile) override {
    return m_inner.SaveShellLink(link, linkFile);
  }
  std::optional<ShellLinkFields> LoadShellLink(const std::string& linkFile) override {
    return m_inner.LoadShellLink(linkFile);
  }
  int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                 unsigned type) override {
    return m_inner.MessageBox(owner, text, caption, type);
  }
  bool QuitPending() override { return m_inner.QuitPending(); }
  MutexResult CreateMutex(const std::string& name, bool initialOwner) override {
    return m_inner.CreateMutex(name, initialOwner);
  }
  void CloseHandle(KernelHandle handle) override { m_inner.CloseHandle(handle); }
  WindowHandle FindWindowByCaption(const std::string& caption) override {
    return m_inner.FindWindowByCaption(caption);
  }
  std::vector<WindowInfo> TopLevelWindows() override { return m_inner.TopLevelWindows(); }
  void SetForegroundWindow(WindowHandle window) override { m_inner.SetForegroundWindow(window); }
  std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) override {
    return m_inner.SendMessage(window, message, wParam, lParam);
  }
  bool PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override {
    return m_inner.PostMessage(window, message, wParam, lParam);
  }
  bool CreateProcess(const std::string& application) override { return m_inner.CreateProcess(application); }
  void Sleep(std::uint32_t milliseconds) override { m_inner.Sleep(milliseconds); }
  std::vector<std::string> CommandLineArguments() override { return m_inner.CommandLineArguments(); }
  std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show) override {
    return m_inner.ShellExecute(owner, verb, file, parameters, directory, show);
  }
  IconHandle ExtractIcon(const std::string& file, int index) override {
    return m_inner.ExtractIcon(file, index);
  }
  IconHandle LoadProgramIcon(int resourceId) override { return m_inner.LoadProgramIcon(resourceId); }
  bool PlaySound(const std::string& path, std::uint32_t flags) override {
    return m_inner.PlaySound(path, flags);
  }
  std::optional<ProductVersion> FileProductVersion(const std::string& path) override {
    return m_inner.FileProductVersion(path);
  }
  ModuleHandle LoadLibrary(const std::string& fileName) override { return m_inner.LoadLibrary(fileName); }
  ProcAddress GetProcAddress(ModuleHandle module, const std::string& name) override {
    return m_inner.GetProcAddress(module, name);
  }
  void FreeLibrary(ModuleHandle module) override { m_inner.FreeLibrary(module); }
  int CallScriptInstall(ProcAddress entry, const std::string& scriptPath) override {
    return m_inner.CallScriptInstall(entry, scriptPath);
  }
  bool ShellNotifyIcon(std::uint32_t command, const NotifyIconData& data) override {
    return m_inner.ShellNotifyIcon(command, data);
  }

 private:
  Platform& m_inner;
};

}  // namespace plat
