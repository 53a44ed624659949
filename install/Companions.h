// The companion programs that may lie in a capsule's folder beside its
// installer and are started with it.
#pragma once

#include <array>
#include <string>

#include "config/BonusConfig.h"

namespace install {

// For folder F with last component N and code C (the first three characters
// of N in lower case): F\N.tmp, F\uninst.C, F\_sys.C, F\_clear.C, in the
// order they are started.
std::array<std::string, 4> CompanionPaths(const std::string& capsuleFolder);

// The short forms of the companion paths, taken now: "" for a file that does
// not exist (or whose short form does not fit the 260-character buffer).
std::array<std::string, 4> CompanionShortPaths(plat::Platform& platform, const std::string& capsuleFolder);

// Starts each non-empty short path that names an existing file by process
// creation (application name only, no argument), in order, without waiting.
void StartCompanions(CBonusConfig& config, const std::array<std::string, 4>& shortPaths);

}  // namespace install
