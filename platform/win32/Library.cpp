#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

ModuleHandle Win32Platform::LoadLibrary(const std::string& fileName) {
  return reinterpret_cast<ModuleHandle>(::LoadLibraryA(fileName.c_str()));
}

ProcAddress Win32Platform::GetProcAddress(ModuleHandle module, const std::string& name) {
  if (module == 0) return 0;
  return reinterpret_cast<ProcAddress>(
      reinterpret_cast<void*>(::GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str())));
}

void Win32Platform::FreeLibrary(ModuleHandle module) {
  if (module != 0) ::FreeLibrary(reinterpret_cast<HMODULE>(module));
}

int Win32Platform::CallScriptInstall(ProcAddress entry, const std::string& scriptPath) {
  using InstallFn = int(WINAPI*)(void*, const char*, int, int);
  if (entry == 0) return -1;
  const auto install = reinterpret_cast<InstallFn>(entry);
  return install(nullptr, scriptPath.c_str(), 0, 0);
}

}  // namespace plat
