#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;
using win32::UniqueRegKey;

namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
  }
  return nullptr;
}

UniqueRegKey OpenForReading(RegRoot root, const std::string& subKey) {
  UniqueRegKey key;
  HKEY parent = RootKey(root);
  if (parent == nullptr) return key;
  if (::RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) key.Release();
  return key;
}

}  // namespace

bool Win32Platform::RegKeyExists(RegRoot root, const std::string& subKey) {
  return static_cast<bool>(OpenForReading(root, subKey));
}

std::optional<RegValue> Win32Platform::RegQueryValue(RegRoot root, const std::string& subKey,
                                                     const std::string& valueName) {
  const UniqueRegKey key = OpenForReading(root, subKey);
  if (!key) return std::nullopt;
  return NoThrow<std::optional<RegValue>>(std::nullopt, [&]() -> std::optional<RegValue> {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    // The value may grow between the size query and the read; then the
    // read reports the new size and is made again.
    for (int attempt = 0; attempt < 8; ++attempt) {
      std::string data(static_cast<std::size_t>(size) + 1, '\0');
      DWORD got = size;
      const LONG status = ::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &got);
      if (status == ERROR_SUCCESS) {
        data.resize(got);
        return RegValue{type, std::move(data)};
      }
      if (status != ERROR_MORE_DATA) return std::nullopt;
      size = got > size ? got : size * 2 + 16;
    }
    return std::nullopt;
  });
}

}  // namespace plat
