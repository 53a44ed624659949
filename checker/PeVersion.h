// The product version of a Windows program file, read from its bytes: the
// fixed file information of the version resource (RT_VERSION) that the
// system's version calls return for the root block "\".
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace checker {

// Nothing when `bytes` is no PE file (32 or 64 bit), has no version
// resource, or its VS_FIXEDFILEINFO is missing or truncated.
std::optional<plat::ProductVersion> PeProductVersion(const std::string& bytes);

// True when `bytes` is an icon file with at least one image (the header
// ExtractIcon needs: reserved 0, type 1, a non-zero count, and the first
// image's data inside the file).
bool IsIconFile(const std::string& bytes);

}  // namespace checker
