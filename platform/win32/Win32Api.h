// The Windows headers as the Win32 layer uses them.
//
// Include this instead of <windows.h> in every Win32 source that also sees
// plat::Platform: the headers define macros such as MessageBox, DeleteFile
// or CreateProcess that would otherwise rename the Platform methods of the
// same names. The Win32 layer calls the ...A functions by their full names.
#pragma once

#include <windows.h>

#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#undef CreateMutex
#undef CreateProcess
#undef DeleteFile
#undef ExpandEnvironmentStrings
#undef ExtractIcon
#undef GetFileAttributes
#undef LoadLibrary
#undef MessageBox
#undef PlaySound
#undef PostMessage
#undef RegQueryValue
#undef SendMessage
#undef SetCurrentDirectory
#undef ShellExecute

namespace plat::win32 {

// Runs `body` and turns any exception (in practice an allocation failure)
// into `fallback`, so that none crosses into the caller or into the system.
template <typename Result, typename Body>
Result NoThrow(Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

// The address of `name` in the already loaded module `module`, as a
// function pointer of type Fn; null when either is missing.
template <typename Fn>
Fn LookUp(const char* module, const char* name) noexcept {
  HMODULE handle = ::GetModuleHandleA(module);
  if (handle == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(handle, name)));
}

}  // namespace plat::win32
