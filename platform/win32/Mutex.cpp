#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

Platform::MutexResult Win32Platform::CreateMutex(const std::string& name, bool initialOwner) {
  ::SetLastError(ERROR_SUCCESS);
  HANDLE mutex = ::CreateMutexA(nullptr, initialOwner ? TRUE : FALSE, name.c_str());
  // Read at once: nothing may run between the call and its error code.
  const DWORD error = ::GetLastError();
  if (mutex == nullptr) return MutexResult{};
  return MutexResult{reinterpret_cast<KernelHandle>(mutex), error == ERROR_ALREADY_EXISTS};
}

void Win32Platform::CloseHandle(KernelHandle handle) {
  if (handle != 0) ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace plat
