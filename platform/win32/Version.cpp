#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;

namespace {

// version.dll is no KnownDLL: bound from the system folder, never imported.
struct VersionApi {
  using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
  using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
  using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
  // Loaded once and kept for the rest of the process.
  HMODULE module = win32::LoadSystemLibrary("version.dll");
  SizeFn size = win32::ProcIn<SizeFn>(module, "GetFileVersionInfoSizeA");
  InfoFn info = win32::ProcIn<InfoFn>(module, "GetFileVersionInfoA");
  QueryFn query = win32::ProcIn<QueryFn>(module, "VerQueryValueA");
};

}  // namespace

std::optional<ProductVersion> Win32Platform::FileProductVersion(const std::string& path) {
  return NoThrow<std::optional<ProductVersion>>(std::nullopt, [&]() -> std::optional<ProductVersion> {
    static const VersionApi api;
    if (api.size == nullptr || api.info == nullptr || api.query == nullptr) return std::nullopt;
    DWORD ignored = 0;
    const DWORD size = api.size(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::string block(size, '\0');
    if (!api.info(path.c_str(), 0, size, block.data())) return std::nullopt;
    void* found = nullptr;
    UINT length = 0;
    if (!api.query(block.data(), "\\", &found, &length) || found == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
      return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(found);
    return ProductVersion{HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS),
                          HIWORD(info->dwProductVersionLS), LOWORD(info->dwProductVersionLS)};
  });
}

}  // namespace plat
