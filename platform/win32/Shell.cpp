#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

namespace {

// "" stands for an argument not given.
const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

std::intptr_t Win32Platform::ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                                          const std::string& parameters, const std::string& directory,
                                          int show) {
  HINSTANCE result = ::ShellExecuteA(reinterpret_cast<HWND>(owner), OrNull(verb), file.c_str(),
                                     OrNull(parameters), OrNull(directory), show);
  return reinterpret_cast<std::intptr_t>(result);
}

IconHandle Win32Platform::ExtractIcon(const std::string& file, int index) {
  HICON icon = ::ExtractIconA(::GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(index));
  // 1 means "a file of a kind that holds no icons".
  if (reinterpret_cast<std::uintptr_t>(icon) == 1) return 0;
  return reinterpret_cast<IconHandle>(icon);
}

IconHandle Win32Platform::LoadProgramIcon(int resourceId) {
  return reinterpret_cast<IconHandle>(
      ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<WORD>(resourceId))));
}

}  // namespace plat
