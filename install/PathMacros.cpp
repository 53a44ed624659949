#include "install/PathMacros.h"

#include "platform/Text.h"
#include "resources/StringTable.h"

namespace install {

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

std::string ReplaceToken(CBonusConfig& config, const std::string& text, int capsule, int macroId,
                         const std::string& token) {
  const std::string& macro = res::Str(macroId);
  if (macro.empty() || !plat::Contains(text, macro)) return text;
  if (token.size() >= 2 && token.front() == '[' && token.back() == ']') {
    const std::string folder = CBonusConfig::At(config.m_saPackages, capsule);
    const std::string file = folder + "\\" + CBonusConfig::GetLastPathPart(folder) + ".cfg";
    if (!config.FileExists(file, true, std::string())) return text;
    std::string result = config.ReadSectionRegistryValue(file, token);
    const std::string excluded = plat::TrimLeft(CBonusConfig::At(config.m_saFileExcluded, capsule));
    if (!excluded.empty()) result = plat::ReplaceAll(result, excluded, std::string());
    return plat::ReplaceAll(text, macro, result);
  }
  return plat::ReplaceAll(text, macro, token);
}

std::string ExpandMacros(CBonusConfig& config, const std::string& text, int capsule,
                         const std::vector<FolderMacro>& folderMacros, std::string& token) {
  std::string out = text;
  for (int n = 1; n <= 10; ++n) {
    const CStringArray* tokens = config.TokenList(n);
    token = plat::TrimLeft(tokens != nullptr ? CBonusConfig::At(*tokens, capsule) : std::string());
    out = ReplaceToken(config, out, capsule, res::IDS_MACRO_TOKEN_BASE + n, token);
  }
  for (const FolderMacro& m : folderMacros) out = plat::ReplaceAll(out, m.macro, m.value);
  return out;
}

}  // namespace install
