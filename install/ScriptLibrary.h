// The script-install library "VScript.DLL": loaded for one call, its entry
// "Install" called with a script path, unloaded again.
#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"

namespace install {

// Loads a library by file name; 0 when it could not be loaded.
using LibraryLoader = std::function<plat::ModuleHandle(const std::string& fileName)>;

// The loaded library and its entry for the life of the object; the library
// is freed when the object goes. Move-only.
class CScriptLibrary {
 public:
  CScriptLibrary(plat::Platform& platform, LibraryLoader load);
  ~CScriptLibrary();
  CScriptLibrary(CScriptLibrary&& other) noexcept;
  CScriptLibrary& operator=(CScriptLibrary&&) = delete;
  CScriptLibrary(const CScriptLibrary&) = delete;
  CScriptLibrary& operator=(const CScriptLibrary&) = delete;

  // Loads "VScript.DLL" through the loader and finds its entry "Install" by
  // its undecorated name. Returns the entry, or 0 when the library does not
  // load or has no such entry (a library without it is freed at once).
  plat::ProcAddress LoadScriptLibrary();

  // Calls Install(null, scriptPath, 0, 0). False when nothing was called (no
  // entry, or a null path) or Install did not return 0.
  bool CallScriptInstall(const char* scriptPath);

 private:
  void Release();

  plat::Platform* m_platform;
  LibraryLoader m_load;
  plat::ModuleHandle m_hLibrary = 0;
  plat::ProcAddress m_pInstall = 0;
};

// Loads the library, hands it `scriptPath` and unloads it. Silent when the
// library or its entry is missing.
void RunScript(plat::Platform& platform, const LibraryLoader& load, const std::string& scriptPath);

// RunScript with the library looked for as the maker's loader looks
// (LoadZBLibraryEx: beside the program first).
void RunScript(plat::Platform& platform, const std::string& scriptPath);

}  // namespace install
