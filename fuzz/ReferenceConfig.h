// A plain, slow model of the configuration readers, written step by step from
// their contracts, against which the fuzz targets check the store: every line
// copied, TABs deleted always, each key tried in table order.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "resources/StringTable.h"

namespace reference {

inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

inline std::string TrimLeft(std::string s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  return s.substr(i);
}

inline std::string TrimRight(std::string s) {
  while (!s.empty() && IsSpace(s.back())) s.pop_back();
  return s;
}

inline std::string Trim(const std::string& s) { return TrimRight(TrimLeft(s)); }

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t newline = text.find('\n', pos);
    if (newline == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, newline - pos));
    pos = newline + 1;
  }
  return lines;
}

// The line after TAB deletion and trimming; false for a line to skip.
inline bool Clean(std::string& line) {
  line.erase(std::remove(line.begin(), line.end(), '\t'), line.end());
  line = Trim(line);
  return !line.empty() && line[0] != ';';
}

inline bool IsHeader(const std::string& line) { return line.front() == '[' && line.back() == ']'; }

inline std::string KeyName(const std::string& line) {
  const std::size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : TrimRight(line.substr(0, equals));
}

inline void Scalar(const std::string& line, int keyId, std::string& field) {
  if (KeyName(line) == res::Str(keyId)) field = line.substr(line.find('=') + 1);
}

inline void Array(int index, const std::string& line, int keyId, CStringArray& list) {
  if (index < 0 || KeyName(line) != res::Str(keyId)) return;
  if (list.size() <= static_cast<std::size_t>(index)) list.resize(static_cast<std::size_t>(index) + 1);
  list[static_cast<std::size_t>(index)] = line.substr(line.find('=') + 1);
}

// ParseConfigText, with every [Packages] entry appended.
inline void ParseText(CBonusConfig& c, const std::string& text, int index) {
  c.m_sLine.clear();
  c.m_sSectionName.clear();
  for (std::string line : Lines(text)) {
    c.m_sLine = line;
    if (!Clean(line)) continue;
    if (IsHeader(line)) c.m_bInSection = c.m_bInPackages = c.m_bInTuneUp = c.m_bInVersion = false;
    c.m_sSectionName = res::Str(res::IDS_SECTION_PACKAGES);
    if (line == c.m_sSectionName) c.m_bInSection = c.m_bInPackages = true;
    if (c.m_bInSection && c.m_bInPackages && line != c.m_sSectionName)
      c.m_saPackages.push_back(c.m_sDataDir + "\\" + line);
    c.m_sSectionName = res::Str(res::IDS_SECTION_TUNEUP);
    if (line == c.m_sSectionName) c.m_bInSection = c.m_bInTuneUp = true;
    if (c.m_bInSection && c.m_bInTuneUp && line != c.m_sSectionName) {
      Scalar(line, res::IDS_KEY_TEST, c.m_sInstallFlag);
      Scalar(line, res::IDS_KEY_HEIGHT, c.m_sHeight);
      Scalar(line, res::IDS_KEY_DISTANCE, c.m_sDistance);
      Scalar(line, res::IDS_KEY_WINDOWTITLE, c.m_sWelcomeCaption);
      Scalar(line, res::IDS_KEY_WELCOMETITLE, c.m_sWelcomeTitle);
      Scalar(line, res::IDS_KEY_WELCOMETEXT, c.m_sWelcomeText);
      Scalar(line, res::IDS_KEY_MESSAGE, c.m_sMessage);
      Scalar(line, res::IDS_KEY_RUN1, c.m_sSplash1);
      Scalar(line, res::IDS_KEY_RUN2, c.m_sSplash2);
      Scalar(line, res::IDS_KEY_ORDERURLMSG, c.m_sInscdMsg);
      Scalar(line, res::IDS_KEY_ORDERURL, c.m_sInscdURL);
      Array(index, line, res::IDS_KEY_TITLE, c.m_saTitle);
      Array(index, line, res::IDS_KEY_DESCRIPTION, c.m_saDescription);
      Array(index, line, res::IDS_KEY_DISCLAIMER, c.m_saDisclaimer);
      Array(index, line, res::IDS_KEY_NOTE, c.m_saNote);
      Array(index, line, res::IDS_KEY_TIP, c.m_saTip);
      Array(index, line, res::IDS_KEY_RUN, c.m_saRun);
      Array(index, line, res::IDS_KEY_MOREINFOTITLE, c.m_saMoreInfoTitle);
      Array(index, line, res::IDS_KEY_MOREINFORUN, c.m_saMoreInfoRun);
      Array(index, line, res::IDS_KEY_BUTTON1, c.m_saCapButton1);
      Array(index, line, res::IDS_KEY_BUTTON2, c.m_saCapButton2);
      Array(index, line, res::IDS_KEY_DISABLED, c.m_saCapButton1Disabled);
      for (int n = 1; n <= 10; ++n) Array(index, line, res::IDS_KEY_TOKEN1 + n - 1, *c.TokenList(n));
    }
    c.m_sSectionName = res::Str(res::IDS_SECTION_VERSION);
    if (line == c.m_sSectionName) c.m_bInSection = c.m_bInVersion = true;
    if (c.m_bInSection && c.m_bInVersion && line != c.m_sSectionName) {
      Array(index, line, res::IDS_KEY_VERSION, c.m_saVersion);
      Array(index, line, res::IDS_KEY_REGISTRY, c.m_saRegistry);
      Array(index, line, res::IDS_KEY_PROMPTTYPE, c.m_saPromptType);
      Array(index, line, res::IDS_KEY_ASKMSG, c.m_saAskMsg);
      Array(index, line, res::IDS_KEY_FILE, c.m_saFile);
      Array(index, line, res::IDS_KEY_TEXTEXCLUDED, c.m_saFileExcluded);
    }
  }
  c.m_sLine.clear();
}

inline std::string ReadRegistryString(plat::Platform& platform, std::string keyPath, const std::string& valueName) {
  keyPath = TrimLeft(keyPath);
  if (keyPath.empty()) return {};
  plat::RegRoot root;
  std::size_t cut;
  if (keyPath.find("HKEY_LOCAL_MACHINE\\") != std::string::npos) {
    root = plat::RegRoot::LocalMachine;
    cut = 19;
  } else if (keyPath.find("HKEY_CLASSES_ROOT") != std::string::npos) {
    root = plat::RegRoot::ClassesRoot;
    cut = 18;
  } else if (keyPath.find("HKEY_USERS") != std::string::npos) {
    root = plat::RegRoot::Users;
    cut = 11;
  } else if (keyPath.find("HKEY_CURRENT_USER") != std::string::npos) {
    root = plat::RegRoot::CurrentUser;
    cut = 18;
  } else {
    return {};
  }
  const std::string subKey = cut >= keyPath.size() ? std::string() : keyPath.substr(cut);
  const auto value = platform.RegQueryValue(root, subKey, valueName);
  if (!value || value->data.size() > plat::kMaxPath) return {};
  const std::string& data = value->data;
  return data.substr(0, data.find('\0'));
}

// ReadSectionRegistryValue over file text that could be opened.
inline std::string ReadSection(CBonusConfig& c, const std::string& text, const std::string& header) {
  for (std::string line : Lines(text)) {
    if (!Clean(line)) continue;
    if (IsHeader(line)) c.m_bInSection = false;
    if (line == header) c.m_bInSection = true;
    if (!c.m_bInSection || line == header) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = TrimRight(line.substr(0, equals));
    const std::string value = TrimLeft(line.substr(equals + 1));
    if (name == "Key") c.m_sRegKey = value;
    if (name == "Value") c.m_sRegValue = value;
  }
  c.m_sLine.clear();
  c.m_sSectionName.clear();
  return c.m_sRegKey.empty() ? std::string() : ReadRegistryString(c.Platform(), c.m_sRegKey, c.m_sRegValue);
}

}  // namespace reference
