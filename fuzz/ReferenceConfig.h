// A plain, slow model of the configuration readers, written step by step from
// their contracts, against which the fuzz targets check the store: every line
// copied, TABs deleted always, each key tried in table order.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "platform/Text.h"

namespace reference {

using C = CBonusConfig;

// Calls `each` with every line of the text (cut at LF) that is not to be
// skipped, after TAB deletion and trimming.
template <class Each>
void ForEachLine(std::string_view text, Each each) {
  std::string line;
  for (std::size_t at = 0, lf; at < text.size(); at = lf + 1) {
    lf = std::min(text.find('\n', at), text.size());
    line.assign(text.substr(at, lf - at));
    line.erase(std::remove(line.begin(), line.end(), '\t'), line.end());
    const std::string_view clean = plat::Trim(std::string_view(line));
    if (!clean.empty() && clean[0] != ';') each(clean);
  }
}

inline bool IsHeader(std::string_view line) { return line.front() == '[' && line.back() == ']'; }

// The keys of a section: their names, separated by blanks, the dialog-wide
// ones first, and their fields in the same order.
struct Section {
  std::string names;
  std::vector<CString C::*> scalars;
  std::vector<CStringArray C::*> lists;
};

inline const Section kTuneUp{
    "Test Height Distance WindowTitle WelcomeTitle WelcomeText Message Run1 Run2 OrderURLmsg OrderURL Title "
    "Description Disclaimer Note Tip Run MoreInfoTitle MoreInfoRun Button1 Button2 Disabled Token1 Token2 "
    "Token3 Token4 Token5 Token6 Token7 Token8 Token9 Token10",
    {&C::m_sInstallFlag, &C::m_sHeight, &C::m_sDistance, &C::m_sWelcomeCaption, &C::m_sWelcomeTitle,
     &C::m_sWelcomeText, &C::m_sMessage, &C::m_sSplash1, &C::m_sSplash2, &C::m_sInscdMsg, &C::m_sInscdURL},
    {&C::m_saTitle,      &C::m_saDescription, &C::m_saDisclaimer,         &C::m_saNote,
     &C::m_saTip,        &C::m_saRun,         &C::m_saMoreInfoTitle,      &C::m_saMoreInfoRun,
     &C::m_saCapButton1, &C::m_saCapButton2,  &C::m_saCapButton1Disabled, &C::m_saCapToken1,
     &C::m_saCapToken2,  &C::m_saCapToken3,   &C::m_saCapToken4,          &C::m_saCapToken5,
     &C::m_saCapToken6,  &C::m_saCapToken7,   &C::m_saCapToken8,          &C::m_saCapToken9,
     &C::m_saCapToken10}};
inline const Section kVersion{"Version Registry PromptType AskMsg File TextExcluded",
                              {},
                              {&C::m_saVersion, &C::m_saRegistry, &C::m_saPromptType, &C::m_saAskMsg,
                               &C::m_saFile, &C::m_saFileExcluded}};

inline void Apply(C& c, const Section& section, std::string_view line, int index) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return;
  const std::string_view name = plat::TrimRight(line.substr(0, equals));
  std::size_t i = 0;
  for (std::size_t at = 0, blank; at < section.names.size(); at = blank + 1, ++i) {
    blank = std::min(section.names.find(' ', at), section.names.size());
    if (name != std::string_view(section.names).substr(at, blank - at)) continue;
    const std::string value(line.substr(equals + 1));
    if (i < section.scalars.size()) {
      c.*section.scalars[i] = value;
    } else if (index >= 0) {
      CStringArray& list = c.*section.lists[i - section.scalars.size()];
      list.resize(std::max(list.size(), static_cast<std::size_t>(index) + 1));
      list[static_cast<std::size_t>(index)] = value;
    }
  }
}

// True when two stores agree on every field a read can set: the keys of
// both sections, the packages, the section flags and the line state.
inline bool SameRead(const C& a, const C& b) {
  for (const Section* section : {&kTuneUp, &kVersion}) {
    for (auto field : section->scalars)
      if (a.*field != b.*field) return false;
    for (auto field : section->lists)
      if (a.*field != b.*field) return false;
  }
  return a.m_saPackages == b.m_saPackages && a.m_bInSection == b.m_bInSection &&
         a.m_bInPackages == b.m_bInPackages && a.m_bInTuneUp == b.m_bInTuneUp &&
         a.m_bInVersion == b.m_bInVersion && a.m_sLine == b.m_sLine && a.m_sSectionName == b.m_sSectionName;
}

// A first ParseConfigFile of the text into a store: ParseConfigText, with
// every [Packages] entry appended.
inline void ParseText(C& c, std::string_view text, int index) {
  bool sawLine = false;
  ForEachLine(text, [&](std::string_view line) {
    sawLine = true;
    if (IsHeader(line)) {
      c.m_bInPackages = line == "[Packages]";
      c.m_bInTuneUp = line == "[TuneUp]";
      c.m_bInVersion = line == "[Version]";
      c.m_bInSection = c.m_bInPackages || c.m_bInTuneUp || c.m_bInVersion;
    } else if (c.m_bInSection) {
      if (c.m_bInPackages) c.m_saPackages.push_back(c.m_sDataDir + "\\" + std::string(line));
      if (c.m_bInTuneUp) Apply(c, kTuneUp, line, index);
      if (c.m_bInVersion) Apply(c, kVersion, line, index);
    }
  });
  c.m_sLine.clear();
  c.m_sSectionName = sawLine ? "[Version]" : "";
}

// ReadSectionRegistryValue over file text that could be opened; the key is
// read by the store's own registry path rule.
inline std::string ReadSection(C& c, const std::string& text, const std::string& header) {
  ForEachLine(text, [&](std::string_view line) {
    if (IsHeader(line) || line == header) c.m_bInSection = line == header;
    const std::size_t equals = line.find('=');
    if (!c.m_bInSection || line == header || equals == std::string::npos) return;
    const std::string_view name = plat::TrimRight(line.substr(0, equals));
    if (name == "Key") c.m_sRegKey = plat::TrimLeft(line.substr(equals + 1));
    if (name == "Value") c.m_sRegValue = plat::TrimLeft(line.substr(equals + 1));
  });
  c.m_sLine.clear();
  c.m_sSectionName.clear();
  return c.m_sRegKey.empty() ? std::string() : c.ReadRegistryString(c.m_sRegKey, c.m_sRegValue);
}

}  // namespace reference
