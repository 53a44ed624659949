// The macros of capsule values: the ten token macros {TOKEN1} ... {TOKEN10},
// which stand for the capsule's Token1 ... Token10 values, and the folder
// macros.
#pragma once

#include <string>
#include <vector>

#include "config/BonusConfig.h"

namespace install {

struct FolderMacro {
  std::string macro;  // exact case, braces included
  std::string value;  // what replaces it
};

// The eleven folder macros for the given Windows, system, program and
// source folders, in the order they are substituted: {WIN_DIR},
// {WIN_SYS_DIR}, {RUN_DIR}, {TEMP}, {DESKTOP}, {STARTUP}, {PROGRAMS},
// {START_MENU}, {FAVORITES_DIR}, {SRC_DIR}, and {ANY_DIR} (which is removed).
std::vector<FolderMacro> FolderMacros(const std::string& winDir, const std::string& sysDir,
                                      const std::string& runDir, const std::string& srcDir);

// `text` with the token macro of string `macroId` replaced by `token`; a
// token in brackets ("[Section]") is replaced instead by the registry value
// that section of the capsule's own configuration file names, with the
// capsule's TextExcluded removed from it. When that file is missing the
// "doesn't exist" box is shown with an empty caption and `text` comes back
// unchanged. A text without the macro comes back unchanged at once.
std::string ReplaceToken(CBonusConfig& config, const std::string& text, int capsule, int macroId,
                         const std::string& token);

// `text` with the capsule's ten token macros (number 1 first) and then
// `folderMacros` substituted, each at every occurrence, exact case. A
// token's value loses its leading white space and is left in `token` (the
// dialog's m_sToken) while it is substituted. A capsule outside the lists
// has empty tokens.
std::string ExpandMacros(CBonusConfig& config, const std::string& text, int capsule,
                         const std::vector<FolderMacro>& folderMacros, std::string& token);

}  // namespace install
