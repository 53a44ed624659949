#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

bool Win32Platform::PlaySound(const std::string& path, std::uint32_t flags) {
  // winmm.dll is no KnownDLL: bound from the system folder, never imported.
  using PlaySoundFn = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
  static const auto play = win32::SystemProc<PlaySoundFn>("winmm.dll", "PlaySoundA");
  return play != nullptr && play(path.c_str(), nullptr, flags) != FALSE;
}

}  // namespace plat
