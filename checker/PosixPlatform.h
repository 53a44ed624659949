// plat::Platform on a POSIX host, for the checker only: the host's files as
// Wine shows them to a Windows program, and nothing else of a real machine.
//
// Files: the drive Z: is the host's root, so "Z:\work\disk\A.cfg" is
// /work/disk/A.cfg. Names are looked up without regard to case, as on
// Windows ("\" and "/" both separate; "." and ".." are resolved by text
// first). Other drives hold nothing. Short names are the long names.
// Registry: empty (the checker layers an export over it). Folders: the
// Windows folder is C:\windows and the system folder C:\windows\system32,
// as in a Wine prefix. Version resources and icon files are read from the
// files' bytes. Everything that would act on the machine (processes, the
// shell, windows, boxes, sounds, shortcuts, libraries, deleting) does
// nothing and reports failure; the checker records those calls above this
// layer and never lets them reach it.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace checker {

class PosixPlatform final : public plat::Platform {
 public:
  // The host path of a Windows path, with every existing component in the
  // case it has on disk; nothing when the path does not lie on Z: or a
  // component is missing. The last component may be missing when
  // `allowMissingLeaf` is set (it then keeps its case).
  static std::optional<std::string> HostPath(const std::string& windowsPath, bool allowMissingLeaf = false);
  // The Windows path of a host path (made absolute against the current
  // folder, "." and ".." resolved by text): "Z:" followed by it with "\".
  static std::string WindowsPath(const std::string& hostPath);

  std::string WindowsDirectory() override { return "C:\\windows"; }
  std::string SystemDirectory() override { return "C:\\windows\\system32"; }
  std::string ModulePath() override { return {}; }

  std::optional<plat::FileAttributes> GetFileAttributes(const std::string& path) override;
  bool ReadFileBytes(const std::string& path, std::string& bytes) override;
  bool DeleteFile(const std::string&) override { return false; }
  std::string ShortPathName(const std::string& path) override;
  std::string CurrentDirectory() override { return m_currentDir; }
  bool SetCurrentDirectory(const std::string& path) override;
  // %NAME% from the process environment (names as given); unknown names and
  // a lone "%" stay as written, as on Windows.
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) override;

  bool RegKeyExists(plat::RegRoot, const std::string&) override { return false; }
  std::optional<plat::RegValue> RegQueryValue(plat::RegRoot, const std::string&,
                                              const std::string&) override {
    return std::nullopt;
  }

  // One fixed drive, Z:, measured on the host's root.
  std::vector<std::string> LogicalDriveRoots() override { return {"Z:\\"}; }
  std::uint32_t DriveType(const std::string& root) override;
  bool HasDiskFreeSpaceEx() override { return true; }
  bool DiskFreeSpaceEx(const std::string& root, plat::DiskFreeEx& out) override;
  bool DiskFreeSpace(const std::string&, plat::DiskFreeClusters&) override { return false; }
  std::uint32_t SetErrorMode(std::uint32_t mode) override;
  std::u16string FormatByteSizeW(std::int64_t bytes) override;

  bool SaveShellLink(const plat::ShellLinkFields&, const std::string&) override { return false; }
  std::optional<plat::ShellLinkFields> LoadShellLink(const std::string&) override { return std::nullopt; }
  int MessageBox(plat::WindowHandle, const std::string&, const std::string&, unsigned) override {
    return plat::kIdCancel;
  }
  bool QuitPending() override { return false; }
  MutexResult CreateMutex(const std::string&, bool) override { return {}; }
  void CloseHandle(plat::KernelHandle) override {}
  plat::WindowHandle FindWindowByCaption(const std::string&) override { return 0; }
  std::vector<plat::WindowInfo> TopLevelWindows() override { return {}; }
  void SetForegroundWindow(plat::WindowHandle) override {}
  std::intptr_t SendMessage(plat::WindowHandle, unsigned, std::uintptr_t, std::intptr_t) override {
    return 0;
  }
  bool PostMessage(plat::WindowHandle, unsigned, std::uintptr_t, std::intptr_t) override { return false; }
  bool CreateProcess(const std::string&) override { return false; }
  void Sleep(std::uint32_t) override {}
  std::vector<std::string> CommandLineArguments() override { return {}; }
  std::intptr_t ShellExecute(plat::WindowHandle, const std::string&, const std::string&, const std::string&,
                             const std::string&, int) override {
    return 0;
  }
  // A handle for the first icon of an icon file (see IsIconFile), else 0.
  plat::IconHandle ExtractIcon(const std::string& file, int index) override;
  plat::IconHandle LoadProgramIcon(int resourceId) override {
    return static_cast<plat::IconHandle>(resourceId);
  }
  bool PlaySound(const std::string&, std::uint32_t) override { return false; }
  std::optional<plat::ProductVersion> FileProductVersion(const std::string& path) override;
  plat::ModuleHandle LoadLibrary(const std::string&) override { return 0; }
  plat::ProcAddress GetProcAddress(plat::ModuleHandle, const std::string&) override { return 0; }
  void FreeLibrary(plat::ModuleHandle) override {}
  int CallScriptInstall(plat::ProcAddress, const std::string&) override { return -1; }
  bool ShellNotifyIcon(std::uint32_t, const plat::NotifyIconData&) override { return false; }

 private:
  std::string m_currentDir = "Z:\\";
  std::uint32_t m_errorMode = 0;
  plat::IconHandle m_nextIcon = 0x1000;
};

}  // namespace checker
