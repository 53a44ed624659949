#include "browser/Sounds.h"

#include "browser/BonusDlg.h"

namespace browser {

CStringArray OpeningSoundCandidates(const CBonusConfig& config) {
  const CString name = config.m_sModuleBaseName + ".wav";
  return {
      config.m_sModuleDir + "\\..\\media\\" + name,
      config.m_sModuleDir + "\\" + name,
      config.m_sSourceDir + "\\media\\" + name,
  };
}

CString CapsuleSoundPath(const CString& capsuleFolder) {
  return capsuleFolder + "\\" + CBonusConfig::GetLastPathPart(capsuleFolder) + ".wav";
}

bool PlayFirstExisting(CBonusConfig& config, const CStringArray& candidates) {
  for (const CString& path : candidates) {
    if (config.FileExists(path, false, CString())) {
      config.Platform().PlaySound(path, kSoundFlags);
      return true;
    }
  }
  return false;
}

}  // namespace browser
