// Reading a text that a Win32 call writes into a caller's buffer, in full.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win32/Win32Api.h"

namespace plat::win32 {

// For the calls that return the length of the text written (without its
// zero) when it fits, the size needed (with the zero) when it does not, and
// 0 on failure (GetWindowsDirectoryA, GetCurrentDirectoryA,
// GetShortPathNameA, GetLogicalDriveStringsA, ...). `call(buffer, size)`
// makes the call; the text is asked for again with the size reported until
// it fits, as it may grow between two calls. "" on failure.
template <typename Call>
std::string ReadSizedText(Call&& call) {
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    const auto reported = static_cast<std::size_t>(call(buffer.data(), static_cast<DWORD>(buffer.size())));
    if (reported == 0) return {};
    if (reported < buffer.size()) {
      buffer.resize(reported);
      return buffer;
    }
    buffer.assign(reported + 1, '\0');
  }
  return {};
}

}  // namespace plat::win32
