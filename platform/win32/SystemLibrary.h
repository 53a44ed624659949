// Libraries of the system, taken from the system folder only: a copy of the
// same name beside the program (a bonus folder copied from the disk or
// downloaded next to other files) or in the current folder is never loaded.
#pragma once

#include "platform/win32/Win32Api.h"

namespace plat::win32 {

// Restricts the search of every later load by bare name, and of the
// libraries those loads pull in, to the system folder, where the system
// offers SetDefaultDllDirectories (looked up at run time: Windows 8, and
// Windows Vista and 7 with update KB2533623). Elsewhere it only takes the
// current folder out of the search. Call it first thing at start-up; a
// failure leaves the system's default search.
void RestrictLibrarySearch() noexcept;

// LoadLibraryA of `fileName` by its full path in the system folder; null when
// the folder is unknown or does not fit MAX_PATH, or the load fails. The
// caller owns the reference (UniqueModule).
HMODULE LoadSystemLibrary(const char* fileName) noexcept;

// The address of `name` in `module`, as a function pointer of type Fn; null
// when either is missing.
template <typename Fn>
Fn ProcIn(HMODULE module, const char* name) noexcept {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The address of `name` in the system library `fileName` (ProcIn). The
// library is loaded from the system folder and stays loaded for the rest of
// the process, as an imported one would (a sound goes on playing after
// PlaySoundA returns).
template <typename Fn>
Fn SystemProc(const char* fileName, const char* name) noexcept {
  return ProcIn<Fn>(LoadSystemLibrary(fileName), name);
}

}  // namespace plat::win32
