#include "install/ScriptLibrary.h"

#include <utility>

#include "install/InstallText.h"
#include "platform/VUtils.h"

namespace install {

CScriptLibrary::CScriptLibrary(plat::Platform& platform, LibraryLoader load)
    : m_platform(&platform), m_load(std::move(load)) {}

CScriptLibrary::~CScriptLibrary() { Release(); }

CScriptLibrary::CScriptLibrary(CScriptLibrary&& other) noexcept
    : m_platform(other.m_platform),
      m_load(std::move(other.m_load)),
      m_hLibrary(std::exchange(other.m_hLibrary, 0)),
      m_pInstall(std::exchange(other.m_pInstall, 0)) {}

void CScriptLibrary::Release() {
  if (m_hLibrary != 0) m_platform->FreeLibrary(m_hLibrary);
  m_hLibrary = 0;
  m_pInstall = 0;
}

plat::ProcAddress CScriptLibrary::LoadScriptLibrary() {
  Release();
  if (!m_load) return 0;
  m_hLibrary = m_load(kScriptLibraryName);
  if (m_hLibrary == 0) return 0;
  m_pInstall = m_platform->GetProcAddress(m_hLibrary, kScriptEntryName);
  if (m_pInstall == 0) Release();
  return m_pInstall;
}

bool CScriptLibrary::CallScriptInstall(const char* scriptPath) {
  if (m_pInstall == 0 || scriptPath == nullptr) return false;
  return m_platform->CallScriptInstall(m_pInstall, scriptPath) == 0;
}

void RunScript(plat::Platform& platform, const LibraryLoader& load, const std::string& scriptPath) {
  CScriptLibrary library(platform, load);
  if (library.LoadScriptLibrary() == 0) return;
  library.CallScriptInstall(scriptPath.c_str());
}

void RunScript(plat::Platform& platform, const std::string& scriptPath) {
  RunScript(
      platform, [&platform](const std::string& name) { return LoadZBLibraryEx(platform, name); }, scriptPath);
}

}  // namespace install
