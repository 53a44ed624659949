#include "platform/win32/SizedText.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;
using win32::ReadSizedText;
using win32::UniqueFileHandle;

std::optional<FileAttributes> Win32Platform::GetFileAttributes(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return FileAttributes{(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

bool Win32Platform::ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const bool read = NoThrow(false, [&] {
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0)
      bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    // Read to the end rather than trust the size: the file may change
    // while it is read.
    char chunk[64 * 1024];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) return false;
      if (got == 0) return true;
      bytes.append(chunk, got);
    }
  });
  if (!read) bytes.clear();
  return read;
}

bool Win32Platform::DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

std::string Win32Platform::ShortPathName(const std::string& path) {
  return NoThrow<std::string>({}, [&] {
    return ReadSizedText(
        [&](char* buffer, DWORD size) { return ::GetShortPathNameA(path.c_str(), buffer, size); });
  });
}

std::string Win32Platform::CurrentDirectory() {
  return NoThrow<std::string>({}, [] {
    return ReadSizedText([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
  });
}

bool Win32Platform::SetCurrentDirectory(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::optional<std::string> Win32Platform::ExpandEnvironmentStrings(const std::string& text) {
  return NoThrow<std::optional<std::string>>(std::nullopt, [&]() -> std::optional<std::string> {
    // Unlike most calls, this one counts the zero in what it returns, both
    // when the text fits and when it does not.
    std::string buffer(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
      const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), buffer.data(),
                                                       static_cast<DWORD>(buffer.size()));
      if (needed == 0) return std::nullopt;
      if (needed <= buffer.size()) {
        buffer.resize(std::char_traits<char>::length(buffer.c_str()));
        return buffer;
      }
      buffer.assign(static_cast<std::size_t>(needed) + 1, '\0');
    }
    return std::nullopt;
  });
}

}  // namespace plat
