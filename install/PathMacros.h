// The folder macros of capsule values, in the order CBonusDlg::ExpandMacros
// substitutes them after the ten token macros.
#pragma once

#include <string>
#include <vector>

namespace bonus {

struct FolderMacro {
  std::string macro;  // exact case, braces included
  std::string value;  // what replaces it
};

// The eleven folder macros for the given Windows, system, program and
// source folders: {WIN_DIR}, {WIN_SYS_DIR}, {RUN_DIR}, {TEMP}, {DESKTOP},
// {STARTUP}, {PROGRAMS}, {START_MENU}, {FAVORITES_DIR}, {SRC_DIR}, and
// {ANY_DIR} (which is removed).
std::vector<FolderMacro> FolderMacros(const std::string& winDir, const std::string& sysDir,
                                      const std::string& runDir, const std::string& srcDir);

}  // namespace bonus
