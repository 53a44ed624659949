/* A copy of a library planted where the program must not look: it records
   its loading in "<its own path>.loaded" and fails every entry it exports. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  char path[MAX_PATH + 8] = "";
  if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameA(self, path, MAX_PATH) != 0) {
    lstrcatA(path, ".loaded");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
  }
  return TRUE;
}

/* Failing entries by the size of their arguments, named by the .def files
   after the real library's entries; the script library's Install fails
   with a non-zero result. */
int WINAPI Fail8(void* a, void* b) { return 0; }
int WINAPI Fail12(void* a, void* b, void* c) { return 0; }
int WINAPI Fail16(void* a, void* b, void* c, void* d) { return 0; }
int WINAPI Install(void* owner, const char* script, int reserved1, int reserved2) { return 1; }
