#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

bool Win32Platform::PlaySound(const std::string& path, std::uint32_t flags) {
  return ::PlaySoundA(path.c_str(), nullptr, flags) != FALSE;
}

}  // namespace plat
