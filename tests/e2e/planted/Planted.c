/* A copy of a library planted where the program must not look: it records
   its loading in "<its own path>.loaded" and fails every entry it exports. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  char path[MAX_PATH + 8] = "";
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameA(self, path, MAX_PATH) != 0) {
    lstrcatA(path, ".loaded");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
  }
  return TRUE;
}

/* Failing entries by the size of their arguments; the .def files give them
   the names of the real library's entries. */
int WINAPI Fail8(void* a, void* b) {
  (void)a, (void)b;
  return 0;
}
int WINAPI Fail12(void* a, void* b, void* c) {
  (void)a, (void)b, (void)c;
  return 0;
}
int WINAPI Fail16(void* a, void* b, void* c, void* d) {
  (void)a, (void)b, (void)c, (void)d;
  return 0;
}

/* The script library's entry: a non-zero result is its failure. */
int WINAPI Install(void* owner, const char* script, int reserved1, int reserved2) {
  (void)owner, (void)script, (void)reserved1, (void)reserved2;
  return 1;
}
