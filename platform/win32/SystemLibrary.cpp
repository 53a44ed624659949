#include "platform/win32/SystemLibrary.h"

#include <string>

#include "platform/win32/SizedText.h"

namespace plat::win32 {

namespace {

// From the headers of newer systems than the program's minimum.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

}  // namespace

void RestrictLibrarySearch() noexcept {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
  const auto restrictTo = LookUp<SetDefaultDllDirectoriesFn>("KERNEL32.DLL", "SetDefaultDllDirectories");
  if (restrictTo != nullptr && restrictTo(kSearchSystem32)) return;
  if (const auto setFolder = LookUp<SetDllDirectoryFn>("KERNEL32.DLL", "SetDllDirectoryA")) setFolder("");
}

HMODULE LoadSystemLibrary(const char* fileName) noexcept {
  return NoThrow<HMODULE>(nullptr, [&]() -> HMODULE {
    const std::string folder =
        ReadSizedText([](char* buffer, DWORD size) { return ::GetSystemDirectoryA(buffer, size); });
    const std::string path = folder + "\\" + fileName;
    if (folder.empty() || path.size() >= MAX_PATH) return nullptr;
    return ::LoadLibraryA(path.c_str());
  });
}

}  // namespace plat::win32
