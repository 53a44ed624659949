// The texts of the installation engine that the string table does not carry.
#pragma once

#include <string>

namespace install {

// The confirmation that follows the capsule's title before its installer is
// started.
inline constexpr const char* kAboutToInstall =
    " is about to be installed.\n\nIf you are prompted for information during the installation and\n"
    "are not sure how to respond, select the default response. If you have any questions or problems "
    "with this software, please\ncontact the appropriate vendor.";

// The diagnostic box of a version check marked ",test": the file's path and
// its four product-version numbers.
inline constexpr const char* kProductVersionFormat = "Product version of the  %s:   %i.%i.%i.%i";
inline constexpr const char* kProductVersionCaption = "Bonus Test";

// The script library and its entry.
inline constexpr const char* kScriptLibraryName = "VScript.DLL";
inline constexpr const char* kScriptEntryName = "Install";

}  // namespace install
