#include "install/PathMacros.h"

#include "browser/BonusDlg.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace bonus {

std::vector<FolderMacro> FolderMacros(const std::string& winDir, const std::string& sysDir,
                                      const std::string& runDir, const std::string& srcDir) {
  return {
      {"{WIN_DIR}", winDir},
      {"{WIN_SYS_DIR}", sysDir},
      {"{RUN_DIR}", runDir},
      {"{TEMP}", winDir + "\\temp"},
      {"{DESKTOP}", winDir + "\\DESKTOP"},
      {"{STARTUP}", winDir + "\\Start Menu\\Programs\\StartUp"},
      {"{PROGRAMS}", winDir + "\\Start Menu\\Programs"},
      {"{START_MENU}", winDir + "\\Start Menu"},
      {"{FAVORITES_DIR}", winDir + "\\Favorites"},
      {"{SRC_DIR}", srcDir},
      {"{ANY_DIR}", std::string()},
  };
}

CString CBonusDlg::ExpandMacros(const CString& text, int capsule) {
  CString out = text;
  for (int n = 1; n <= 10; ++n) {
    const CStringArray* tokens = m_config.TokenList(n);
    m_sToken = plat::TrimLeft(tokens != nullptr ? CBonusConfig::At(*tokens, capsule) : CString());
    out = ReplaceToken(out, capsule, res::IDS_MACRO_TOKEN_BASE + n);
  }
  for (const FolderMacro& m : FolderMacros(m_sWinDir, m_sSysDir, m_sRunDir, m_sSrcDir)) {
    out = plat::ReplaceAll(out, m.macro, m.value);
  }
  return out;
}

CString CBonusDlg::ReplaceToken(const CString& text, int capsule, int macroId) {
  const CString& macro = res::Str(macroId);
  if (macro.empty() || !plat::Contains(text, macro)) return text;
  if (m_sToken.size() >= 2 && m_sToken.front() == '[' && m_sToken.back() == ']') {
    const CString folder = CBonusConfig::At(m_config.m_saPackages, capsule);
    const CString file = folder + "\\" + CBonusConfig::GetLastPathPart(folder) + ".cfg";
    if (!m_config.FileExists(file, true, CString())) return text;
    CString result = m_config.ReadSectionRegistryValue(file, m_sToken);
    const CString excluded = plat::TrimLeft(CBonusConfig::At(m_config.m_saFileExcluded, capsule));
    if (!excluded.empty()) result = plat::ReplaceAll(result, excluded, CString());
    return plat::ReplaceAll(text, macro, result);
  }
  return plat::ReplaceAll(text, macro, m_sToken);
}

}  // namespace bonus
