// The main dialog's capsule selection, the handlers around the capsule tree
// and the MoreInfo link, and the description pane.
#include <exception>

#include "browser/BonusDlg.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace browser {

bool CBonusDlg::LocateConfigAgain() {
  ConfigSearch rules;
  rules.readBeforeTest = true;
  rules.defaultCaption = false;
  const ConfigSearchResult search = LocateConfigOrPrompt(m_platform, &m_config, rules);
  m_sConfigFile = search.file;
  if (search.prompted) m_sDiskPrompt = res::InsertDiskPrompt();
  return search.found;
}

long CBonusDlg::OnSelChangedCapsule() {
  m_sMoreInfoTitle.clear();
  if (!LocateConfigAgain()) m_view.EndDialog(0);
  try {
    m_bMessageShown = false;
    m_view.SetDiskSpaceText(GetDiskSpaceText());

    const std::optional<std::string> text = m_view.GetSelectedCapsuleText();
    for (m_nCapsule = 0; m_nCapsule <= m_nLastCapsule; ++m_nCapsule) {
      if (text && CBonusConfig::At(m_config.m_saTitle, m_nCapsule) == *text) break;
    }
    const bool selected = HasSelection();
    if (selected) {
      m_sCapsuleDir = Sel(m_config.m_saPackages);
      m_sCapsuleName = CBonusConfig::GetLastPathPart(m_sCapsuleDir);
      const CString description = m_sCapsuleDir + "\\" + m_sCapsuleName + ".rtf";
      if (m_config.FileExists(description, false, CString())) {
        LoadDescription(description);
        if (m_bPictureShown) {
          m_view.HidePicture();
          m_bPictureShown = false;
        }
      }
    }
    m_hSelItem = m_view.GetSelectedCapsuleItem();

    // Without a matching capsule every per-capsule value reads as empty and
    // no capsule file is looked up.
    m_view.SetNoteText(Sel(m_config.m_saNote));

    m_view.SetToolTipColors(kTipBackground, kTipText);
    m_view.AddCapsuleToolTip(Sel(m_config.m_saTip));
    m_view.SetToolTipInitialDelay(kTipInitialDelayMs);
    m_view.ActivateToolTip(true);

    const CString title = Sel(m_config.m_saMoreInfoTitle);
    m_sMoreInfoPath = selected ? MoreInfoTarget(install::MoreInfoUse::kSelection) : CString();
    m_bShowMoreInfo = true;
    m_sMoreInfoTitle = title;
    if (selected && m_config.FileExists(m_sMoreInfoPath, false, CString())) {
      m_view.DeleteMoreInfoItems();
      m_view.InsertMoreInfoItem(title);
      m_view.ShowMoreInfo(true);
    } else {
      m_view.ShowMoreInfo(false);
    }

    m_sNote = Sel(m_config.m_saNote);
    if (selected) PlayCapsuleSound(m_nCapsule);

    const CString& install = Sel(m_config.m_saCapButton1);
    m_view.SetButtonText(kIdInstall, install.empty() ? CString("Install") : install);
    const CString& close = Sel(m_config.m_saCapButton2);
    m_view.SetButtonText(kIdClose, close.empty() ? CString("Close") : close);
    m_view.EnableButton(kIdInstall, plat::TrimLeft(Sel(m_config.m_saCapButton1Disabled)) != "1");
  } catch (const std::exception& e) {
    ReportException(e.what());
  }
  return 0;
}

CString CBonusDlg::MoreInfoTarget(install::MoreInfoUse use) {
  return install::ResolveMoreInfo(m_config, Sel(m_config.m_saPackages),
                                  plat::TrimLeft(Sel(m_config.m_saMoreInfoRun)), Macros(m_nCapsule), use)
      .program;
}

void CBonusDlg::RefreshMoreInfoLink() {
  const CString title = Sel(m_config.m_saMoreInfoTitle);
  if (title.empty()) {
    m_view.ShowMoreInfo(false);
    return;
  }
  const CString target = MoreInfoTarget(install::MoreInfoUse::kRefresh);
  if (m_config.FileExists(target, false, CString())) {
    m_view.DeleteMoreInfoItems();
    m_view.InsertMoreInfoItem(title);
    if (m_bShowMoreInfo) m_view.ShowMoreInfo(true);
    m_view.KillTimer(kTimerMoreInfo);
  } else {
    m_view.ShowMoreInfo(false);
  }
}

void CBonusDlg::LoadDescription(const CString& path) {
  m_view.InstallDescriptionOleCallback();
  if (!m_platform.ReadFileBytes(path, m_rtfFile)) return;
  m_view.StreamDescriptionRtf(m_rtfFile);
  m_rtfFile.clear();
  m_rtfFile.shrink_to_fit();
}

long CBonusDlg::OnSetFocusCapsule() {
  m_bMoreInfoArmed = true;
  m_view.SetMoreInfoTextColor(kLinkColor);
  m_view.DeleteMoreInfoItems();
  m_view.InsertMoreInfoItem(m_sMoreInfoTitle);
  m_view.ShowMoreInfo(m_config.FileExists(m_sMoreInfoPath, false, CString()));
  m_view.SetNoteText(m_sNote);
  m_bMessageShown = false;
  return 0;
}

void CBonusDlg::OnMouseMove() {
  if (!m_bMessageShown && HasSelection()) {
    if (!m_config.m_sMessage.empty()) m_view.SetNoteText(m_config.m_sMessage);
    m_bMessageShown = true;
  }
  m_view.ActivateToolTip(false);
}

long CBonusDlg::OnSetFocusMoreInfo() {
  const bool usable = HasSelection() && !Sel(m_config.m_saMoreInfoTitle).empty() && m_bMoreInfoArmed;
  if (!usable) m_view.SetFocusTo(m_view.IsShiftDown() ? kIdCapsuleList : kIdInstall);
  return 0;
}

long CBonusDlg::OnDblClkCapsule() {
  OnInstall();
  return 0;
}

long CBonusDlg::OnClickMoreInfo() {
  // Following an armed link removes the link's only item while the tree is
  // still inside its click; left to its default handling the tree would go
  // on to select that item, which no longer exists (Wine's tree view stops
  // the process there).
  return RunMoreInfo() ? 1 : 0;
}

long CBonusDlg::OnMsgFilterDescription(unsigned& message) {
  if (message == plat::kWmLButtonDblClk) message = 0;
  return 0;
}

}  // namespace browser
