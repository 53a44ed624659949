#include "checker/CheckerPlatform.h"

#include "platform/Text.h"

namespace checker {

namespace {

char FoldPathChar(char c) { return c == '/' ? '\\' : plat::AsciiLower(c); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The length of `folder`'s match at the start of `path`, when `path` is
// `folder` or lies below it.
std::optional<std::size_t> PrefixMatch(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.size() < folder.size()) return std::nullopt;
  for (std::size_t i = 0; i < folder.size(); ++i)
    if (FoldPathChar(path[i]) != FoldPathChar(folder[i])) return std::nullopt;
  if (path.size() > folder.size() && !IsSeparator(path[folder.size()]) && !IsSeparator(folder.back()))
    return std::nullopt;
  return folder.size();
}

constexpr plat::Handle kLibraryHandle = 0x5C01;
constexpr plat::Handle kEntryHandle = 0x5C02;
constexpr plat::WindowHandle kDialogHandle = 0x77;

}  // namespace

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldPathChar(a[i]) != FoldPathChar(b[i])) return false;
  return true;
}

bool PathUnder(const std::string& path, const std::string& folder) {
  return PrefixMatch(path, folder).has_value();
}

int AnswerFor(unsigned type) {
  if ((type & plat::kMbIconStop) != 0) return (type & 0xF) == plat::kMbOk ? plat::kIdOk : plat::kIdCancel;
  if ((type & 0xF) == plat::kMbYesNo) return plat::kIdYes;
  return plat::kIdOk;
}

CheckerPlatform::CheckerPlatform(plat::Platform& host, CheckerLayout layout)
    : ForwardingPlatform(host), m_layout(std::move(layout)) {
  while (m_layout.dataFolder.size() > 2 && IsSeparator(m_layout.dataFolder.back()))
    m_layout.dataFolder.pop_back();
  while (m_layout.diskFolder.size() > 2 && IsSeparator(m_layout.diskFolder.back()))
    m_layout.diskFolder.pop_back();
  if (m_layout.dataFolder.size() == 3 && IsSeparator(m_layout.dataFolder.back()))
    m_layout.dataFolder.pop_back();
  m_hostShortDisk = Inner().ShortPathName(m_layout.diskFolder);
  m_currentDir = m_layout.dataFolder;
}

std::string CheckerPlatform::ToHost(const std::string& path) const {
  const auto n = PrefixMatch(path, m_layout.dataFolder);
  if (!n) return path;
  std::string rest = path.substr(*n);
  std::string disk = m_layout.diskFolder;
  if (!rest.empty() && IsSeparator(disk.back())) rest.erase(0, 1);
  return disk + rest;
}

std::string CheckerPlatform::FromHost(const std::string& path) const {
  for (const std::string* folder : {&m_layout.diskFolder, &m_hostShortDisk}) {
    const auto n = PrefixMatch(path, *folder);
    if (!n) continue;
    std::string rest = path.substr(*n);
    if (!rest.empty() && !IsSeparator(rest.front())) rest.insert(0, "\\");
    return m_layout.dataFolder + rest;
  }
  return path;
}

bool CheckerPlatform::OnDisk(const std::string& path) const { return PathUnder(path, m_layout.dataFolder); }

std::string CheckerPlatform::DiskRelative(const std::string& path) const {
  const auto n = PrefixMatch(path, m_layout.dataFolder);
  if (!n) return path;
  std::string rest = path.substr(*n);
  while (!rest.empty() && IsSeparator(rest.front())) rest.erase(0, 1);
  return rest;
}

bool CheckerPlatform::IsMarker(const std::string& path) const {
  return SamePath(path, m_layout.dataFolder + "\\" + m_layout.baseName + ".rtf");
}

PlatformCall& CheckerPlatform::Record(PlatformCall::Kind kind) {
  PlatformCall call;
  call.kind = kind;
  m_calls.push_back(std::move(call));
  return m_calls.back();
}

std::string CheckerPlatform::WindowsDirectory() {
  return m_layout.windowsDir ? *m_layout.windowsDir : Inner().WindowsDirectory();
}

std::string CheckerPlatform::SystemDirectory() {
  return m_layout.windowsDir ? *m_layout.windowsDir + "\\system32" : Inner().SystemDirectory();
}

std::string CheckerPlatform::ModulePath() { return m_layout.dataFolder + "\\" + m_layout.baseName + ".exe"; }

std::optional<plat::FileAttributes> CheckerPlatform::GetFileAttributes(const std::string& path) {
  if (IsMarker(path)) return plat::FileAttributes{};
  return Inner().GetFileAttributes(ToHost(path));
}

bool CheckerPlatform::ReadFileBytes(const std::string& path, std::string& bytes) {
  return Inner().ReadFileBytes(ToHost(path), bytes);
}

bool CheckerPlatform::DeleteFile(const std::string& path) {
  Record(PlatformCall::Kind::DeleteFile).path = path;
  return true;
}

std::string CheckerPlatform::ShortPathName(const std::string& path) {
  if (IsMarker(path)) return path;
  const std::string shortPath = Inner().ShortPathName(ToHost(path));
  return shortPath.empty() ? shortPath : FromHost(shortPath);
}

bool CheckerPlatform::SetCurrentDirectory(const std::string& path) {
  Record(PlatformCall::Kind::SetCurrentDirectory).path = path;
  const auto attributes = GetFileAttributes(path);
  if (!attributes || !attributes->directory) return false;
  m_currentDir = path;
  return true;
}

bool CheckerPlatform::RegKeyExists(plat::RegRoot root, const std::string& subKey) {
  PlatformCall& call = Record(PlatformCall::Kind::RegKey);
  call.root = root;
  call.path = subKey;
  call.found = m_layout.registry != nullptr ? m_layout.registry->KeyExists(root, subKey)
                                            : Inner().RegKeyExists(root, subKey);
  return call.found;
}

std::optional<plat::RegValue> CheckerPlatform::RegQueryValue(plat::RegRoot root, const std::string& subKey,
                                                             const std::string& valueName) {
  auto value = m_layout.registry != nullptr ? m_layout.registry->Value(root, subKey, valueName)
                                            : Inner().RegQueryValue(root, subKey, valueName);
  PlatformCall& call = Record(PlatformCall::Kind::RegValue);
  call.root = root;
  call.path = subKey;
  call.name = valueName;
  call.value = value;
  call.found = value.has_value();
  return value;
}

std::uint32_t CheckerPlatform::SetErrorMode(std::uint32_t mode) {
  const std::uint32_t previous = m_errorMode;
  m_errorMode = mode;
  return previous;
}

bool CheckerPlatform::SaveShellLink(const plat::ShellLinkFields&, const std::string& linkFile) {
  Record(PlatformCall::Kind::SaveShellLink).path = linkFile;
  return true;
}

int CheckerPlatform::MessageBox(plat::WindowHandle, const std::string& text, const std::string& caption,
                                unsigned type) {
  PlatformCall& call = Record(PlatformCall::Kind::MessageBox);
  call.text = text;
  call.caption = caption;
  call.type = type;
  call.answer = AnswerFor(type);
  return call.answer;
}

plat::Platform::MutexResult CheckerPlatform::CreateMutex(const std::string& name, bool) {
  Record(PlatformCall::Kind::CreateMutex).name = name;
  return {1, false};
}

plat::WindowHandle CheckerPlatform::FindWindowByCaption(const std::string& caption) {
  return m_openDialog && *m_openDialog == caption ? kDialogHandle : 0;
}

std::vector<plat::WindowInfo> CheckerPlatform::TopLevelWindows() {
  if (!m_openDialog) return {};
  return {plat::WindowInfo{kDialogHandle, *m_openDialog, "#32770", ModulePath()}};
}

bool CheckerPlatform::CreateProcess(const std::string& application) {
  Record(PlatformCall::Kind::CreateProcess).path = application;
  return true;
}

void CheckerPlatform::Sleep(std::uint32_t milliseconds) {
  Record(PlatformCall::Kind::Sleep).number = milliseconds;
}

std::intptr_t CheckerPlatform::ShellExecute(plat::WindowHandle, const std::string& verb,
                                            const std::string& file, const std::string& parameters,
                                            const std::string& directory, int show) {
  PlatformCall& call = Record(PlatformCall::Kind::ShellExecute);
  call.verb = verb;
  call.path = file;
  call.argument = parameters;
  call.directory = directory;
  call.number = show;
  return 42;
}

plat::IconHandle CheckerPlatform::ExtractIcon(const std::string& file, int index) {
  const plat::IconHandle icon = Inner().ExtractIcon(ToHost(file), index);
  PlatformCall& call = Record(PlatformCall::Kind::ExtractIcon);
  call.path = file;
  call.handle = icon;
  return icon;
}

bool CheckerPlatform::PlaySound(const std::string& path, std::uint32_t) {
  Record(PlatformCall::Kind::PlaySound).path = path;
  return true;
}

std::optional<plat::ProductVersion> CheckerPlatform::FileProductVersion(const std::string& path) {
  auto version = Inner().FileProductVersion(ToHost(path));
  PlatformCall& call = Record(PlatformCall::Kind::ProductVersion);
  call.path = path;
  call.version = version;
  return version;
}

plat::ModuleHandle CheckerPlatform::LoadLibrary(const std::string& fileName) {
  auto isFile = [this](const std::string& path) {
    const auto attributes = GetFileAttributes(path);
    return attributes && !attributes->directory;
  };
  bool found;
  if (fileName.find('\\') != std::string::npos || fileName.find('/') != std::string::npos) {
    found = isFile(fileName);
  } else {
    found = isFile(m_currentDir + "\\" + fileName) || isFile(SystemDirectory() + "\\" + fileName) ||
            isFile(WindowsDirectory() + "\\" + fileName);
  }
  PlatformCall& call = Record(PlatformCall::Kind::LoadLibrary);
  call.path = fileName;
  call.handle = found ? kLibraryHandle : 0;
  return call.handle;
}

plat::ProcAddress CheckerPlatform::GetProcAddress(plat::ModuleHandle module, const std::string& name) {
  Record(PlatformCall::Kind::GetProcAddress).name = name;
  return module == kLibraryHandle ? kEntryHandle : 0;
}

int CheckerPlatform::CallScriptInstall(plat::ProcAddress, const std::string& scriptPath) {
  Record(PlatformCall::Kind::ScriptInstall).path = scriptPath;
  return 0;
}

}  // namespace checker
