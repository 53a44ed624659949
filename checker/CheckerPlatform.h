// The machine as the checker lets the program see it: a layer over the host
// platform (plat::Win32Platform on Windows, checker::PosixPlatform elsewhere)
// that passes drive, disk-space and environment questions through, and that
//  - shows the disk folder under the data folder's name (--source-dir) and
//    places the program there, with its description marker beside it, so
//    the program finds its main file and capsules on the disk;
//  - gives the Windows folder of --windows-dir, and the registry of a
//    --registry export instead of the host's, when asked to;
//  - reads files, registry values and version resources through to the
//    host, and writes down every registry and version read with its answer;
//  - starts, opens, loads, plays, writes and deletes nothing: it writes each
//    such call down with what the program passed, and answers as if it had
//    succeeded (boxes are answered by the policy below).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checker/RegFile.h"
#include "platform/ForwardingPlatform.h"

namespace checker {

struct CheckerLayout {
  // The data folder as the program sees it, without a trailing "\".
  std::string dataFolder;
  // The same folder as the host platform names it.
  std::string diskFolder;
  // The program's base name: its file is dataFolder\<base>.exe.
  std::string baseName = "VERavevi";
  // Replaces the host's Windows folder (and makes <it>\system32 the system folder).
  std::optional<std::string> windowsDir;
  // Replaces the host's registry; not owned.
  const RegFile* registry = nullptr;
};

// One call the program made that the checker writes down.
struct PlatformCall {
  enum class Kind {
    RegKey,               // path, root; found
    RegValue,             // path, root, name; value
    ProductVersion,       // path; version
    MessageBox,           // text, caption, type; answer
    ShellExecute,         // verb, path (file), argument (parameters), directory; show
    CreateProcess,        // path (application)
    LoadLibrary,          // path (the name asked for); handle (0: not found)
    GetProcAddress,       // name
    ScriptInstall,        // path (script)
    SetCurrentDirectory,  // path
    PlaySound,            // path
    SaveShellLink,        // path (link file)
    DeleteFile,           // path
    ExtractIcon,          // path; handle
    CreateMutex,          // name
    Sleep,                // number (milliseconds)
  };
  Kind kind = Kind::RegKey;
  std::string path;
  std::string name;
  std::string text;
  std::string caption;
  std::string verb;
  std::string argument;
  std::string directory;
  plat::RegRoot root = plat::RegRoot::LocalMachine;
  bool found = false;
  std::optional<plat::RegValue> value;
  std::optional<plat::ProductVersion> version;
  unsigned type = 0;
  int answer = 0;
  std::int64_t number = 0;
  plat::Handle handle = 0;
};

// The answer to a box: Cancel for every box with the stop icon (error boxes
// and the insert-disk prompt, where OK would only look again), Yes for a
// question, OK otherwise.
int AnswerFor(unsigned type);

class CheckerPlatform final : public plat::ForwardingPlatform {
 public:
  CheckerPlatform(plat::Platform& host, CheckerLayout layout);

  const CheckerLayout& Layout() const { return m_layout; }

  // The calls written down since the last Clear.
  const std::vector<PlatformCall>& Calls() const { return m_calls; }
  void ClearCalls() { m_calls.clear(); }

  // Takes the program's main dialog as open with this caption (a dialog of
  // the program's own process), or, with nothing, as closed.
  void SetMainDialogOpen(std::optional<std::string> caption) { m_openDialog = std::move(caption); }

  // The host's name of a path the program uses (the data folder replaced by
  // the disk folder), and the reverse.
  std::string ToHost(const std::string& path) const;
  std::string FromHost(const std::string& path) const;
  // True when `path` lies in the data folder (or is it).
  bool OnDisk(const std::string& path) const;
  // `path` relative to the data folder ("" for the folder itself); `path`
  // unchanged when it lies elsewhere.
  std::string DiskRelative(const std::string& path) const;

  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string ModulePath() override;

  std::optional<plat::FileAttributes> GetFileAttributes(const std::string& path) override;
  bool ReadFileBytes(const std::string& path, std::string& bytes) override;
  bool DeleteFile(const std::string& path) override;
  std::string ShortPathName(const std::string& path) override;
  std::string CurrentDirectory() override { return m_currentDir; }
  bool SetCurrentDirectory(const std::string& path) override;

  bool RegKeyExists(plat::RegRoot root, const std::string& subKey) override;
  std::optional<plat::RegValue> RegQueryValue(plat::RegRoot root, const std::string& subKey,
                                              const std::string& valueName) override;

  std::uint32_t SetErrorMode(std::uint32_t mode) override;

  bool SaveShellLink(const plat::ShellLinkFields& link, const std::string& linkFile) override;
  std::optional<plat::ShellLinkFields> LoadShellLink(const std::string&) override { return std::nullopt; }
  int MessageBox(plat::WindowHandle owner, const std::string& text, const std::string& caption,
                 unsigned type) override;
  MutexResult CreateMutex(const std::string& name, bool initialOwner) override;
  void CloseHandle(plat::KernelHandle) override {}
  // No window is open, unless the main dialog is taken as open.
  plat::WindowHandle FindWindowByCaption(const std::string& caption) override;
  std::vector<plat::WindowInfo> TopLevelWindows() override;
  void SetForegroundWindow(plat::WindowHandle) override {}
  std::intptr_t SendMessage(plat::WindowHandle, unsigned, std::uintptr_t, std::intptr_t) override {
    return 0;
  }
  bool PostMessage(plat::WindowHandle, unsigned, std::uintptr_t, std::intptr_t) override { return true; }
  bool CreateProcess(const std::string& application) override;
  void Sleep(std::uint32_t milliseconds) override;
  std::vector<std::string> CommandLineArguments() override { return {}; }
  std::intptr_t ShellExecute(plat::WindowHandle owner, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show) override;
  plat::IconHandle ExtractIcon(const std::string& file, int index) override;
  plat::IconHandle LoadProgramIcon(int resourceId) override {
    return static_cast<plat::IconHandle>(resourceId);
  }
  bool PlaySound(const std::string& path, std::uint32_t flags) override;
  std::optional<plat::ProductVersion> FileProductVersion(const std::string& path) override;
  // Loads nothing: a handle when the library can be found (a path naming an
  // existing file, or a bare name in the current, system or Windows folder),
  // else 0. Every entry asked for of such a handle is taken to exist.
  plat::ModuleHandle LoadLibrary(const std::string& fileName) override;
  plat::ProcAddress GetProcAddress(plat::ModuleHandle module, const std::string& name) override;
  void FreeLibrary(plat::ModuleHandle) override {}
  int CallScriptInstall(plat::ProcAddress entry, const std::string& scriptPath) override;
  bool ShellNotifyIcon(std::uint32_t, const plat::NotifyIconData&) override { return true; }

 private:
  bool IsMarker(const std::string& path) const;
  PlatformCall& Record(PlatformCall::Kind kind);

  CheckerLayout m_layout;
  std::string m_hostShortDisk;  // the host's short form of the disk folder
  std::string m_currentDir;
  std::uint32_t m_errorMode = 0;
  std::vector<PlatformCall> m_calls;
  std::optional<std::string> m_openDialog;
};

// Case-insensitive (ASCII) comparison of Windows paths, "/" taken as "\".
bool SamePath(const std::string& a, const std::string& b);
// True when `path` is `folder` or lies below it.
bool PathUnder(const std::string& path, const std::string& folder);

}  // namespace checker
