// CBonusConfig: the configuration store. It finds the program's folders and
// the main configuration file, reads ".cfg" files into its public fields with
// the line grammar below, and offers the file, path, registry, drive and
// shortcut operations the rest of the program uses.
//
// A plain value object: every window or operation that needs configuration
// makes its own, locates and reads the main file itself and drops it.
// All texts are 8-bit ANSI; keys and headers compare byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigLineObserver.h"
#include "platform/Platform.h"

using CString = std::string;
using CStringArray = std::vector<std::string>;

// A registry root as a path names it, and how many characters of the path's
// front the root takes.
struct RegistryRootName {
  std::string_view name;
  plat::RegRoot root;
  std::size_t prefixLength;
};

// The root a registry path names: the first of "HKEY_LOCAL_MACHINE\",
// "HKEY_CLASSES_ROOT", "HKEY_USERS", "HKEY_CURRENT_USER" found anywhere in it,
// in exact case; nullptr when there is none. Every reader of a capsule's
// registry path uses this one rule.
const RegistryRootName* FindRegistryRoot(std::string_view path);

// The key below `root`: `path` without its first root.prefixLength
// characters (19, 18, 11 or 18), whatever stands before the root's name.
std::string KeyBelowRoot(std::string_view path, const RegistryRootName& root);

// The product's registry key under HKEY_LOCAL_MACHINE and its values.
inline constexpr const char* kProductKey = "SOFTWARE\\Velmora Network\\5.0";
inline constexpr const char* kSourceDirValue = "SourceDir";
inline constexpr const char* kInstallDirValue = "InstallDir";

class CBonusConfig {
 public:
  explicit CBonusConfig(plat::Platform& platform);

  // ---- fields, in declaration order ----------------------------------------
  CString m_sWindowsDir;
  CString m_sSystemDir;
  char m_szLinkPath[plat::kMaxPath] = {};
  CString m_sModulePath;
  CString m_sModuleDir;
  CString m_sDataDir;
  CString m_sModuleFileName;
  CString m_sModuleBaseName;
  CStringArray m_saPackages;
  CString m_sHeight, m_sDistance, m_sWelcomeCaption, m_sWelcomeTitle, m_sWelcomeText, m_sMessage, m_sSplash1,
      m_sSplash2, m_sInscdMsg, m_sInscdURL;
  CStringArray m_saTitle, m_saNote, m_saDisclaimer, m_saTip, m_saRun, m_saDescription, m_saMoreInfoTitle,
      m_saMoreInfoRun, m_saCapButton1, m_saCapButton2, m_saCapButton1Disabled;
  CStringArray m_saCapToken1, m_saCapToken2, m_saCapToken3, m_saCapToken4, m_saCapToken5, m_saCapToken6,
      m_saCapToken7, m_saCapToken8, m_saCapToken9, m_saCapToken10;
  CString m_sRegKey, m_sRegValue;
  CString m_sSourceDir;
  CString m_sLine;
  CString m_sSectionName;
  CString m_sConfigPath;
  bool m_bInSection = false;
  bool m_bInPackages = false;
  CStringArray m_saVersion, m_saRegistry, m_saFile, m_saFileExcluded, m_saPromptType, m_saAskMsg;
  bool m_bInTuneUp = false;
  bool m_bInVersion = false;
  CString m_sInstallFlag;
  CStringArray m_saList;

  // Token list n (1..10); nullptr for any other n.
  CStringArray* TokenList(int n);
  // Entry `index` of a per-capsule list, "" when the list has no such entry
  // (a negative index included).
  static const CString& At(const CStringArray& list, long long index);

  // ---- locating and reading the configuration ------------------------------

  // Fills the folder fields and returns the main configuration file's path
  // (also left in m_sConfigPath); the file's existence is not tested.
  //  - m_sWindowsDir, m_sSystemDir, m_sModulePath: from the platform. A value
  //    that does not fit the 260-character buffer (terminator included)
  //    counts as a failed call: the field becomes "" (and so do the module
  //    fields derived from an unusable module path).
  //  - m_sModuleDir / m_sModuleFileName: the module path before / after its
  //    last "\"; m_sModuleBaseName: the file name up to its first "." (the
  //    whole name when it has none).
  //  - "SourceDir" under HKLM kProductKey, read into a 260-byte buffer
  //    whatever its type (text up to its first zero byte): m_sSourceDir is the
  //    value and m_sDataDir the value + "\access". A missing key or value, or
  //    data longer than 260 bytes, leaves both as they were.
  //  - The marker m_sModuleDir\<base name>.rtf, when it exists as a file,
  //    makes m_sDataDir the program folder.
  //  - The path is <program folder>\<base name>.cfg when the marker exists or
  //    preferProgramFolder is set, else m_sDataDir\<base name>.cfg.
  CString LocateConfigFile(bool preferProgramFolder);

  // Reads a configuration file into the store with capsule index `capsuleIndex`,
  // by the line grammar below. The file is text: it ends at its first Ctrl-Z
  // byte (0x1A), wherever that stands, and nothing after it is read. m_sLine and
  // m_sSectionName are emptied first. False when the file cannot be opened: then
  // nothing else in the store changes, and for a path whose last three
  // characters are not "cfg" (any case) the box "Error: <path> doesn't exist."
  // is shown without owner, with the default title as caption, OK and the stop
  // icon.
  //
  // Re-reading a file: the store remembers, per file path (compared without
  // regard to case, "/" taken as "\"), the index at which the k-th [Packages]
  // entry of that file was stored on its latest read. On a later read of the
  // same path the k-th entry is not appended when the remembered index still
  // holds exactly the same text (data folder, "\" and entry); any other
  // entry is appended as a new capsule and its index remembered. So re-reading
  // an unchanged file leaves m_saPackages as it is, a changed file adds only
  // its changed or additional entries, and no index ever changes.
  bool ParseConfigFile(const CString& path, int capsuleIndex);

  // The same reading applied to text in memory. Text read this way is tied
  // to no file: its [Packages] entries are always appended.
  //
  // Line grammar. Lines end at LF; the last one needs none; no length limit.
  // Per line: every TAB is deleted; blank, CR, LF, VT and FF are trimmed at
  // both ends; an empty line or one starting with ";" is skipped. A line
  // starting with "[" and ending with "]" is a header: it closes the open
  // section (clearing m_bInSection, m_bInPackages, m_bInTuneUp and
  // m_bInVersion) and opens [Packages], [TuneUp] or [Version] when it is
  // exactly that text (then m_bInSection is set with the section's flag).
  // Another line belongs to each section whose flag is set together with
  // m_bInSection:
  //  - [Packages]: m_sDataDir + "\" + the line is appended to m_saPackages.
  //  - [TuneUp] / [Version]: the name is the text before the first "=", with
  //    trailing white space removed; when it is exactly one of the section's
  //    keys, the text after that "=" (unchanged) becomes the dialog-wide
  //    field, or the entry `capsuleIndex` of the per-capsule list, which grows
  //    with empty entries as needed. A negative index stores nothing. Lines
  //    without "=" or with any other name change nothing.
  // The section flags are state of the store, not of the file: lines ahead of
  // a file's first header belong to the section left open by the previous
  // read into this store (also by ReadSectionRegistryValue, which shares
  // m_bInSection); in a new store they are ignored. After a read m_sLine is
  // "" and m_sSectionName is "[Version]" when at least one line was looked
  // at past the skipping step, else "".
  void ParseConfigText(std::string_view text, int capsuleIndex);

  // True if `path` names an existing file that is not a folder. When it does
  // not and showError is set: a box without owner, "Error: " + path +
  // " doesn't exist.", the given caption, OK, stop icon.
  bool FileExists(const CString& path, bool showError, const CString& caption);

  // Empties m_saList, then, while the text is not empty: deletes its TABs,
  // appends the part before the first character found in `delimiters` (the
  // whole text if none), trimmed at both ends; removes the text up to the end
  // of the first occurrence of that trimmed part (nothing for an empty part),
  // trims the rest at both ends and drops its first character if any.
  // So "a , b" gives "a", "b"; ",a" gives "", "a"; "a," gives "a".
  void SplitIntoList(CString text, const CString& delimiters);

  // The text before / after the last "\" of `path`; "" when it has none.
  static CString GetFolderPart(const CString& path);
  static CString GetLastPathPart(const CString& path);

  // ---- registry ------------------------------------------------------------

  // Leading white space is removed from keyPath; "" if nothing is left. The
  // root is chosen by the first of "HKEY_LOCAL_MACHINE\", "HKEY_CLASSES_ROOT",
  // "HKEY_USERS", "HKEY_CURRENT_USER" found anywhere in it, and the sub-key
  // is keyPath without its first 19, 18, 11 or 18 characters. The value
  // `valueName` ("" for the default value) is read into a 260-byte buffer:
  // the result is its data up to the first zero byte (never past the end of
  // the data), whatever its type. "" when no root is found, the key or value
  // is missing, or the data is longer than 260 bytes.
  CString ReadRegistryString(CString keyPath, const CString& valueName);

  // Reads the file `path` by lines as ParseConfigFile does (up to its first
  // Ctrl-Z; TABs deleted, trimmed, blank and ";" lines skipped). Every header
  // line clears m_bInSection; a line equal to `sectionHeader` sets it; in the
  // section a line "name = value" (name and value trimmed) with the name "Key"
  // or "Value" sets m_sRegKey or m_sRegValue (the last such line wins). Then
  // returns ReadRegistryString(m_sRegKey, m_sRegValue) when m_sRegKey is not
  // empty, else "". m_sRegKey and m_sRegValue are not emptied first, so a
  // section that is not found reuses what earlier reads left; m_bInSection
  // starts as it was. When the file cannot be opened: "", with the "doesn't
  // exist" box (default title) for a path not ending in "cfg". m_sLine and
  // m_sSectionName are "" afterwards.
  CString ReadSectionRegistryValue(const CString& path, const CString& sectionHeader);

  // ---- drives, disk space, shortcuts ---------------------------------------

  // One upper-case letter per drive whose kind the mask selects (1 fixed,
  // 2 removable, 4 network, 8 CD-ROM, 16 RAM disk; 0 every drive), in the
  // system's order. "" when no drive matches or the drive list (each root
  // with its zero byte, and a closing zero byte) does not fit 260 bytes.
  CString GetDriveLetters(int mask);

  // Total and free space of the drive in KiB, from the extended free-space
  // call when the system has it, else from the cluster counts (products in
  // 64 bits). The error mode is SEM_FAILCRITICALERRORS during the query and
  // restored after it. An absent output is skipped; on failure the outputs
  // are left unwritten. Always returns 0.
  int GetDiskSpaceKB(char driveLetter, std::int64_t* totalKB, std::int64_t* freeKB);

  // The shell's short size text of a byte count ("5.00 GB"), taking the low
  // byte of each UTF-16 unit up to the first zero unit.
  CString FormatByteSize(std::int64_t bytes);

  // Writes a shortcut file, replacing an existing one. Silent on failure; a
  // link file path that does not fit 260 characters writes nothing.
  void CreateShellLink(const CString& target, const CString& linkFile, const CString& workingDir,
                       const CString& iconPath, int iconIndex, int showCommand, const CString& arguments);

  plat::Platform& Platform() const { return *m_platform; }

  // Told about every line that ParseConfigFile, ParseConfigText and
  // ReadSectionRegistryValue read, when set; nothing else changes. Not owned;
  // null (the default) costs nothing.
  IConfigLineObserver* m_pLineObserver = nullptr;

 private:
  // Where each [Packages] entry of a file went on its latest read.
  using PackageSlots = std::vector<std::size_t>;

  void ParseLines(std::string_view text, int capsuleIndex, const CString* sourcePath);
  void AddPackage(std::string_view entry, const CString* sourcePath, PackageSlots*& slots,
                  std::size_t ordinal);
  // Reads the whole file `path` as text into m_readBuffer: the text ends at
  // its first Ctrl-Z byte (0x1A). False, with the buffer empty, when the file
  // cannot be read; then a path not ending in "cfg" (any case) gets the box
  // "Error: <path> doesn't exist." without owner, with the default title.
  bool ReadTextFile(const CString& path);

  plat::Platform* m_platform;
  std::map<CString, PackageSlots> m_packageSlots;  // key: folded file path
  CString m_readBuffer;                            // whole file, only inside one read
};
