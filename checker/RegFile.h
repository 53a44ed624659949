// A registry export read into memory: the keys and values of a ".reg" file
// as the Registry Editor writes it ("REGEDIT4", or "Windows Registry Editor
// Version 5.00" in 8-bit text or UTF-16 little-endian with its byte-order
// mark). The checker answers the program's registry reads from it where
// there is no real registry, or where the maker wants a fixed one.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace checker {

class RegFile {
 public:
  struct Problem {
    std::size_t line = 0;
    std::string message;
  };

  // Reads an export. Key headers "[ROOT\path]" take the four full root names
  // (and HKLM, HKCU, HKCR, HKU, which the Registry Editor accepts on import);
  // values are "name"= or @= followed by "text" (with \\ and \" escapes),
  // dword:XXXXXXXX, hex:bytes or hex(T):bytes (lines ending in "\" go on);
  // "[-key]" and "name"=- delete. A UTF-16 export's REG_EXPAND_SZ and
  // REG_MULTI_SZ data are turned to 8-bit text as its strings are (each
  // code unit's low byte, "?" above 0xFF). Lines that cannot be read are
  // listed in Problems() and skipped; comment (";") and blank lines are ignored.
  static RegFile Parse(const std::string& bytes);

  const std::vector<Problem>& Problems() const { return m_problems; }

  // True when the key, or any key below it, is in the export. Key paths and
  // value names compare without regard to case; "" is the root itself.
  bool KeyExists(plat::RegRoot root, const std::string& subKey) const;
  // A value of a key named in the export ("" is the default value).
  std::optional<plat::RegValue> Value(plat::RegRoot root, const std::string& subKey,
                                      const std::string& name) const;

  // Adds or replaces a value (the key is created).
  void Set(plat::RegRoot root, const std::string& subKey, const std::string& name, plat::RegValue value);

 private:
  using Values = std::map<std::string, plat::RegValue>;  // key: folded value name
  static std::string KeyOf(plat::RegRoot root, const std::string& subKey);

  std::map<std::string, Values> m_keys;  // key: root number, "|", folded sub-key
  std::vector<Problem> m_problems;
};

// The root of a key path's first component ("HKEY_LOCAL_MACHINE", "HKLM", ...);
// nothing for any other text.
std::optional<plat::RegRoot> RootFromName(const std::string& name);

// "HKEY_LOCAL_MACHINE" etc.
const char* RootName(plat::RegRoot root);

}  // namespace checker
