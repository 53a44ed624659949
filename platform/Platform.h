// The one door through which the portable code reaches the operating system.
//
// Everything that decides lives in portable C++ that never sees <windows.h>;
// it calls the operating system only through `plat::Platform`. There are two
// implementations: `plat::Win32Platform` (platform/win32, the real calls) and
// `plat::FakePlatform` (platform/fake, an in-memory machine for tests with
// Windows path semantics). The contract suite in tests/contract runs the same
// cases against both.
//
// Texts are 8-bit strings in the system's ANSI code page, as the ...A calls
// take them. Every method reports the whole truth of the platform: a path or
// value is returned in full, however long. The fixed 260-character buffers
// of the program, and what happens when something does not fit them, are
// applied by the portable callers (see plat::FitsMaxPath), so the rule
// stands in one place and is tested without a real system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plat {

// Size of every path and value buffer the program hands to the system.
inline constexpr std::size_t kMaxPath = 260;

// True when `text` and its terminating zero fit a buffer of kMaxPath.
inline bool FitsMaxPath(const std::string& text) { return text.size() < kMaxPath; }

// Opaque handle values (HWND, HICON, HMODULE, HANDLE, FARPROC); 0 is none.
using Handle = std::uintptr_t;
using WindowHandle = Handle;
using IconHandle = Handle;
using ModuleHandle = Handle;
using ProcAddress = Handle;
using KernelHandle = Handle;

// ---- registry -------------------------------------------------------------

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// A registry value as stored: its type and its raw data bytes, exactly as
// many as the value holds (a REG_SZ normally ends with its zero byte, but a
// value written without one has none).
struct RegValue {
  std::uint32_t type = kRegNone;
  std::string data;
};

// The text a 260-byte buffer receives from registry data: the data up to its
// first zero byte (never past its end); nothing when the data does not fit.
inline std::optional<std::string> RegistryBufferText(const std::string& data) {
  if (data.size() > kMaxPath) return std::nullopt;
  return data.substr(0, data.find('\0'));
}

// ---- files ----------------------------------------------------------------

struct FileAttributes {
  bool directory = false;
};

// ---- drives ---------------------------------------------------------------

inline constexpr std::uint32_t kDriveUnknown = 0;
inline constexpr std::uint32_t kDriveNoRootDir = 1;
inline constexpr std::uint32_t kDriveRemovable = 2;
inline constexpr std::uint32_t kDriveFixed = 3;
inline constexpr std::uint32_t kDriveRemote = 4;
inline constexpr std::uint32_t kDriveCdRom = 5;
inline constexpr std::uint32_t kDriveRamDisk = 6;

inline constexpr std::uint32_t kSemFailCriticalErrors = 1;

struct DiskFreeEx {
  std::uint64_t availableToCaller = 0;
  std::uint64_t totalBytes = 0;
  std::uint64_t totalFreeBytes = 0;
};

struct DiskFreeClusters {
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
};

// ---- shortcuts ------------------------------------------------------------

struct ShellLinkFields {
  std::string target;
  std::string workingDir;
  std::string iconPath;
  int iconIndex = 0;
  int showCommand = 1;
  std::string arguments;
};

// ---- message boxes --------------------------------------------------------

inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconStop = 0x10;  // also MB_ICONERROR
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbDefButton2 = 0x100;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// ---- windows --------------------------------------------------------------

struct WindowInfo {
  WindowHandle handle = 0;
  std::string caption;
  std::string className;         // "#32770" for a dialog
  std::string processImagePath;  // full path of the owning process's program file; may be empty
};

inline constexpr unsigned kWmNull = 0x0000;
inline constexpr unsigned kWmActivate = 0x0006;
inline constexpr unsigned kWmClose = 0x0010;
inline constexpr unsigned kWmCommand = 0x0111;
inline constexpr unsigned kWmLButtonDblClk = 0x0203;
inline constexpr unsigned kWmRButtonUp = 0x0205;
inline constexpr unsigned kWmUser = 0x0400;

// ---- notification area ----------------------------------------------------

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// The 88-byte NOTIFYICONDATAA, field for field.
struct NotifyIconData {
  std::uint32_t cbSize = 88;
  WindowHandle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  IconHandle hIcon = 0;
  char szTip[64] = {};
};

// ---- version resources ----------------------------------------------------

// The product version of a version resource: the high and low words of its
// most significant double word, then those of its least significant one.
struct ProductVersion {
  std::uint16_t major = 0;
  std::uint16_t minor = 0;
  std::uint16_t build = 0;
  std::uint16_t revision = 0;
};

// ---- sounds ---------------------------------------------------------------

inline constexpr std::uint32_t kSndAsync = 0x0001;
inline constexpr std::uint32_t kSndNoDefault = 0x0002;
inline constexpr std::uint32_t kSndFilename = 0x00020000;

// ---------------------------------------------------------------------------

// Each method states what it returns when the system call fails; a method
// that returns nothing then does nothing.
class Platform {
 public:
  virtual ~Platform() = default;

  // Folders and the running program. Each returns "" when the system call fails.
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  // Full path of the running program file.
  virtual std::string ModulePath() = 0;

  // Attributes of a path; nothing when it does not exist (or cannot be asked).
  virtual std::optional<FileAttributes> GetFileAttributes(const std::string& path) = 0;
  // Reads a whole file into `bytes`. False, with `bytes` emptied, when the
  // file cannot be opened for reading (missing, a folder, locked).
  virtual bool ReadFileBytes(const std::string& path, std::string& bytes) = 0;
  // Deletes a file; false when there was none or it could not be deleted.
  virtual bool DeleteFile(const std::string& path) = 0;
  // The short (8.3) form of an existing path; "" for a path that does not exist.
  virtual std::string ShortPathName(const std::string& path) = 0;
  // The current folder; "" on failure.
  virtual std::string CurrentDirectory() = 0;
  // False, with the current folder unchanged, when it cannot be made current.
  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  // `text` with %NAME% references expanded; nothing when the system call fails.
  virtual std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) = 0;

  // Registry, read only. A key is opened for reading (KEY_READ) and closed
  // again inside each call. False when the key cannot be opened.
  virtual bool RegKeyExists(RegRoot root, const std::string& subKey) = 0;
  // The value `valueName` ("" for the default value) of the key; nothing when
  // the key cannot be opened or the value does not exist.
  virtual std::optional<RegValue> RegQueryValue(RegRoot root, const std::string& subKey,
                                                const std::string& valueName) = 0;

  // Drive roots ("C:\\", ...) in the system's order; empty on failure.
  virtual std::vector<std::string> LogicalDriveRoots() = 0;
  // GetDriveTypeA; kDriveUnknown when the type cannot be determined.
  virtual std::uint32_t DriveType(const std::string& root) = 0;
  // Whether the extended free-space function can be found at run time
  // (GetDiskFreeSpaceExA in KERNEL32.DLL).
  virtual bool HasDiskFreeSpaceEx() = 0;
  // False, with `out` unwritten, on failure (no medium, no such drive).
  virtual bool DiskFreeSpaceEx(const std::string& root, DiskFreeEx& out) = 0;
  virtual bool DiskFreeSpace(const std::string& root, DiskFreeClusters& out) = 0;
  // Sets the process error mode and returns the previous one; a failed call
  // leaves the mode and returns 0.
  virtual std::uint32_t SetErrorMode(std::uint32_t mode) = 0;
  // StrFormatByteSizeW of the shell's light-weight utility library; "" on failure.
  virtual std::u16string FormatByteSizeW(std::int64_t bytes) = 0;

  // Writes a shortcut file through the shell's link object (IShellLinkA and
  // IPersistFile), replacing an existing file; false when it could not.
  virtual bool SaveShellLink(const ShellLinkFields& link, const std::string& linkFile) = 0;
  // Reads a shortcut file back through the same object; nothing on failure.
  virtual std::optional<ShellLinkFields> LoadShellLink(const std::string& linkFile) = 0;

  // MessageBoxA; returns the pressed button's id, 0 when the box could not be shown.
  virtual int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                         unsigned type) = 0;
  // True when a quit message (WM_QUIT) waits in the calling thread's queue;
  // it stays there. A modal loop that a quit message ends puts it back and
  // answers as if OK had been pressed, and so does every later one at once.
  virtual bool QuitPending() = 0;

  // CreateMutexA without security attributes. `alreadyExisted` is the
  // ERROR_ALREADY_EXISTS answer. The handle stays open until CloseHandle or
  // the end of the process. On failure the handle is 0 and alreadyExisted false.
  struct MutexResult {
    KernelHandle handle = 0;
    bool alreadyExisted = false;
  };
  virtual MutexResult CreateMutex(const std::string& name, bool initialOwner) = 0;
  virtual void CloseHandle(KernelHandle handle) = 0;

  // FindWindowA with no class: a top-level window whose caption is exactly
  // `caption`; 0 when there is none or the call fails.
  virtual WindowHandle FindWindowByCaption(const std::string& caption) = 0;
  // Every top-level window, in the system's order; empty on failure.
  virtual std::vector<WindowInfo> TopLevelWindows() = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  // SendMessageA returns the message's result (0 when it could not be sent);
  // PostMessageA false when it could not be posted.
  virtual std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) = 0;
  virtual bool PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;

  // CreateProcessA with `application` as the application name and no command
  // line, no inherited handles, no creation flags, the caller's environment
  // and current folder, a zeroed start-up record apart from its size and a
  // show value of 1 that is not marked valid. The process is not waited for.
  // False when it could not be created.
  virtual bool CreateProcess(const std::string& application) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // The program's arguments as the platform splits its command line (blanks
  // separate, double quotes group), without the program name; empty on
  // failure.
  virtual std::vector<std::string> CommandLineArguments() = 0;

  // ShellExecuteA; returns its result (above 32 on success, 32 or less on failure).
  virtual std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                                     const std::string& parameters, const std::string& directory,
                                     int show) = 0;
  // ExtractIconA; 0 when the file has no icon.
  virtual IconHandle ExtractIcon(const std::string& file, int index) = 0;
  // An icon resource of the program itself; 0 when it cannot be loaded.
  virtual IconHandle LoadProgramIcon(int resourceId) = 0;

  // PlaySoundA with a file name and no module; false on failure.
  virtual bool PlaySound(const std::string& path, std::uint32_t flags) = 0;

  // The product version from the file's version resource (size, read, and
  // the root block's fixed file information); nothing when any step fails.
  virtual std::optional<ProductVersion> FileProductVersion(const std::string& path) = 0;

  // LoadLibraryA, GetProcAddress by undecorated name (each 0 on failure), FreeLibrary.
  virtual ModuleHandle LoadLibrary(const std::string& fileName) = 0;
  virtual ProcAddress GetProcAddress(ModuleHandle module, const std::string& name) = 0;
  virtual void FreeLibrary(ModuleHandle module) = 0;
  // Calls an entry of the form int __stdcall Install(void*, const char*, int, int)
  // with (null, scriptPath, 0, 0) and returns its result (0: installed); -1
  // when the entry cannot be called.
  virtual int CallScriptInstall(ProcAddress entry, const std::string& scriptPath) = 0;

  // Shell_NotifyIconA with the 88-byte record; false on failure.
  virtual bool ShellNotifyIcon(std::uint32_t command, const NotifyIconData& data) = 0;
};

}  // namespace plat
