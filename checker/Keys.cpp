#include "checker/Keys.h"

#include <algorithm>

#include "install/PathMacros.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace checker {

const std::vector<KeyInfo>& AllKeys() {
  using C = CBonusConfig;
  using R = res::StringId;
  static const std::vector<KeyInfo> keys = [] {
    struct Row {
      int id;
      KeySection section;
      CString C::*scalar;
      CStringArray C::*list;
    };
    const KeySection T = KeySection::TuneUp;
    const KeySection V = KeySection::Version;
    const Row rows[] = {
        {R::IDS_KEY_TEST, T, &C::m_sInstallFlag, nullptr},
        {R::IDS_KEY_HEIGHT, T, &C::m_sHeight, nullptr},
        {R::IDS_KEY_DISTANCE, T, &C::m_sDistance, nullptr},
        {R::IDS_KEY_WINDOWTITLE, T, &C::m_sWelcomeCaption, nullptr},
        {R::IDS_KEY_WELCOMETITLE, T, &C::m_sWelcomeTitle, nullptr},
        {R::IDS_KEY_WELCOMETEXT, T, &C::m_sWelcomeText, nullptr},
        {R::IDS_KEY_MESSAGE, T, &C::m_sMessage, nullptr},
        {R::IDS_KEY_RUN1, T, &C::m_sSplash1, nullptr},
        {R::IDS_KEY_RUN2, T, &C::m_sSplash2, nullptr},
        {R::IDS_KEY_ORDERURLMSG, T, &C::m_sInscdMsg, nullptr},
        {R::IDS_KEY_ORDERURL, T, &C::m_sInscdURL, nullptr},
        {R::IDS_KEY_TITLE, T, nullptr, &C::m_saTitle},
        {R::IDS_KEY_DESCRIPTION, T, nullptr, &C::m_saDescription},
        {R::IDS_KEY_DISCLAIMER, T, nullptr, &C::m_saDisclaimer},
        {R::IDS_KEY_NOTE, T, nullptr, &C::m_saNote},
        {R::IDS_KEY_TIP, T, nullptr, &C::m_saTip},
        {R::IDS_KEY_RUN, T, nullptr, &C::m_saRun},
        {R::IDS_KEY_MOREINFOTITLE, T, nullptr, &C::m_saMoreInfoTitle},
        {R::IDS_KEY_MOREINFORUN, T, nullptr, &C::m_saMoreInfoRun},
        {R::IDS_KEY_BUTTON1, T, nullptr, &C::m_saCapButton1},
        {R::IDS_KEY_BUTTON2, T, nullptr, &C::m_saCapButton2},
        {R::IDS_KEY_DISABLED, T, nullptr, &C::m_saCapButton1Disabled},
        {R::IDS_KEY_TOKEN1, T, nullptr, &C::m_saCapToken1},
        {R::IDS_KEY_TOKEN2, T, nullptr, &C::m_saCapToken2},
        {R::IDS_KEY_TOKEN3, T, nullptr, &C::m_saCapToken3},
        {R::IDS_KEY_TOKEN4, T, nullptr, &C::m_saCapToken4},
        {R::IDS_KEY_TOKEN5, T, nullptr, &C::m_saCapToken5},
        {R::IDS_KEY_TOKEN6, T, nullptr, &C::m_saCapToken6},
        {R::IDS_KEY_TOKEN7, T, nullptr, &C::m_saCapToken7},
        {R::IDS_KEY_TOKEN8, T, nullptr, &C::m_saCapToken8},
        {R::IDS_KEY_TOKEN9, T, nullptr, &C::m_saCapToken9},
        {R::IDS_KEY_TOKEN10, T, nullptr, &C::m_saCapToken10},
        {R::IDS_KEY_VERSION, V, nullptr, &C::m_saVersion},
        {R::IDS_KEY_REGISTRY, V, nullptr, &C::m_saRegistry},
        {R::IDS_KEY_PROMPTTYPE, V, nullptr, &C::m_saPromptType},
        {R::IDS_KEY_ASKMSG, V, nullptr, &C::m_saAskMsg},
        {R::IDS_KEY_FILE, V, nullptr, &C::m_saFile},
        {R::IDS_KEY_TEXTEXCLUDED, V, nullptr, &C::m_saFileExcluded},
    };
    std::vector<KeyInfo> out;
    for (const Row& r : rows) out.push_back({r.id, res::Str(r.id), r.section, r.scalar, r.list});
    return out;
  }();
  return keys;
}

const KeyInfo* FindKey(std::string_view name) {
  for (const KeyInfo& key : AllKeys())
    if (key.name == name) return &key;
  return nullptr;
}

std::string_view SectionHeader(KeySection section) {
  return res::Str(section == KeySection::TuneUp ? res::IDS_SECTION_TUNEUP : res::IDS_SECTION_VERSION);
}

const std::vector<std::string_view>& KnownHeaders() {
  static const std::vector<std::string_view> headers = {res::Str(res::IDS_SECTION_PACKAGES),
                                                        res::Str(res::IDS_SECTION_TUNEUP),
                                                        res::Str(res::IDS_SECTION_VERSION)};
  return headers;
}

const std::vector<std::string_view>& UnreadHeaders() {
  static const std::vector<std::string_view> headers = {
      res::Str(res::IDS_SECTION_REGUNINSTALL), res::Str(res::IDS_SECTION_UNINSTALL),
      res::Str(res::IDS_SECTION_RUN), res::Str(res::IDS_SECTION_COPY)};
  return headers;
}

const std::vector<std::string>& FolderMacroNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const install::FolderMacro& m : install::FolderMacros("", "", "", "")) out.push_back(m.macro);
    return out;
  }();
  return names;
}

std::string TokenMacro(int n) { return res::Str(res::IDS_MACRO_TOKEN_BASE + n); }

std::size_t FoldedDistance(std::string_view a, std::string_view b, std::size_t limit) {
  const std::string x = plat::AsciiLower(a);
  const std::string y = plat::AsciiLower(b);
  const std::size_t gap = x.size() > y.size() ? x.size() - y.size() : y.size() - x.size();
  if (gap > limit) return limit + 1;
  std::vector<std::size_t> row(y.size() + 1);
  for (std::size_t j = 0; j <= y.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= x.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t best = row[0];
    for (std::size_t j = 1; j <= y.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (best > limit) return limit + 1;
  }
  return std::min(row[y.size()], limit + 1);
}

}  // namespace checker
