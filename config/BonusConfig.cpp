#include "config/BonusConfig.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "platform/Text.h"
#include "resources/StringTable.h"

namespace {

using plat::AsciiLower;
using plat::Trim;
using plat::TrimLeft;
using plat::TrimRight;

bool IsHeader(std::string_view line) { return line.front() == '[' && line.back() == ']'; }

// The key of the re-read memory: the same file however its path is spelt.
CString FoldPath(const CString& path) {
  CString out(path);
  for (char& c : out) c = c == '/' ? '\\' : AsciiLower(c);
  return out;
}

// True when the last three characters of `path` (all of it when shorter),
// lower-cased, are "cfg".
bool EndsWithCfg(const CString& path) {
  std::string tail = path.size() >= 3 ? path.substr(path.size() - 3) : path;
  for (char& c : tail) c = AsciiLower(c);
  return tail == "cfg";
}

// A system path as the 260-character buffer receives it: "" when it (with
// its terminator) does not fit.
CString FittedPath(std::string path) { return plat::FitsMaxPath(path) ? path : CString(); }

// Calls `onLine(line, raw, number)` with every line of `text` that survives
// TAB deletion, trimming and the skipping of empty and comment lines, and
// `onSkipped(raw, number)` with every other one. `line` points into `text`,
// or into a scratch copy for a line that held a TAB; `raw` is the line as it
// stands in `text`; `number` counts physical lines from 1.
template <typename OnLine, typename OnSkipped>
void ForEachLine(std::string_view text, OnLine&& onLine, OnSkipped&& onSkipped) {
  const char* p = text.data();
  const char* const end = p + text.size();
  // The next TAB of the whole text, found once and passed by line after line,
  // so that lines without one are never copied or scanned a second time.
  auto findTab = [end](const char* from) {
    return static_cast<const char*>(std::memchr(from, '\t', static_cast<std::size_t>(end - from)));
  };
  const char* nextTab = p == end ? nullptr : findTab(p);
  std::string scratch;
  std::size_t number = 0;
  while (p < end) {
    const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* lineEnd = newline ? newline : end;
    const std::string_view raw(p, static_cast<std::size_t>(lineEnd - p));
    std::string_view line = raw;
    ++number;
    p = newline ? newline + 1 : end;
    if (nextTab != nullptr && nextTab < lineEnd) {
      scratch.clear();
      for (char c : line)
        if (c != '\t') scratch.push_back(c);
      line = scratch;
      nextTab = lineEnd == end ? nullptr : findTab(lineEnd);
    }
    line = Trim(line);
    if (line.empty() || line.front() == ';') {
      onSkipped(raw, number);
      continue;
    }
    onLine(line, raw, number);
  }
}

// ---- the keys -----------------------------------------------------------------

struct KeyField {
  std::string_view name;
  CString CBonusConfig::*scalar = nullptr;     // a dialog-wide key, or
  CStringArray CBonusConfig::*list = nullptr;  // a per-capsule key
};

// The keys of one section, found by name with a small open-addressing hash
// table (the names of a section are distinct, so a lookup by name gives the
// same key as trying them in table order).
class KeyTable {
 public:
  template <std::size_t N>
  explicit KeyTable(const std::array<KeyField, N>& keys) : keys_(keys.begin(), keys.end()) {
    slots_.fill(0);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
      const std::string_view name = keys_[i].name;
      maxLength_ = std::max(maxLength_, name.size());
      std::size_t slot = Hash(name);
      while (slots_[slot] != 0) slot = (slot + 1) % kSlots;
      slots_[slot] = static_cast<std::uint8_t>(i + 1);
    }
  }

  const KeyField* Find(std::string_view name) const {
    if (name.empty() || name.size() > maxLength_) return nullptr;
    for (std::size_t slot = Hash(name);; slot = (slot + 1) % kSlots) {
      const std::uint8_t entry = slots_[slot];
      if (entry == 0) return nullptr;
      const KeyField& key = keys_[entry - 1u];
      if (key.name == name) return &key;
    }
  }

 private:
  static constexpr std::size_t kSlots = 128;  // well over twice the largest section

  static std::size_t Hash(std::string_view name) {
    const auto at = [&](std::size_t i) {
      return static_cast<std::size_t>(static_cast<unsigned char>(name[i]));
    };
    const std::size_t n = name.size();
    return (n * 31 + at(0) * 7 + at(n - 1) * 17 + at(n / 2)) % kSlots;
  }

  std::vector<KeyField> keys_;
  std::array<std::uint8_t, kSlots> slots_{};
  std::size_t maxLength_ = 0;
};

std::string_view Name(int id) { return res::Str(id); }

const KeyTable& TuneUpKeys() {
  using C = CBonusConfig;
  static const KeyTable table(std::array<KeyField, 32>{{
      {Name(res::IDS_KEY_TEST), &C::m_sInstallFlag},
      {Name(res::IDS_KEY_HEIGHT), &C::m_sHeight},
      {Name(res::IDS_KEY_DISTANCE), &C::m_sDistance},
      {Name(res::IDS_KEY_WINDOWTITLE), &C::m_sWelcomeCaption},
      {Name(res::IDS_KEY_WELCOMETITLE), &C::m_sWelcomeTitle},
      {Name(res::IDS_KEY_WELCOMETEXT), &C::m_sWelcomeText},
      {Name(res::IDS_KEY_MESSAGE), &C::m_sMessage},
      {Name(res::IDS_KEY_RUN1), &C::m_sSplash1},
      {Name(res::IDS_KEY_RUN2), &C::m_sSplash2},
      {Name(res::IDS_KEY_ORDERURLMSG), &C::m_sInscdMsg},
      {Name(res::IDS_KEY_ORDERURL), &C::m_sInscdURL},
      {Name(res::IDS_KEY_TITLE), nullptr, &C::m_saTitle},
      {Name(res::IDS_KEY_DESCRIPTION), nullptr, &C::m_saDescription},
      {Name(res::IDS_KEY_DISCLAIMER), nullptr, &C::m_saDisclaimer},
      {Name(res::IDS_KEY_NOTE), nullptr, &C::m_saNote},
      {Name(res::IDS_KEY_TIP), nullptr, &C::m_saTip},
      {Name(res::IDS_KEY_RUN), nullptr, &C::m_saRun},
      {Name(res::IDS_KEY_MOREINFOTITLE), nullptr, &C::m_saMoreInfoTitle},
      {Name(res::IDS_KEY_MOREINFORUN), nullptr, &C::m_saMoreInfoRun},
      {Name(res::IDS_KEY_BUTTON1), nullptr, &C::m_saCapButton1},
      {Name(res::IDS_KEY_BUTTON2), nullptr, &C::m_saCapButton2},
      {Name(res::IDS_KEY_DISABLED), nullptr, &C::m_saCapButton1Disabled},
      {Name(res::IDS_KEY_TOKEN1), nullptr, &C::m_saCapToken1},
      {Name(res::IDS_KEY_TOKEN2), nullptr, &C::m_saCapToken2},
      {Name(res::IDS_KEY_TOKEN3), nullptr, &C::m_saCapToken3},
      {Name(res::IDS_KEY_TOKEN4), nullptr, &C::m_saCapToken4},
      {Name(res::IDS_KEY_TOKEN5), nullptr, &C::m_saCapToken5},
      {Name(res::IDS_KEY_TOKEN6), nullptr, &C::m_saCapToken6},
      {Name(res::IDS_KEY_TOKEN7), nullptr, &C::m_saCapToken7},
      {Name(res::IDS_KEY_TOKEN8), nullptr, &C::m_saCapToken8},
      {Name(res::IDS_KEY_TOKEN9), nullptr, &C::m_saCapToken9},
      {Name(res::IDS_KEY_TOKEN10), nullptr, &C::m_saCapToken10},
  }});
  return table;
}

const KeyTable& VersionKeys() {
  using C = CBonusConfig;
  static const KeyTable table(std::array<KeyField, 6>{{
      {Name(res::IDS_KEY_VERSION), nullptr, &C::m_saVersion},
      {Name(res::IDS_KEY_REGISTRY), nullptr, &C::m_saRegistry},
      {Name(res::IDS_KEY_PROMPTTYPE), nullptr, &C::m_saPromptType},
      {Name(res::IDS_KEY_ASKMSG), nullptr, &C::m_saAskMsg},
      {Name(res::IDS_KEY_FILE), nullptr, &C::m_saFile},
      {Name(res::IDS_KEY_TEXTEXCLUDED), nullptr, &C::m_saFileExcluded},
  }});
  return table;
}

// Stores the value of a key line of [TuneUp] or [Version], if it has one.
// Returns the key the line names, or nullptr.
const KeyField* ApplyKeyLine(CBonusConfig& config, const KeyTable& keys, std::string_view line,
                             int capsuleIndex) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return nullptr;
  const KeyField* key = keys.Find(TrimRight(line.substr(0, equals)));
  if (key == nullptr) return nullptr;
  const std::string_view value = line.substr(equals + 1);
  if (key->scalar != nullptr) {
    (config.*key->scalar).assign(value);
    return key;
  }
  if (capsuleIndex < 0) return key;
  CStringArray& list = config.*key->list;
  const auto index = static_cast<std::size_t>(capsuleIndex);
  if (list.size() <= index) {
    // Capsule files are read in index order up to the number of capsules:
    // room for all of them at once spares a reallocation per doubling.
    if (list.capacity() <= index) list.reserve(std::max(index + 1, config.m_saPackages.size()));
    list.resize(index);
    list.emplace_back(value);
    return key;
  }
  list[index].assign(value);
  return key;
}

// The value part of a key line, as ApplyKeyLine stores it.
std::string_view KeyLineValue(std::string_view line) { return line.substr(line.find('=') + 1); }

constexpr std::string_view kErrorPrefix = "Error: ";
constexpr std::string_view kErrorSuffix = " doesn't exist.";
constexpr std::string_view kAccessFolder = "\\access";
constexpr std::string_view kMarkerExtension = ".rtf";
constexpr std::string_view kConfigExtension = ".cfg";
constexpr std::string_view kSectionKey = "Key";
constexpr std::string_view kSectionValue = "Value";
// A file read in text mode ends at its first Ctrl-Z, wherever it stands.
constexpr char kEndOfText = '\x1A';

}  // namespace

CBonusConfig::CBonusConfig(plat::Platform& platform) : m_platform(&platform) {}

CStringArray* CBonusConfig::TokenList(int n) {
  CStringArray* const lists[] = {&m_saCapToken1, &m_saCapToken2, &m_saCapToken3, &m_saCapToken4,
                                 &m_saCapToken5, &m_saCapToken6, &m_saCapToken7, &m_saCapToken8,
                                 &m_saCapToken9, &m_saCapToken10};
  return n >= 1 && n <= 10 ? lists[n - 1] : nullptr;
}

const CString& CBonusConfig::At(const CStringArray& list, long long index) {
  static const CString empty;
  if (index < 0 || static_cast<unsigned long long>(index) >= list.size()) return empty;
  return list[static_cast<std::size_t>(index)];
}

// ---- locating and reading ------------------------------------------------------

CString CBonusConfig::LocateConfigFile(bool preferProgramFolder) {
  m_sWindowsDir = FittedPath(m_platform->WindowsDirectory());
  m_sSystemDir = FittedPath(m_platform->SystemDirectory());
  m_sModulePath = FittedPath(m_platform->ModulePath());
  m_sModuleDir = GetFolderPart(m_sModulePath);
  m_sModuleFileName = GetLastPathPart(m_sModulePath);
  m_sModuleBaseName = m_sModuleFileName.substr(0, m_sModuleFileName.find('.'));

  if (auto value = m_platform->RegQueryValue(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue)) {
    if (auto text = plat::RegistryBufferText(value->data)) {
      m_sSourceDir = *text;
      m_sDataDir = m_sSourceDir;
      m_sDataDir += kAccessFolder;
    }
  }

  const CString stem = m_sModuleDir + "\\" + m_sModuleBaseName;
  const bool hasMarker = FileExists(stem + CString(kMarkerExtension), false, CString());
  if (hasMarker) m_sDataDir = m_sModuleDir;
  if (hasMarker || preferProgramFolder)
    m_sConfigPath = stem + CString(kConfigExtension);
  else
    m_sConfigPath = m_sDataDir + "\\" + m_sModuleBaseName + CString(kConfigExtension);
  return m_sConfigPath;
}

bool CBonusConfig::ReadTextFile(const CString& path) {
  if (!m_platform->ReadFileBytes(path, m_readBuffer)) {
    m_readBuffer.clear();
    if (!EndsWithCfg(path))
      m_platform->MessageBox(0, CString(kErrorPrefix) + path + CString(kErrorSuffix), res::DefaultTitle(),
                             plat::kMbOk | plat::kMbIconStop);
    return false;
  }
  const std::size_t end = m_readBuffer.find(kEndOfText);
  if (end != CString::npos) m_readBuffer.resize(end);
  return true;
}

bool CBonusConfig::ParseConfigFile(const CString& path, int capsuleIndex) {
  m_sLine.clear();
  m_sSectionName.clear();
  if (!ReadTextFile(path)) return false;
  ParseLines(m_readBuffer, capsuleIndex, &path);
  m_readBuffer.clear();
  return true;
}

void CBonusConfig::ParseConfigText(std::string_view text, int capsuleIndex) {
  m_sLine.clear();
  m_sSectionName.clear();
  ParseLines(text, capsuleIndex, nullptr);
}

void CBonusConfig::ParseLines(std::string_view text, int capsuleIndex, const CString* sourcePath) {
  static const std::string_view packages = res::Str(res::IDS_SECTION_PACKAGES);
  static const std::string_view tuneUp = res::Str(res::IDS_SECTION_TUNEUP);
  static const std::string_view version = res::Str(res::IDS_SECTION_VERSION);
  const KeyTable& tuneUpKeys = TuneUpKeys();
  const KeyTable& versionKeys = VersionKeys();

  PackageSlots* slots = nullptr;  // looked up at the file's first entry only
  std::size_t ordinal = 0;        // the entry's number within this read
  bool sawLine = false;
  IConfigLineObserver* const observer = m_pLineObserver;
  ConfigLineEvent event;
  if (observer != nullptr && sourcePath != nullptr) event.file = *sourcePath;
  auto tell = [&](std::string_view line, std::string_view raw, std::size_t number, ConfigLineEvent::Kind kind,
                  std::string_view section, const KeyField* key) {
    event.number = number;
    event.raw = raw;
    event.text = line;
    event.kind = kind;
    event.section = section;
    event.key = key != nullptr ? key->name : std::string_view();
    event.value = key != nullptr ? KeyLineValue(line) : std::string_view();
    observer->OnConfigLine(event);
  };
  using Kind = ConfigLineEvent::Kind;
  ForEachLine(
      text,
      [&](std::string_view line, std::string_view raw, std::size_t number) {
        sawLine = true;
        if (IsHeader(line)) {
          m_bInSection = m_bInPackages = m_bInTuneUp = m_bInVersion = false;
          bool* flag = line == packages  ? &m_bInPackages
                       : line == tuneUp  ? &m_bInTuneUp
                       : line == version ? &m_bInVersion
                                         : nullptr;
          if (flag != nullptr) m_bInSection = *flag = true;
          if (observer != nullptr)
            tell(line, raw, number, flag != nullptr ? Kind::KnownHeader : Kind::OtherHeader,
                 flag != nullptr ? line : std::string_view(), nullptr);
          return;
        }
        if (!m_bInSection) {
          if (observer != nullptr) tell(line, raw, number, Kind::Outside, {}, nullptr);
          return;
        }
        const KeyField* key = nullptr;
        if (m_bInPackages) AddPackage(line, sourcePath, slots, ordinal++);
        if (m_bInTuneUp) key = ApplyKeyLine(*this, tuneUpKeys, line, capsuleIndex);
        if (m_bInVersion) key = ApplyKeyLine(*this, versionKeys, line, capsuleIndex);
        if (observer == nullptr) return;
        if (m_bInPackages)
          tell(line, raw, number, Kind::Entry, packages, nullptr);
        else if (m_bInTuneUp || m_bInVersion)
          tell(line, raw, number, key != nullptr ? Kind::Key : Kind::NoKey, m_bInTuneUp ? tuneUp : version,
               key);
        else
          tell(line, raw, number, Kind::Outside, {}, nullptr);
      },
      [&](std::string_view raw, std::size_t number) {
        if (observer != nullptr) tell(Trim(raw), raw, number, Kind::Skipped, {}, nullptr);
      });
  m_sLine.clear();
  if (sawLine) m_sSectionName.assign(version);
}

void CBonusConfig::AddPackage(std::string_view entry, const CString* sourcePath, PackageSlots*& slots,
                              std::size_t ordinal) {
  if (sourcePath != nullptr && slots == nullptr) slots = &m_packageSlots[FoldPath(*sourcePath)];
  if (slots != nullptr && ordinal < slots->size()) {
    const std::size_t index = (*slots)[ordinal];
    if (index < m_saPackages.size()) {
      const CString& held = m_saPackages[index];
      const std::size_t dirLength = m_sDataDir.size();
      if (held.size() == dirLength + 1 + entry.size() && held.compare(0, dirLength, m_sDataDir) == 0 &&
          held[dirLength] == '\\' && held.compare(dirLength + 1, entry.size(), entry) == 0)
        return;
    }
  }
  CString folder;
  folder.reserve(m_sDataDir.size() + 1 + entry.size());
  folder.append(m_sDataDir).append(1, '\\').append(entry);
  m_saPackages.push_back(std::move(folder));
  if (slots == nullptr) return;
  if (ordinal < slots->size())
    (*slots)[ordinal] = m_saPackages.size() - 1;
  else
    slots->push_back(m_saPackages.size() - 1);
}

bool CBonusConfig::FileExists(const CString& path, bool showError, const CString& caption) {
  const auto attributes = m_platform->GetFileAttributes(path);
  const bool exists = attributes.has_value() && !attributes->directory;
  if (!exists && showError)
    m_platform->MessageBox(0, CString(kErrorPrefix) + path + CString(kErrorSuffix), caption,
                           plat::kMbOk | plat::kMbIconStop);
  return exists;
}

void CBonusConfig::SplitIntoList(CString text, const CString& delimiters) {
  m_saList.clear();
  // The first round runs for any non-empty text, even one that deleting its
  // TABs empties. TABs go once: no later step brings one back.
  bool firstRound = !text.empty();
  text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
  std::string_view rest = text;
  while (firstRound || !rest.empty()) {
    firstRound = false;
    const std::string_view part = Trim(rest.substr(0, rest.find_first_of(delimiters)));
    m_saList.emplace_back(part);
    if (!part.empty()) rest.remove_prefix(rest.find(part) + part.size());
    rest = Trim(rest);
    if (!rest.empty()) rest.remove_prefix(1);
  }
}

CString CBonusConfig::GetFolderPart(const CString& path) {
  const auto slash = path.rfind('\\');
  return slash == CString::npos ? CString() : path.substr(0, slash);
}

CString CBonusConfig::GetLastPathPart(const CString& path) {
  const auto slash = path.rfind('\\');
  return slash == CString::npos ? CString() : path.substr(slash + 1);
}

// ---- registry --------------------------------------------------------------------

CString CBonusConfig::ReadRegistryString(CString keyPath, const CString& valueName) {
  const std::string_view path = TrimLeft(std::string_view(keyPath));
  if (path.empty()) return {};
  const RegistryRootName* root = FindRegistryRoot(path);
  if (root == nullptr) return {};
  const auto value = m_platform->RegQueryValue(root->root, KeyBelowRoot(path, *root), valueName);
  if (!value) return {};
  return plat::RegistryBufferText(value->data).value_or(CString());
}

const RegistryRootName* FindRegistryRoot(std::string_view path) {
  static constexpr RegistryRootName kRoots[] = {
      {"HKEY_LOCAL_MACHINE\\", plat::RegRoot::LocalMachine, 19},
      {"HKEY_CLASSES_ROOT", plat::RegRoot::ClassesRoot, 18},
      {"HKEY_USERS", plat::RegRoot::Users, 11},
      {"HKEY_CURRENT_USER", plat::RegRoot::CurrentUser, 18},
  };
  for (const RegistryRootName& root : kRoots)
    if (path.find(root.name) != std::string_view::npos) return &root;
  return nullptr;
}

std::string KeyBelowRoot(std::string_view path, const RegistryRootName& root) {
  return std::string(path.substr(std::min(root.prefixLength, path.size())));
}

CString CBonusConfig::ReadSectionRegistryValue(const CString& path, const CString& sectionHeader) {
  m_sLine.clear();
  m_sSectionName.clear();
  if (!ReadTextFile(path)) return {};
  IConfigLineObserver* const observer = m_pLineObserver;
  ConfigLineEvent event;
  event.file = path;
  using Kind = ConfigLineEvent::Kind;
  auto tell = [&](std::string_view line, std::string_view raw, std::size_t number, Kind kind,
                  std::string_view key, std::string_view value) {
    event.number = number;
    event.raw = raw;
    event.text = line;
    event.kind = kind;
    event.section = m_bInSection ? std::string_view(sectionHeader) : std::string_view();
    event.key = key;
    event.value = value;
    observer->OnConfigLine(event);
  };
  ForEachLine(
      m_readBuffer,
      [&](std::string_view line, std::string_view raw, std::size_t number) {
        const bool isHeader = IsHeader(line);
        if (isHeader) m_bInSection = false;
        const bool isSectionHeader = line == sectionHeader;
        if (isSectionHeader) m_bInSection = true;
        if (!m_bInSection || isSectionHeader) {
          if (observer != nullptr)
            tell(line, raw, number,
                 isSectionHeader ? Kind::KnownHeader
                 : isHeader      ? Kind::OtherHeader
                                 : Kind::Outside,
                 {}, {});
          return;
        }
        const std::size_t equals = line.find('=');
        std::string_view name;
        std::string_view value;
        if (equals != std::string_view::npos) {
          name = TrimRight(line.substr(0, equals));
          value = TrimLeft(line.substr(equals + 1));
          if (name == kSectionKey)
            m_sRegKey.assign(value);
          else if (name == kSectionValue)
            m_sRegValue.assign(value);
        }
        if (observer == nullptr) return;
        if (equals != std::string_view::npos && (name == kSectionKey || name == kSectionValue))
          tell(line, raw, number, Kind::Key, name, value);
        else
          tell(line, raw, number, Kind::NoKey, {}, {});
      },
      [&](std::string_view raw, std::size_t number) {
        if (observer != nullptr) tell(Trim(raw), raw, number, Kind::Skipped, {}, {});
      });
  m_readBuffer.clear();
  if (m_sRegKey.empty()) return {};
  return ReadRegistryString(m_sRegKey, m_sRegValue);
}

// ---- drives, disk space, shortcuts ------------------------------------------------

CString CBonusConfig::GetDriveLetters(int mask) {
  const std::vector<std::string> roots = m_platform->LogicalDriveRoots();
  // The list as the 260-byte buffer would hold it: each root and its zero
  // byte, then the closing zero byte.
  std::size_t bytes = 1;
  for (const std::string& root : roots) bytes += root.size() + 1;
  if (bytes > plat::kMaxPath) return {};

  struct Kind {
    int bit;
    std::uint32_t driveType;
  };
  static constexpr Kind kKinds[] = {{1, plat::kDriveFixed},
                                    {2, plat::kDriveRemovable},
                                    {4, plat::kDriveRemote},
                                    {8, plat::kDriveCdRom},
                                    {16, plat::kDriveRamDisk}};
  CString letters;
  for (const std::string& root : roots) {
    if (root.empty()) break;  // the end of a zero-separated list
    bool keep = mask == 0;
    if (!keep) {
      const std::uint32_t type = m_platform->DriveType(root);
      for (const Kind& kind : kKinds)
        if ((mask & kind.bit) != 0 && type == kind.driveType) keep = true;
    }
    if (keep)
      letters.push_back(root[0] >= 'a' && root[0] <= 'z' ? static_cast<char>(root[0] - 'a' + 'A') : root[0]);
  }
  return letters;
}

int CBonusConfig::GetDiskSpaceKB(char driveLetter, std::int64_t* totalKB, std::int64_t* freeKB) {
  const std::string root = std::string(1, driveLetter) + ":\\";
  const bool extended = m_platform->HasDiskFreeSpaceEx();
  std::uint64_t total = 0;
  std::uint64_t free = 0;
  const std::uint32_t previousMode = m_platform->SetErrorMode(plat::kSemFailCriticalErrors);
  bool ok;
  if (extended) {
    plat::DiskFreeEx space;
    ok = m_platform->DiskFreeSpaceEx(root, space);
    total = space.totalBytes;
    free = space.totalFreeBytes;
  } else {
    plat::DiskFreeClusters space;
    ok = m_platform->DiskFreeSpace(root, space);
    const std::uint64_t cluster = std::uint64_t{space.bytesPerSector} * space.sectorsPerCluster;
    total = cluster * space.totalClusters;
    free = cluster * space.freeClusters;
  }
  m_platform->SetErrorMode(previousMode);
  if (!ok) return 0;
  if (totalKB != nullptr) *totalKB = static_cast<std::int64_t>(total / 1024);
  if (freeKB != nullptr) *freeKB = static_cast<std::int64_t>(free / 1024);
  return 0;
}

CString CBonusConfig::FormatByteSize(std::int64_t bytes) {
  const std::u16string wide = m_platform->FormatByteSizeW(bytes);
  CString text;
  for (char16_t unit : wide) {
    if (unit == 0) break;
    text.push_back(static_cast<char>(unit & 0xFF));
  }
  return text;
}

void CBonusConfig::CreateShellLink(const CString& target, const CString& linkFile, const CString& workingDir,
                                   const CString& iconPath, int iconIndex, int showCommand,
                                   const CString& arguments) {
  // The file name is handed to the shell in a 260-character wide buffer; a
  // longer one would be cut short or left unterminated.
  if (!plat::FitsMaxPath(linkFile)) return;
  plat::ShellLinkFields link;
  link.target = target;
  link.workingDir = workingDir;
  link.iconPath = iconPath;
  link.iconIndex = iconIndex;
  link.showCommand = showCommand;
  link.arguments = arguments;
  m_platform->SaveShellLink(link, linkFile);
}
