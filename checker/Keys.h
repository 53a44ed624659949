// The configuration's vocabulary as the checker looks it up: every key of
// [TuneUp] and [Version] with the store field it fills, the known headers,
// and the macros of capsule values. Names come from the program's string
// table, so they are the very texts the reader compares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/BonusConfig.h"

namespace checker {

enum class KeySection { TuneUp, Version };

struct KeyInfo {
  int id = 0;
  std::string_view name;
  KeySection section = KeySection::TuneUp;
  CString CBonusConfig::*scalar = nullptr;     // a dialog-wide key, or
  CStringArray CBonusConfig::*list = nullptr;  // a per-capsule key
  bool DialogWide() const { return scalar != nullptr; }
};

// Every key, in the reader's order ([TuneUp]'s dialog-wide keys, its
// per-capsule keys, then [Version]'s).
const std::vector<KeyInfo>& AllKeys();
// The key of that exact name; nullptr for any other text.
const KeyInfo* FindKey(std::string_view name);
// "[TuneUp]" or "[Version]".
std::string_view SectionHeader(KeySection section);

// "[Packages]", "[TuneUp]", "[Version]".
const std::vector<std::string_view>& KnownHeaders();
// The headers of the vocabulary that nothing reads: "[RegUninstall]",
// "[Uninstall]", "[Run]", "[Copy]".
const std::vector<std::string_view>& UnreadHeaders();

// The folder macros, in substitution order ("{WIN_DIR}" ... "{ANY_DIR}").
const std::vector<std::string>& FolderMacroNames();
// "{TOKEN<n>}" for n in 1..10.
std::string TokenMacro(int n);

// Edit distance of two texts (insertions, deletions, substitutions), with
// letter case ignored; stops counting at `limit` + 1.
std::size_t FoldedDistance(std::string_view a, std::string_view b, std::size_t limit);

}  // namespace checker
