#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;

std::optional<ProductVersion> Win32Platform::FileProductVersion(const std::string& path) {
  return NoThrow<std::optional<ProductVersion>>(std::nullopt, [&]() -> std::optional<ProductVersion> {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::string block(size, '\0');
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
    void* found = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!::VerQueryValueA(block.data(), root, &found, &length) || found == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
      return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(found);
    return ProductVersion{HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS),
                          HIWORD(info->dwProductVersionLS), LOWORD(info->dwProductVersionLS)};
  });
}

}  // namespace plat
