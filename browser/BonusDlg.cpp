#include "browser/BonusDlg.h"

#include <cstring>
#include <exception>

#include "browser/Sounds.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace browser {

namespace {

constexpr const char* kStartupLinkSuffix = "\\Start Menu\\Programs\\StartUp\\VERavevi.lnk";
constexpr const char* kLogoBaseName = "2";

}  // namespace

CBonusDlg::CBonusDlg(plat::Platform& platform, IBonusDlgView& view)
    : m_config(platform), m_platform(platform), m_view(view) {
  m_config.LocateConfigFile(false);
  const CString icon =
      CBonusConfig::GetFolderPart(m_config.m_sConfigPath) + "\\" + m_config.m_sModuleBaseName + ".ico";
  if (m_config.FileExists(icon, false, CString())) m_hIcon = m_platform.ExtractIcon(icon, 0);
  if (m_hIcon == 0) m_hIcon = m_platform.LoadProgramIcon(kAppIconId);
}

CString CBonusDlg::CaptionOrDefault() const {
  return m_config.m_sWelcomeCaption.empty() ? res::DefaultTitle() : m_config.m_sWelcomeCaption;
}

void CBonusDlg::ReportException(const char* what) {
  m_platform.MessageBox(0, what, CaptionOrDefault(), plat::kMbOk | plat::kMbIconStop);
}

bool CBonusDlg::OnInitDialog() {
  m_bShowMoreInfo = true;
  m_view.SetWindowIcon(m_hIcon);
  m_bPictureShown = true;
  m_bMoreInfoArmed = false;

  try {
    m_view.AddDescriptionMouseEvents();
    m_view.SetRichEditBackground(kIdNote, kGrey);
    m_view.SetRichEditBackground(kIdDiskSpace, kGrey);
    m_view.SetDiskSpaceText(GetDiskSpaceText());

    LocateConfigAtSetUp();
    WriteStartupLink();

    m_view.SetMoreInfoColors(kGrey, kGrey);
    m_bMessageShown = true;

    int iconSize = plat::ParseLeadingInt(m_config.m_sHeight);
    // A size the image list cannot take (none, zero or negative) gets the default.
    if (iconSize <= 0) iconSize = kDefaultIconSize;
    m_pImageList = m_view.CreateCapsuleImageList(iconSize, iconSize);

    auto itemHeight = static_cast<std::int16_t>(static_cast<std::uint16_t>(
        static_cast<unsigned>(plat::ParseLeadingInt(m_config.m_sDistance)) & 0xFFFFu));
    if (itemHeight == 0) itemHeight = kDefaultItemHeight;
    m_view.SetCapsuleItemHeight(itemHeight);
    m_view.SetCapsuleTextColor(kCapsuleTextColor);

    if (!FillCapsuleTree()) return false;

    m_view.AttachCapsuleImageList();
    m_nCapsule = m_nLastCapsule + 1;

    m_view.CreateToolTip();
    m_toolTip = true;

    CreateTitleFont();
    m_view.SetTitleText(m_config.m_sWelcomeTitle);
    m_view.SetIntroText(m_config.m_sWelcomeText);
    ShowLogo();
  } catch (const std::exception& e) {
    ReportException(e.what());
  }

  PlayOpeningSound();
  m_view.SetTimer(kTimerFirstRun, kTimerFirstRunPeriod);
  return true;
}

void CBonusDlg::LocateConfigAtSetUp() {
  const ConfigSearchResult search = LocateConfigOrPrompt(m_platform, &m_config, ConfigSearch{});
  m_sConfigFile = search.file;
  m_sWinDir = m_config.m_sWindowsDir;
  m_sSysDir = m_config.m_sSystemDir;
  m_sRunDir = m_config.m_sModuleDir;
  m_sSrcDir = m_config.m_sDataDir;
  if (!search.found) {
    m_view.EndDialog(0);
    return;
  }
  if (!m_config.m_sWelcomeCaption.empty()) m_view.SetCaption(m_config.m_sWelcomeCaption);
}

void CBonusDlg::WriteStartupLink() {
  const CString link = m_config.m_sWindowsDir + kStartupLinkSuffix;
  // A path the 260-character buffer cannot hold whole is not written at all:
  // a cut-off path would name some other file. Nor is one without the Windows
  // folder (its call failed), which would name a folder of the current drive.
  if (m_config.m_sWindowsDir.empty() || !plat::FitsMaxPath(link)) {
    m_config.m_szLinkPath[0] = '\0';
    return;
  }
  std::memcpy(m_config.m_szLinkPath, link.c_str(), link.size() + 1);
  m_config.CreateShellLink(m_config.m_sModulePath, link, m_config.m_sModuleDir, m_config.m_sModulePath, 0, 1,
                           CString());
}

bool CBonusDlg::FillCapsuleTree() {
  m_nLastCapsule = static_cast<std::int32_t>(m_config.m_saPackages.size()) - 1;
  for (m_nCapsule = 0; m_nCapsule <= m_nLastCapsule; ++m_nCapsule) {
    m_sCapsuleDir = CBonusConfig::At(m_config.m_saPackages, m_nCapsule);
    m_sCapsuleName = CBonusConfig::GetLastPathPart(m_sCapsuleDir);
    const CString caption = CaptionOrDefault();
    const CString base = m_sCapsuleDir + "\\" + m_sCapsuleName;
    if (!m_config.FileExists(base + ".cfg", true, caption)) {
      m_view.EndDialog(0);
      return false;
    }
    m_config.ParseConfigFile(base + ".cfg", m_nCapsule);
    PadCapsuleLists(m_nLastCapsule);
    const CString& title = CBonusConfig::At(m_config.m_saTitle, m_nCapsule);
    if (!title.empty()) m_view.InsertCapsuleItem(title, m_nCapsule);
    if (m_config.FileExists(base + ".ico", false, CString())) {
      plat::IconHandle icon = m_platform.ExtractIcon(base + ".ico", 0);
      if (icon != 0) m_view.AppendCapsuleIcon(icon);
    }
  }
  return true;
}

void CBonusDlg::CreateTitleFont() {
  if (m_fontTitle == 0) {
    TitleFontFields fields;
    fields.height = m_view.GetDialogFontHeight() * 3 / 2;
    fields.weight = 700;
    fields.outPrecision = 4;  // OUT_TT_PRECIS
    fields.quality = 2;       // PROOF_QUALITY
    fields.faceName = "Arial";
    m_fontTitle = m_view.CreateTitleFont(fields);
  }
  if (m_fontTitle != 0) m_view.SetTitleFont(m_fontTitle);
}

void CBonusDlg::ShowLogo() {
  const CString logo = CBonusConfig::GetFolderPart(m_config.m_sConfigPath) + "\\" + kLogoBaseName + ".ico";
  if (m_config.FileExists(logo, false, CString())) {
    plat::IconHandle icon = m_platform.ExtractIcon(logo, 0);
    if (icon != 0) m_hIcon = icon;
  }
  m_view.SetLogoIcon(m_hIcon);
}

CString CBonusDlg::GetDiskSpaceText() {
  CBonusConfig drives(m_platform);
  CString text;
  for (char letter : drives.GetDriveLetters(1)) {
    std::int64_t freeKB = 0;
    drives.GetDiskSpaceKB(letter, nullptr, &freeKB);
    text += letter;
    text += ": ";
    text += drives.FormatByteSize(freeKB * 1024);
    text += "\n";
  }
  m_sDiskSpace = text;
  return text;
}

void CBonusDlg::PadCapsuleLists(int lastIndex) {
  if (lastIndex < 0) return;
  CBonusConfig& c = m_config;
  CStringArray* lists[] = {
      &c.m_saTitle,      &c.m_saDescription,  &c.m_saDisclaimer,         &c.m_saNote,
      &c.m_saTip,        &c.m_saRun,          &c.m_saMoreInfoTitle,      &c.m_saMoreInfoRun,
      &c.m_saVersion,    &c.m_saRegistry,     &c.m_saPromptType,         &c.m_saAskMsg,
      &c.m_saFile,       &c.m_saFileExcluded, &c.m_saCapToken1,          &c.m_saCapToken2,
      &c.m_saCapToken3,  &c.m_saCapToken4,    &c.m_saCapToken5,          &c.m_saCapToken6,
      &c.m_saCapToken7,  &c.m_saCapToken8,    &c.m_saCapToken9,          &c.m_saCapToken10,
      &c.m_saCapButton1, &c.m_saCapButton2,   &c.m_saCapButton1Disabled,
  };
  const auto wanted = static_cast<std::size_t>(lastIndex) + 1;
  for (CStringArray* list : lists) {
    if (list->size() < wanted) list->resize(wanted);
  }
}

void CBonusDlg::RemoveStartupLink() {
  if (m_config.m_szLinkPath[0] == '\0') return;
  m_platform.DeleteFile(m_config.m_szLinkPath);
}

bool CBonusDlg::OnSysCommand(unsigned id) { return (id & 0xFFF0u) == 0x0010u; }

void CBonusDlg::OnCancel() {
  RemoveStartupLink();
  m_view.EndDialog(0);
}

void CBonusDlg::OnDestroy() { RemoveStartupLink(); }

void CBonusDlg::IconPosition(int clientWidth, int clientHeight, int iconWidth, int iconHeight, int& x,
                             int& y) {
  x = (clientWidth - iconWidth + 1) / 2;
  y = (clientHeight - iconHeight + 1) / 2;
}

void CBonusDlg::PlayOpeningSound() { PlayFirstExisting(m_config, OpeningSoundCandidates(m_config)); }

void CBonusDlg::PlayCapsuleSound(int capsule) {
  PlayFirstExisting(m_config, {CapsuleSoundPath(CBonusConfig::At(m_config.m_saPackages, capsule))});
}

}  // namespace browser
