#include "platform/fake/FakePlatform.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/Text.h"

namespace plat {

namespace {

std::string FoldName(const std::string& s) { return AsciiLower(s); }

std::string ParentOf(const std::string& folded) {
  auto pos = folded.find_last_of('\\');
  if (pos == std::string::npos) return {};
  return folded.substr(0, pos);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool SameDrive(const std::string& a, const std::string& b) {
  return a.size() >= 2 && b.size() >= 2 && a[1] == ':' && b[1] == ':' && AsciiLower(a[0]) == AsciiLower(b[0]);
}

// Applies the system's normalisation to the part of a path after its root:
// separators collapse, "." and ".." are resolved, a component loses one
// trailing "." and the last component all trailing dots and blanks.
std::string NormaliseBelowRoot(const std::string& root, const std::string& rest) {
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&](bool last) {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      if (last) {
        while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
      } else if (part.size() >= 2 && part.back() == '.' && part[part.size() - 2] != '.') {
        part.pop_back();
      }
      if (!part.empty()) parts.push_back(part);
    }
    part.clear();
  };
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (IsSeparator(rest[i])) {
      flush(false);
    } else {
      part.push_back(rest[i]);
    }
  }
  flush(true);
  std::string out = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out.push_back('\\');
    out += parts[i];
  }
  return out;
}

// The folder key holding a folded path ("c:\\" for "c:\\x").
std::string ParentFolderKey(const std::string& folded) {
  std::string parent = ParentOf(folded);
  if (parent.size() == 2 && parent[1] == ':') parent += "\\";
  return parent;
}

bool HasExtension(const std::string& folded, std::initializer_list<const char*> extensions) {
  for (const char* extension : extensions) {
    const std::string e(extension);
    if (folded.size() > e.size() && folded.compare(folded.size() - e.size(), e.size(), e) == 0) return true;
  }
  return false;
}

}  // namespace

FakePlatform::FakePlatform() {
  drives.push_back(Drive{"C:\\", kDriveFixed, true, 40ull << 30, 5ull << 30});
  AddFolder("C:\\");
  // The folders of the system and the running program exist on a real
  // machine whatever a test arranges.
  AddFolder(windowsDir);
  AddFolder(systemDir);
  AddFile(modulePath, "MZ");
}

std::string FakePlatform::FullPath(const std::string& path) const {
  if (path.empty()) return {};
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // A UNC path: "\\\\server\\share" is its root.
    std::size_t serverEnd = 2;
    while (serverEnd < path.size() && !IsSeparator(path[serverEnd])) ++serverEnd;
    std::size_t shareEnd = serverEnd + 1;
    while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
    std::string root = "\\\\" + path.substr(2, std::min(shareEnd, path.size()) - 2);
    for (char& c : root)
      if (c == '/') c = '\\';
    std::string rest = shareEnd < path.size() ? path.substr(shareEnd) : std::string();
    std::string out = NormaliseBelowRoot(root + "\\", rest);
    if (out.size() > root.size() + 1 && out.back() == '\\') out.pop_back();
    return out.size() == root.size() + 1 ? root : out;
  }
  std::string drive;
  std::string rest;
  if (path.size() >= 2 && path[1] == ':') {
    drive = path.substr(0, 2);
    rest = path.substr(2);
    // "C:name" is relative to the current folder when that is on C:.
    if (rest.empty() || !IsSeparator(rest[0]))
      rest = (SameDrive(currentDir, drive) ? currentDir.substr(2) : std::string()) + "\\" + rest;
  } else if (IsSeparator(path[0])) {
    drive = currentDir.substr(0, 2);
    rest = path;
  } else {
    drive = currentDir.substr(0, 2);
    rest = currentDir.substr(std::min<std::size_t>(2, currentDir.size())) + "\\" + path;
  }
  return NormaliseBelowRoot(drive + "\\", rest);
}

std::string FakePlatform::Fold(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    char d = c == '/' ? '\\' : AsciiLower(c);
    // Repeated separators name the same place, except a leading "\\" (UNC).
    if (d == '\\' && !out.empty() && out.back() == '\\' && out.size() > 1) continue;
    out.push_back(d);
  }
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  return out;
}

std::string FakePlatform::ResolvePath(const std::string& path) const { return Fold(FullPath(path)); }

std::string FakePlatform::ResolveFile(const std::string& path) const {
  // A file named with a separator after it is not found.
  if (!path.empty() && IsSeparator(path.back())) return {};
  return ResolvePath(path);
}

void FakePlatform::AddFolder(const std::string& path) {
  std::string f = ResolvePath(path);
  while (!f.empty()) {
    m_Folders.insert(f.size() == 2 && f[1] == ':' ? f + "\\" : f);
    if (f.size() <= 3) break;
    std::string parent = ParentOf(f);
    if (parent.size() == 2 && parent[1] == ':') parent += "\\";
    if (parent == f) break;
    f = parent;
  }
}

void FakePlatform::AddFile(const std::string& path, const std::string& content) {
  std::string f = ResolvePath(path);
  std::string parent = ParentOf(f);
  if (!parent.empty()) AddFolder(parent.size() == 2 ? parent + "\\" : parent);
  m_Files[f] = File{content, false};
}

void FakePlatform::RemovePath(const std::string& path) {
  std::string f = ResolvePath(path);
  m_Files.erase(f);
  m_Folders.erase(f);
}

void FakePlatform::LockFile(const std::string& path, bool locked) {
  auto it = m_Files.find(ResolvePath(path));
  if (it != m_Files.end()) it->second.locked = locked;
}

bool FakePlatform::HasFile(const std::string& path) const { return m_Files.count(ResolvePath(path)) != 0; }

bool FakePlatform::HasFolder(const std::string& path) const {
  return m_Folders.count(ResolvePath(path)) != 0;
}

std::string FakePlatform::FileContent(const std::string& path) const {
  auto it = m_Files.find(ResolvePath(path));
  return it == m_Files.end() ? std::string() : it->second.content;
}

std::map<std::string, std::string> FakePlatform::Snapshot() const {
  std::map<std::string, std::string> out;
  for (const auto& [path, file] : m_Files) out[path] = file.content;
  for (const auto& folder : m_Folders) out[folder + "\\"] = {};
  return out;
}

void FakePlatform::SetShortName(const std::string& path, const std::string& shortPath) {
  m_ShortNames[ResolvePath(path)] = shortPath;
}

void FakePlatform::AddRegKey(RegRoot root, const std::string& subKey) {
  // Opening a key implies its parents exist, as in the real registry.
  std::string f = Fold(subKey);
  while (!f.empty()) {
    m_Keys[{root, f}];
    f = ParentOf(f);
  }
}

void FakePlatform::SetRegValue(RegRoot root, const std::string& subKey, const std::string& name,
                               RegValue value) {
  AddRegKey(root, subKey);
  m_Keys[{root, Fold(subKey)}].values[FoldName(name)] = std::move(value);
}

void FakePlatform::SetRegString(RegRoot root, const std::string& subKey, const std::string& name,
                                const std::string& text) {
  SetRegValue(root, subKey, name, RegValue{kRegSz, text + std::string(1, '\0')});
}

void FakePlatform::SetRegDword(RegRoot root, const std::string& subKey, const std::string& name,
                               std::uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<std::size_t>(i)] = static_cast<char>((number >> (8 * i)) & 0xFF);
  SetRegValue(root, subKey, name, RegValue{kRegDword, bytes});
}

void FakePlatform::DeleteRegKey(RegRoot root, const std::string& subKey) {
  std::string f = Fold(subKey);
  for (auto it = m_Keys.begin(); it != m_Keys.end();) {
    if (it->first.first == root && (it->first.second == f || it->first.second.rfind(f + "\\", 0) == 0))
      it = m_Keys.erase(it);
    else
      ++it;
  }
}

WindowHandle FakePlatform::AddWindow(const std::string& caption, const std::string& className,
                                     const std::string& processImagePath) {
  WindowHandle h = m_NextHandle++;
  windows.push_back(WindowInfo{h, caption, className, processImagePath});
  return h;
}

void FakePlatform::SetProductVersion(const std::string& path, ProductVersion version) {
  m_Versions[ResolvePath(path)] = version;
}

void FakePlatform::AddLibrary(const std::string& path, Library library) {
  AddFile(path, "MZ");
  m_Libraries[ResolvePath(path)] = std::move(library);
}

bool FakePlatform::Fails() {
  ++calls;
  if (callLimit != 0 && calls > callLimit && !callLimitExceeded) {
    callLimitExceeded = true;
    throw CallLimitExceeded{};
  }
  const bool fails = callLimitExceeded || calls == failCall || (failFrom != 0 && calls >= failFrom);
  if (fails) ++failed;
  return fails;
}

// ---- Platform --------------------------------------------------------------

std::string FakePlatform::WindowsDirectory() {
  if (Fails()) return {};
  return windowsDir;
}
std::string FakePlatform::SystemDirectory() {
  if (Fails()) return {};
  return systemDir;
}
std::string FakePlatform::ModulePath() {
  if (Fails()) return {};
  return modulePath;
}

std::optional<FileAttributes> FakePlatform::GetFileAttributes(const std::string& path) {
  if (Fails()) return std::nullopt;
  std::string f = ResolvePath(path);
  if (f.empty()) return std::nullopt;
  if (m_Folders.count(f)) return FileAttributes{true};
  if (m_Files.count(ResolveFile(path))) return FileAttributes{false};
  return std::nullopt;
}

bool FakePlatform::ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (Fails()) return false;
  if (onRead) onRead(path);
  auto it = m_Files.find(ResolveFile(path));
  if (it == m_Files.end() || it->second.locked) return false;
  bytes = it->second.content;
  return true;
}

bool FakePlatform::DeleteFile(const std::string& path) {
  if (Fails()) return false;
  deletions.push_back(path);
  std::string f = ResolveFile(path);
  auto it = m_Files.find(f);
  if (it == m_Files.end() || it->second.locked) return false;
  m_Files.erase(it);
  shellLinks.erase(f);
  return true;
}

std::string FakePlatform::ShortPathName(const std::string& path) {
  if (Fails()) return {};
  std::string f = ResolvePath(path);
  if (!m_Files.count(f) && !m_Folders.count(f)) return {};
  auto it = m_ShortNames.find(f);
  return it == m_ShortNames.end() ? path : it->second;
}

std::string FakePlatform::CurrentDirectory() {
  if (Fails()) return {};
  return currentDir;
}

bool FakePlatform::SetCurrentDirectory(const std::string& path) {
  if (Fails()) return false;
  // The system keeps the full form of the path, in the letter case given.
  std::string full = FullPath(path);
  if (full.empty() || !m_Folders.count(Fold(full))) return false;
  currentDir = full;
  return true;
}

std::optional<std::string> FakePlatform::ExpandEnvironmentStrings(const std::string& text) {
  if (Fails()) return std::nullopt;
  if (failEnvironmentExpansion) return std::nullopt;
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '%') {
      auto end = text.find('%', i + 1);
      if (end != std::string::npos) {
        std::string name = FoldName(text.substr(i + 1, end - i - 1));
        bool found = false;
        for (const auto& [k, v] : environment) {
          if (FoldName(k) == name && !name.empty()) {
            out += v;
            found = true;
            break;
          }
        }
        if (found) {
          i = end + 1;
          continue;
        }
        // An unknown (or empty) name stays as written, both "%" included;
        // the scan goes on after the closing one.
        out += text.substr(i, end - i + 1);
        i = end + 1;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
  return out;
}

bool FakePlatform::RegKeyExists(RegRoot root, const std::string& subKey) {
  if (Fails()) return false;
  return m_Keys.count({root, Fold(subKey)}) != 0;
}

std::optional<RegValue> FakePlatform::RegQueryValue(RegRoot root, const std::string& subKey,
                                                    const std::string& valueName) {
  if (Fails()) return std::nullopt;
  auto it = m_Keys.find({root, Fold(subKey)});
  if (it == m_Keys.end()) return std::nullopt;
  auto v = it->second.values.find(FoldName(valueName));
  if (v == it->second.values.end()) return std::nullopt;
  return v->second;
}

std::vector<std::string> FakePlatform::LogicalDriveRoots() {
  if (Fails()) return {};
  std::vector<std::string> roots;
  for (const auto& d : drives) roots.push_back(d.root);
  return roots;
}

std::uint32_t FakePlatform::DriveType(const std::string& root) {
  if (Fails()) return kDriveUnknown;
  // "C:" names the root as "C:\\" does.
  std::string asked = FoldName(root);
  if (asked.size() == 2 && asked[1] == ':') asked += "\\";
  for (const auto& d : drives)
    if (FoldName(d.root) == asked) return d.type;
  return kDriveNoRootDir;
}

bool FakePlatform::HasDiskFreeSpaceEx() {
  if (Fails()) return false;
  return hasDiskFreeSpaceEx;
}

bool FakePlatform::DiskFreeSpaceEx(const std::string& root, DiskFreeEx& out) {
  if (Fails()) return false;
  errorModeAtQuery.push_back(errorMode);
  for (const auto& d : drives) {
    if (FoldName(d.root) != FoldName(root)) continue;
    if (!d.hasMedium) return false;
    out.availableToCaller = d.freeBytes;
    out.totalBytes = d.totalBytes;
    out.totalFreeBytes = d.freeBytes;
    return true;
  }
  return false;
}

bool FakePlatform::DiskFreeSpace(const std::string& root, DiskFreeClusters& out) {
  if (Fails()) return false;
  errorModeAtQuery.push_back(errorMode);
  for (const auto& d : drives) {
    if (FoldName(d.root) != FoldName(root)) continue;
    if (!d.hasMedium) return false;
    if (d.clusters) {
      out = *d.clusters;
      return true;
    }
    std::uint64_t cluster = std::uint64_t{d.bytesPerSector} * d.sectorsPerCluster;
    if (cluster == 0) return false;
    // Cluster counts are 32-bit. A system without the extended call
    // reports no more than 2 GiB in all.
    auto clamp = [&](std::uint64_t bytes) {
      std::uint64_t clusters = bytes / cluster;
      std::uint64_t limit = hasDiskFreeSpaceEx ? 0xFFFFFFFFull : (2ull << 30) / cluster - 1;
      return static_cast<std::uint32_t>(std::min(clusters, limit));
    };
    out.bytesPerSector = d.bytesPerSector;
    out.sectorsPerCluster = d.sectorsPerCluster;
    out.freeClusters = clamp(d.freeBytes);
    out.totalClusters = clamp(d.totalBytes);
    return true;
  }
  return false;
}

std::uint32_t FakePlatform::SetErrorMode(std::uint32_t mode) {
  if (Fails()) return 0;
  std::uint32_t previous = errorMode;
  errorMode = mode;
  errorModeHistory.push_back(mode);
  return previous;
}

std::u16string FakePlatform::FormatByteSizeW(std::int64_t bytes) {
  if (Fails()) return {};
  if (byteSizeText) return *byteSizeText;
  // The shell's rule: below 1024 the count itself, as a 32-bit number;
  // otherwise the first of KB, MB, ... in which the value is below 1000,
  // with two decimals below 10, one below 100, none above, cut (not
  // rounded). From 1000 GB on the shell first drops the bytes below a whole
  // MB, which can cost the last decimal.
  std::string text;
  if (bytes < 1024) {
    text = std::to_string(
               static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(bytes)))) +
           " bytes";
  } else {
    const auto value = static_cast<std::uint64_t>(bytes);
    int unit = 1;  // 1 KB, 2 MB, ... 6 EB
    while (unit < 6 && value >= 1000ull << (10 * unit)) ++unit;
    const std::uint64_t unitSize = 1ull << (10 * unit);
    const int decimals = value < 10 * unitSize ? 2 : value < 100 * unitSize ? 1 : 0;
    const std::uint64_t scale = decimals == 2 ? 100 : decimals == 1 ? 10 : 1;
    const std::uint64_t scaled =
        unit <= 3 ? value * scale >> (10 * unit) : (value >> 20) * scale >> (10 * unit - 20);
    text = std::to_string(scaled / scale);
    if (decimals > 0) {
      std::string fraction = std::to_string(scaled % scale);
      text += "." + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    text += std::string(" ") + "KMGTPE"[unit - 1] + "B";
  }
  std::u16string out;
  for (char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return out;
}

bool FakePlatform::SaveShellLink(const ShellLinkFields& link, const std::string& linkFile) {
  if (Fails()) return false;
  linkSaves.push_back(linkFile);
  if (failShellLinks) return false;
  std::string f = ResolveFile(linkFile);
  if (f.empty() || !m_Folders.count(ParentFolderKey(f))) return false;
  m_Files[f] = File{"L\0\0\0", false};
  shellLinks[f] = link;
  return true;
}

std::optional<ShellLinkFields> FakePlatform::LoadShellLink(const std::string& linkFile) {
  if (Fails()) return std::nullopt;
  auto it = shellLinks.find(ResolvePath(linkFile));
  if (it == shellLinks.end() || !m_Files.count(it->first)) return std::nullopt;
  return it->second;
}

int FakePlatform::MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                             unsigned type) {
  if (Fails()) return 0;
  boxes.push_back(Box{owner, text, caption, type});
  if (onBox) {
    const Box shown = boxes.back();  // the callback may show another box
    onBox(shown);
  }
  if (!answers.empty()) {
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  switch (type & 0xF) {
    case 3:  // Yes/No/Cancel
    case kMbYesNo:
      return kIdYes;
    default:
      return kIdOk;
  }
}

Platform::MutexResult FakePlatform::CreateMutex(const std::string& name, bool initialOwner) {
  if (Fails()) return {};
  bool existed = mutexNames.count(name) != 0 && mutexNames[name] > 0;
  ++mutexNames[name];
  KernelHandle h = m_NextHandle++;
  m_MutexHandles[h] = name;
  mutexCalls.push_back(MutexCall{name, initialOwner, existed});
  return MutexResult{h, existed};
}

void FakePlatform::CloseHandle(KernelHandle handle) {
  if (Fails()) return;
  closedHandles.push_back(handle);
  auto it = m_MutexHandles.find(handle);
  if (it == m_MutexHandles.end()) return;
  if (--mutexNames[it->second] <= 0) mutexNames.erase(it->second);
  m_MutexHandles.erase(it);
}

int FakePlatform::OpenHandles(const std::string& name) const {
  auto it = mutexNames.find(name);
  return it == mutexNames.end() ? 0 : it->second;
}

std::vector<std::string> FakePlatform::MutexLog() const {
  std::vector<std::string> out;
  for (const auto& call : mutexCalls) out.push_back(call.name + (call.initialOwner ? " owned" : ""));
  return out;
}

WindowHandle FakePlatform::FindWindowByCaption(const std::string& caption) {
  if (Fails()) return 0;
  for (const auto& w : windows)
    if (w.caption == caption) return w.handle;
  return 0;
}

std::vector<WindowInfo> FakePlatform::TopLevelWindows() {
  if (Fails()) return {};
  return windows;
}

void FakePlatform::SetForegroundWindow(WindowHandle window) {
  if (Fails()) return;
  foregrounded.push_back(window);
}

std::intptr_t FakePlatform::SendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  if (Fails()) return 0;
  messages.push_back(SentMessage{window, message, wParam, lParam, false});
  return onSendMessage ? onSendMessage(messages.back()) : 0;
}

bool FakePlatform::PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
  if (Fails()) return false;
  messages.push_back(SentMessage{window, message, wParam, lParam, true});
  return true;
}

bool FakePlatform::CreateProcess(const std::string& application) {
  if (Fails()) return false;
  // Looked up directly, as GetFileAttributes does: a call of its own would
  // count in the fault plan.
  const std::string f = ResolvePath(application);
  if (failCreateProcess || f.empty() || m_Folders.count(f) || !m_Files.count(ResolveFile(application)))
    return false;
  processes.push_back(Started{application, currentDir});
  return true;
}

void FakePlatform::Sleep(std::uint32_t milliseconds) {
  if (Fails()) return;
  sleeps.push_back(milliseconds);
}

std::vector<std::string> FakePlatform::CommandLineArguments() {
  if (Fails()) return {};
  return arguments;
}

std::intptr_t FakePlatform::ShellExecute(WindowHandle, const std::string& verb, const std::string& file,
                                         const std::string& parameters, const std::string& directory,
                                         int show) {
  if (Fails()) return 0;
  shellCalls.push_back(ShellCall{verb, file, parameters, directory, show, currentDir});
  return 42;  // above 32: started
}

IconHandle FakePlatform::ExtractIcon(const std::string& file, int index) {
  if (Fails()) return 0;
  extractIconCalls.push_back(file);
  std::string f = ResolveFile(file);
  if (index != 0 || !m_Files.count(f) || !HasExtension(f, {".ico", ".exe", ".dll", ".icl"})) return 0;
  auto it = iconsExtracted.find(f);
  if (it != iconsExtracted.end()) return it->second;
  IconHandle h = m_NextHandle++;
  iconsExtracted[f] = h;
  return h;
}

IconHandle FakePlatform::LoadProgramIcon(int resourceId) {
  if (Fails()) return 0;
  return ProgramIconHandle(resourceId);
}

bool FakePlatform::PlaySound(const std::string& path, std::uint32_t flags) {
  if (Fails()) return false;
  sounds.push_back(Sound{path, flags});
  // An asynchronous sound is only queued: the call succeeds whatever the file.
  if (flags & kSndAsync) return true;
  auto it = m_Files.find(ResolveFile(path));
  if (it == m_Files.end() || it->second.locked) return false;
  const std::string& content = it->second.content;
  return content.size() >= 12 && content.compare(0, 4, "RIFF") == 0 && content.compare(8, 4, "WAVE") == 0;
}

std::optional<ProductVersion> FakePlatform::FileProductVersion(const std::string& path) {
  if (Fails()) return std::nullopt;
  std::string f = ResolvePath(path);
  if (!m_Files.count(f)) return std::nullopt;
  auto it = m_Versions.find(f);
  if (it == m_Versions.end()) return std::nullopt;
  return it->second;
}

std::string FakePlatform::ResolveLibrary(const std::string& fileName) const {
  // A bare name is looked for as the system's default search does: beside
  // the program, in the system folder, the Windows folder, then the current
  // folder.
  if (fileName.find('\\') != std::string::npos || fileName.find('/') != std::string::npos)
    return ResolvePath(fileName);
  const std::string program = modulePath.substr(0, modulePath.find_last_of('\\'));
  for (const std::string& dir : {program, systemDir, windowsDir, currentDir}) {
    const std::string candidate = ResolvePath(dir + "\\" + fileName);
    if (m_Libraries.count(candidate)) return candidate;
  }
  return Fold(systemDir + "\\" + fileName);
}

ModuleHandle FakePlatform::LoadLibrary(const std::string& fileName) {
  if (Fails()) return 0;
  loadedLibraries.push_back(fileName);
  std::string f = ResolveLibrary(fileName);
  if (!m_Libraries.count(f) || !m_Files.count(f)) return 0;
  ModuleHandle h = m_NextHandle++;
  m_Modules[h] = f;
  return h;
}

ProcAddress FakePlatform::GetProcAddress(ModuleHandle module, const std::string& name) {
  if (Fails()) return 0;
  auto m = m_Modules.find(module);
  if (m == m_Modules.end()) return 0;
  const auto& lib = m_Libraries[m->second];
  if (!lib.entries.count(name)) return 0;
  ProcAddress p = m_NextHandle++;
  m_Procs[p] = {module, name};
  return p;
}

void FakePlatform::FreeLibrary(ModuleHandle module) {
  if (Fails()) return;
  freedLibraries.push_back(module);
  m_Modules.erase(module);
}

int FakePlatform::CallScriptInstall(ProcAddress entry, const std::string& scriptPath) {
  if (Fails()) return -1;
  auto p = m_Procs.find(entry);
  if (p == m_Procs.end()) return -1;
  scriptCalls.push_back(ScriptCall{p->second.second, scriptPath});
  auto m = m_Modules.find(p->second.first);
  if (m == m_Modules.end()) return -1;
  return m_Libraries[m->second].entries[p->second.second];
}

bool FakePlatform::ShellNotifyIcon(std::uint32_t command, const NotifyIconData& data) {
  if (Fails()) return false;
  notifyCalls.push_back(NotifyCall{command, data});
  if (failShellNotify) return false;
  const auto icon = std::make_pair(data.hWnd, data.uID);
  switch (command) {
    case kNimAdd:
      return m_TrayIcons.insert(icon).second;
    case kNimModify:
      return m_TrayIcons.count(icon) != 0;
    case kNimDelete:
      return m_TrayIcons.erase(icon) != 0;
    default:
      return false;
  }
}

}  // namespace plat
