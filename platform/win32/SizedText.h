// Texts between the program and Win32 calls: reading a text that a call
// writes into a caller's buffer, in full; ANSI text for the ...W calls.
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

// `text` (in the ANSI code page) as UTF-16; "" when it cannot be converted.
inline std::wstring Widen(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length) != length) return {};
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

}  // namespace plat::win32
