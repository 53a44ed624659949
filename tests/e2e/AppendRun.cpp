// Stand-in first-time program: appends "run" and a line break to the file
// runs.txt in its own folder, then ends; a copy whose file name begins with
// "Stay" never ends (it waits until it is ended from outside).
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH + 16] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  char* slash = std::strrchr(path, '\\');
  if (slash == nullptr) return 1;
  const bool stay =
      ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, slash + 1, 4, "Stay", 4) == CSTR_EQUAL;
  std::strcpy(slash + 1, "runs.txt");
  HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, "run\r\n", 5, &written, nullptr);
  ::CloseHandle(file);
  if (stay) ::Sleep(INFINITE);
  return ok ? 0 : 1;
}
