// Whether a capsule's software is already installed, judged from the
// registry or from an installed file's version resource, and the capsule's
// own question about installing it again. Nothing here reports an error:
// whatever cannot be found or read counts as software that is not there.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "config/BonusConfig.h"
#include "install/Launcher.h"
#include "platform/Platform.h"

namespace install {

// The dialog's own message box (text, caption, type) -> the pressed button.
using DialogMessageBox =
    std::function<int(const std::string& text, const std::string& caption, unsigned type)>;

// Style of every question of the check: Yes/No, question icon, No as default.
inline constexpr unsigned kAskStyle = plat::kMbYesNo | plat::kMbIconQuestion | plat::kMbDefButton2;

// The capsule's values the check reads, and what it calls back.
struct VersionCheckContext {
  std::string askMsg;   // the capsule's AskMsg
  std::string caption;  // WindowTitle, the caption of every box
  MacroExpander expandMacros;
  DialogMessageBox messageBox;
};

// True when askMsg is empty; otherwise asks it (kAskStyle) and is false only
// for the answer No.
bool AskReinstall(const std::string& askMsg, const std::string& caption, const DialogMessageBox& messageBox);

// The whole check with the capsule's Registry, Version and File values. With
// a Registry value (leading white space removed) only the registry check runs;
// otherwise an empty File passes and any other runs the file check. True: go
// on with the install; false: the user answered No.
bool CheckInstalledVersion(CBonusConfig& config, const std::string& registry, const std::string& version,
                           const std::string& file, const VersionCheckContext& context);

// The registry check. `registry` starts with (or contains) one of the full
// root names "HKEY_LOCAL_MACHINE\", "HKEY_CLASSES_ROOT", "HKEY_USERS",
// "HKEY_CURRENT_USER", searched in that order; the root name and one
// backslash are cut from the front. No root: true. When the rest opens as a
// key, the question (shown even when AskMsg is empty) is asked if its last
// component, or else its default value's text, compares greater than or
// equal to `version` byte by byte. Otherwise the rest is a key path and a
// value name: a REG_SZ value is compared as text, a REG_DWORD as an unsigned
// number against the leading decimal number of `version`, any other type
// asks nothing. Data longer than 260 bytes counts as unreadable.
bool CheckRegistryVersion(plat::Platform& platform, const std::string& registry, const std::string& version,
                          const VersionCheckContext& context);

// The reference version: `version` split at "." and ",", its first four
// parts as decimal numbers; missing fields are -1.
std::array<int, 4> ReferenceVersion(CBonusConfig& config, const std::string& version);

// The file check: the File value's macros expanded, the part before the first
// "," is the path and a second part "test" shows the product version in a
// diagnostic box first. A path that is not an existing file, or a file
// without a readable version resource: true. Otherwise the reference and
// the installed product version are compared field by field as signed
// numbers: reference greater or all equal -> AskReinstall(askMsg, caption,
// messageBox); reference smaller -> true.
bool CheckFileVersion(CBonusConfig& config, const std::string& file, const std::string& version,
                      const VersionCheckContext& context);

}  // namespace install
