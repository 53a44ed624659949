#include "platform/win32/SizedText.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;
using win32::ReadSizedText;

std::string Win32Platform::WindowsDirectory() {
  return NoThrow<std::string>({}, [] {
    return ReadSizedText([](char* buffer, DWORD size) { return ::GetWindowsDirectoryA(buffer, size); });
  });
}

std::string Win32Platform::SystemDirectory() {
  return NoThrow<std::string>({}, [] {
    return ReadSizedText([](char* buffer, DWORD size) { return ::GetSystemDirectoryA(buffer, size); });
  });
}

std::string Win32Platform::ModulePath() {
  return NoThrow<std::string>({}, [] {
    // GetModuleFileNameA reports truncation only by filling the whole
    // buffer (older systems leave it without a zero), so a full buffer is
    // taken as too small.
    std::string buffer(MAX_PATH, '\0');
    for (DWORD size = MAX_PATH; size <= 0x10000; size *= 2) {
      buffer.assign(size, '\0');
      const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
      if (length == 0) return std::string();
      if (length < size) {
        buffer.resize(length);
        return buffer;
      }
    }
    return std::string();
  });
}

}  // namespace plat
