// An in-memory machine for tests, with Windows path semantics: names compare
// without regard to case, "\" separates (a "/" is taken as "\" too), drive
// letters lead, a file is not a folder. Registry keys and value names compare
// without regard to case as well; values keep their type and raw bytes.
//
// Tests arrange the machine through the public state and helpers, run the
// code under test, then assert on what the fake recorded (boxes shown,
// processes started, sounds, shell calls, mutexes, ...).
//
// The platform contract suite (tests/contract) holds the fake to the real
// system wherever a case runs on both. Where it deliberately differs:
// - Short names: no 8.3 names are invented; an existing path without a
//   SetShortName entry comes back as given (the system gives generated
//   short components, and the on-disk letter case of the others).
// - FormatByteSizeW: always "." as the decimal separator and the English
//   units; the system follows the user's locale.
// - ExtractIcon: any existing .ico, .exe, .dll or .icl file has one icon at
//   index 0, whatever its content; other files have none.
// - FileProductVersion and LoadLibrary know only what SetProductVersion and
//   AddLibrary arranged; a bare library name is looked for beside the
//   program, then in the system folder.
// - DiskFreeSpace limits the reported size to 2 GiB only when
//   hasDiskFreeSpaceEx is false, as the systems without the extended call
//   did; otherwise only the 32-bit cluster counts limit it.
// - PostMessage succeeds for any window; MessageBox answers from `answers`;
//   CreateProcess, ShellExecute and PlaySound only record.
// - ExpandEnvironmentStrings sees `environment` only, not the process's.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace plat {

class FakePlatform : public Platform {
 public:
  FakePlatform();

  // ---- the machine -------------------------------------------------------
  std::string windowsDir = "C:\\WINDOWS";
  std::string systemDir = "C:\\WINDOWS\\SYSTEM32";
  std::string modulePath = "C:\\Program Files\\Velmora\\VERavevi.exe";
  std::string currentDir = "C:\\";
  std::vector<std::string> arguments;

  // Files: AddFile creates the parent folders. Content is raw bytes.
  void AddFile(const std::string& path, const std::string& content = {});
  void AddFolder(const std::string& path);
  void RemovePath(const std::string& path);
  // A locked file exists but cannot be opened for reading or deleted.
  void LockFile(const std::string& path, bool locked = true);
  bool HasFile(const std::string& path) const;
  bool HasFolder(const std::string& path) const;
  // Content of a file; "" when there is none.
  std::string FileContent(const std::string& path) const;
  // Every file (by folded path, with its content) and every folder (folded,
  // with a trailing "\\"): the state a test compares before and after a run.
  std::map<std::string, std::string> Snapshot() const;
  // Called at every ReadFileBytes before the file is looked up (lets a test
  // make a file vanish between an existence test and the read).
  std::function<void(const std::string& path)> onRead;

  // Short names: an existing path gets the short form set here, or else its
  // own text.
  void SetShortName(const std::string& path, const std::string& shortPath);

  // Environment for ExpandEnvironmentStrings (names compare without case).
  std::map<std::string, std::string> environment;
  bool failEnvironmentExpansion = false;

  // Registry.
  void AddRegKey(RegRoot root, const std::string& subKey);
  void SetRegValue(RegRoot root, const std::string& subKey, const std::string& name, RegValue value);
  void SetRegString(RegRoot root, const std::string& subKey, const std::string& name,
                    const std::string& text);  // REG_SZ with its zero byte
  void SetRegDword(RegRoot root, const std::string& subKey, const std::string& name, std::uint32_t number);
  void DeleteRegKey(RegRoot root, const std::string& subKey);

  // Drives.
  struct Drive {
    std::string root;  // "C:\\"
    std::uint32_t type = kDriveFixed;
    bool hasMedium = true;
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
    std::uint32_t bytesPerSector = 512;
    std::uint32_t sectorsPerCluster = 8;
    // When set, what the old free-space call reports, as is (a system whose
    // cluster counts go beyond the 2 GiB limit).
    std::optional<DiskFreeClusters> clusters = std::nullopt;
  };
  std::vector<Drive> drives;
  bool hasDiskFreeSpaceEx = true;
  std::uint32_t errorMode = 0;
  std::vector<std::uint32_t> errorModeHistory;  // every mode set, in order
  // The mode in force at each free-space query, in order.
  std::vector<std::uint32_t> errorModeAtQuery;
  // When set, FormatByteSizeW gives this text for every size.
  std::optional<std::u16string> byteSizeText;

  // Shortcuts written through SaveShellLink, by the path as given.
  std::map<std::string, ShellLinkFields> shellLinks;  // key: folded path
  bool failShellLinks = false;
  // Every SaveShellLink and every DeleteFile, by the path as given, in order.
  std::vector<std::string> linkSaves;
  std::vector<std::string> deletions;

  // Message boxes: each call is recorded; the answer is taken from the front
  // of `answers`, or else the box's first button (OK, Yes).
  struct Box {
    WindowHandle owner;
    std::string text;
    std::string caption;
    unsigned type;
  };
  std::vector<Box> boxes;
  std::deque<int> answers;
  // Runs while each box is up, after it has been recorded and before its
  // answer is returned (the user inserts the disk before pressing OK).
  std::function<void(const Box&)> onBox;
  // What QuitPending answers (a test sets it while a box is up).
  bool quitPosted = false;

  // Named mutexes: the names alive on the machine with their open handles.
  std::map<std::string, int> mutexNames;  // name -> open handle count
  struct MutexCall {
    std::string name;
    bool initialOwner;
    bool alreadyExisted;
  };
  std::vector<MutexCall> mutexCalls;
  std::vector<KernelHandle> closedHandles;
  // Open handles of the named mutex; 0 when there is none.
  int OpenHandles(const std::string& name) const;
  // Every CreateMutex as "name", or "name owned" when it asked to own it.
  std::vector<std::string> MutexLog() const;

  // Top-level windows of the machine.
  std::vector<WindowInfo> windows;
  WindowHandle AddWindow(const std::string& caption, const std::string& className = "#32770",
                         const std::string& processImagePath = {});
  std::vector<WindowHandle> foregrounded;
  struct SentMessage {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool posted;
  };
  std::vector<SentMessage> messages;
  std::function<std::intptr_t(const SentMessage&)> onSendMessage;

  // Processes started and pauses made.
  struct Started {
    std::string application;
    std::string currentDir;
  };
  std::vector<Started> processes;
  bool failCreateProcess = false;
  std::vector<std::uint32_t> sleeps;

  // Shell.
  struct ShellCall {
    std::string verb, file, parameters, directory;
    int show;
    std::string currentDir;  // current directory at the time of the call
  };
  std::vector<ShellCall> shellCalls;
  // Icons: files whose first icon can be extracted give a distinct handle.
  std::map<std::string, IconHandle> iconsExtracted;  // by folded path, in call order count
  std::vector<std::string> extractIconCalls;
  IconHandle ProgramIconHandle(int resourceId) const { return 0x10000 + static_cast<IconHandle>(resourceId); }

  // Sounds played.
  struct Sound {
    std::string path;
    std::uint32_t flags;
  };
  std::vector<Sound> sounds;

  // Version resources, by file.
  void SetProductVersion(const std::string& path, ProductVersion version);

  // Libraries: a library exists as a file; its entries are given here.
  struct Library {
    std::map<std::string, int> entries;  // entry name -> result of Install
  };
  void AddLibrary(const std::string& path, Library library);
  std::vector<std::string> loadedLibraries;  // every LoadLibrary name, in order
  std::vector<ModuleHandle> freedLibraries;
  struct ScriptCall {
    std::string entry;
    std::string scriptPath;
  };
  std::vector<ScriptCall> scriptCalls;

  // Notification area.
  struct NotifyCall {
    std::uint32_t command;
    NotifyIconData data;
  };
  std::vector<NotifyCall> notifyCalls;
  bool failShellNotify = false;

  // Folds a path for comparison: "/" to "\", lower case.
  static std::string Fold(const std::string& path);

  // ---- the fault plan ----------------------------------------------------
  // Every call through the Platform interface counts, from 1. A call the plan
  // fails does nothing, records nothing and returns what the real call
  // returns on failure (platform/Platform.h).
  std::size_t calls = 0;     // calls made so far
  std::size_t failed = 0;    // of which the plan failed
  std::size_t failCall = 0;  // this call fails; 0: none
  std::size_t failFrom = 0;  // this call and every later one fail; 0: none
  // The call after the first callLimit ones throws CallLimitExceeded (not a
  // std::exception, so no guard of the program catches it); every call after
  // that fails, so that code on the way out runs on. 0: no limit.
  std::size_t callLimit = 0;
  bool callLimitExceeded = false;
  struct CallLimitExceeded {};

  // ---- Platform ----------------------------------------------------------
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
  bool QuitPending() override { return !Fails() && quitPosted; }
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

 private:
  // Counts a call; true when the fault plan fails it.
  bool Fails();

  struct File {
    std::string content;
    bool locked = false;
  };
  std::map<std::string, File> m_Files;  // folded path -> file
  std::set<std::string> m_Folders;      // folded paths
  std::map<std::string, std::string> m_ShortNames;
  struct Key {
    std::map<std::string, RegValue> values;  // folded name -> value
  };
  std::map<std::pair<RegRoot, std::string>, Key> m_Keys;
  std::map<std::string, ProductVersion> m_Versions;
  std::map<std::string, Library> m_Libraries;     // folded path
  std::map<ModuleHandle, std::string> m_Modules;  // handle -> folded path
  std::map<ProcAddress, std::pair<ModuleHandle, std::string>> m_Procs;
  std::map<KernelHandle, std::string> m_MutexHandles;
  Handle m_NextHandle = 0x100;
  // The icons in the tray, by window and id: adding one that is there, or
  // changing or removing one that is not, fails as it does in the shell.
  std::set<std::pair<WindowHandle, std::uint32_t>> m_TrayIcons;

  // The full form the system makes of `path`, in the letter case given:
  // relative to currentDir, "/" as "\", separators collapsed, "." and ".."
  // resolved, trailing dots and blanks of the last component dropped, no
  // trailing "\" except after a drive root. "" for "".
  std::string FullPath(const std::string& path) const;

  std::string ResolvePath(const std::string& path) const;  // folded FullPath
  std::string ResolveFile(const std::string& path) const;  // "" when path ends with a separator
  std::string ResolveLibrary(const std::string& fileName) const;
};

}  // namespace plat
