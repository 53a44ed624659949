// CBonusConfig: the configuration store. It finds the program's folders and
// the main configuration file, reads ".cfg" files into its public fields with
// the line grammar below, and offers the file, path, registry, drive and
// shortcut operations the rest of the program uses.
//
// A plain value object: every window or operation that needs configuration
// makes its own, locates and reads the main file itself and drops it.
// All texts are 8-bit ANSI; keys and headers compare byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

using CString = std::string;
using CStringArray = std::vector<std::string>;

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
  CString m_sHeight, m_sDistance, m_sWelcomeCaption, m_sWelcomeTitle, m_sWelcomeText, m_sMessage,
      m_sSplash1, m_sSplash2, m_sInscdMsg, m_sInscdURL;
  CStringArray m_saTitle, m_saNote, m_saDisclaimer, m_saTip, m_saRun, m_saDescription,
      m_saMoreInfoTitle, m_saMoreInfoRun, m_saCapButton1, m_saCapButton2, m_saCapButton1Disabled;
  CStringArray m_saCapToken1, m_saCapToken2, m_saCapToken3, m_saCapToken4, m_saCapToken5,
      m_saCapToken6, m_saCapToken7, m_saCapToken8, m_saCapToken9, m_saCapToken10;
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

  // ---- Part of the configuration store -------------------------------------

  // Fills the folder fields and returns the main configuration file's path
  // (also left in m_sConfigPath); the file's existence is not tested.
  // A Windows folder, system folder or module path that does not fit the
  // 260-character buffer counts as a failed call: the field becomes "".
  // A "SourceDir" value that cannot be read leaves m_sSourceDir and
  // m_sDataDir as they were.
  CString LocateConfigFile(bool preferProgramFolder);

  // Reads a configuration file into the store with capsule index
  // `capsuleIndex`. False when the file cannot be opened: then nothing in the
  // store changes, and for a path not ending in "cfg" (any case) the
  // "doesn't exist" box is shown with the default caption. The section flags
  // carry over from the previous read.
  // [Packages] entries already in the store are not appended a second time
  // when the same file is read again (a re-read keeps the indices and adds
  // only entries beyond those already held).
  bool ParseConfigFile(const CString& path, int capsuleIndex);

  // The same reading applied to text in memory (the file loader is a thin
  // wrapper around it).
  void ParseConfigText(const std::string& text, int capsuleIndex);

  // True if `path` names an existing file that is not a folder. When it does
  // not and showError is set: a box without owner, "Error: " + path +
  // " doesn't exist.", the given caption, OK, stop icon.
  bool FileExists(const CString& path, bool showError, const CString& caption);

  // Empties m_saList, then fills it with the parts of `text` split at any of
  // the `delimiters` characters, each trimmed (TABs deleted).
  void SplitIntoList(CString text, const CString& delimiters);

  // The text before / after the last "\" of `path`.
  static CString GetFolderPart(const CString& path);
  static CString GetLastPathPart(const CString& path);

  // ---- registry ------------------------------------------------------------

  // The data of `valueName` under `keyPath` (a path beginning with a full
  // root name) as text up to its first zero byte, whatever its type; "" when
  // there is no recognised root, the key or value is missing, or the data
  // does not fit the 260-byte buffer.
  CString ReadRegistryString(CString keyPath, const CString& valueName);

  // The registry value named by the Key and Value lines of the section
  // `sectionHeader` of the file `path`; "" when the file cannot be opened
  // (with the "doesn't exist" box for a path not ending in "cfg") or no Key
  // was read. m_sRegKey and m_sRegValue keep what earlier reads left.
  CString ReadSectionRegistryValue(const CString& path, const CString& sectionHeader);

  // ---- drives, disk space, shortcuts -------------------------------------------

  // One upper-case letter per drive whose kind the mask selects (1 fixed,
  // 2 removable, 4 network, 8 CD-ROM, 16 RAM disk; 0 every drive), in the
  // system's order. "" when no drive matches or the drive list does not fit
  // the 260-byte buffer.
  CString GetDriveLetters(int mask);

  // Total and free space of the drive in KiB. An absent output is skipped;
  // on failure the outputs are left unwritten. Always returns 0.
  int GetDiskSpaceKB(char driveLetter, std::int64_t* totalKB, std::int64_t* freeKB);

  // The shell's short size text of a byte count ("5.00 GB").
  CString FormatByteSize(std::int64_t bytes);

  // Writes a shortcut file, replacing an existing one. Silent on failure.
  void CreateShellLink(const CString& target, const CString& linkFile, const CString& workingDir,
                       const CString& iconPath, int iconIndex, int showCommand, const CString& arguments);

  plat::Platform& Platform() const { return *m_platform; }

 private:
  plat::Platform* m_platform;
};
