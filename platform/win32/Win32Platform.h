// The real platform: plat::Platform on the Win32 API (the ANSI calls).
//
// The methods are implemented one OS concept per file in this folder
// (Folders, Files, Registry, Drives, ShellLink, MessageBox, Mutex, Windows,
// Process, Shell, Sound, Version, Library, NotifyIcon). Contracts are those
// of platform/Platform.h; no method lets an exception out. The object holds
// no state, so one instance can serve the whole program.
#pragma once

#include "platform/Platform.h"

namespace plat {

class Win32Platform final : public Platform {
 public:
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string ModulePath() override;

  std::optional<FileAttributes> GetFileAttributes(const std::string& path) override;
  bool ReadFileBytes(const std::string& path, std::string& bytes) override;
  bool DeleteFile(const std::string& path) override;
  std::string ShortPathName(const std::string& path) override;
  std::string CurrentDirectory() override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) override;

  bool RegKeyExists(RegRoot root, const std::string& subKey) override;
  std::optional<RegValue> RegQueryValue(RegRoot root, const std::string& subKey,
                                        const std::string& valueName) override;

  std::vector<std::string> LogicalDriveRoots() override;
  std::uint32_t DriveType(const std::string& root) override;
  bool HasDiskFreeSpaceEx() override;
  bool DiskFreeSpaceEx(const std::string& root, DiskFreeEx& out) override;
  bool DiskFreeSpace(const std::string& root, DiskFreeClusters& out) override;
  std::uint32_t SetErrorMode(std::uint32_t mode) override;
  std::u16string FormatByteSizeW(std::int64_t bytes) override;

  bool SaveShellLink(const ShellLinkFields& link, const std::string& linkFile) override;
  std::optional<ShellLinkFields> LoadShellLink(const std::string& linkFile) override;

  int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                 unsigned type) override;
  bool QuitPending() override;

  MutexResult CreateMutex(const std::string& name, bool initialOwner) override;
  void CloseHandle(KernelHandle handle) override;

  WindowHandle FindWindowByCaption(const std::string& caption) override;
  std::vector<WindowInfo> TopLevelWindows() override;
  void SetForegroundWindow(WindowHandle window) override;
  std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) override;
  bool PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;

  bool CreateProcess(const std::string& application) override;
  void Sleep(std::uint32_t milliseconds) override;
  std::vector<std::string> CommandLineArguments() override;

  std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show) override;
  IconHandle ExtractIcon(const std::string& file, int index) override;
  IconHandle LoadProgramIcon(int resourceId) override;

  bool PlaySound(const std::string& path, std::uint32_t flags) override;

  std::optional<ProductVersion> FileProductVersion(const std::string& path) override;

  ModuleHandle LoadLibrary(const std::string& fileName) override;
  ProcAddress GetProcAddress(ModuleHandle module, const std::string& name) override;
  void FreeLibrary(ModuleHandle module) override;
  int CallScriptInstall(ProcAddress entry, const std::string& scriptPath) override;

  bool ShellNotifyIcon(std::uint32_t command, const NotifyIconData& data) override;
};

}  // namespace plat
