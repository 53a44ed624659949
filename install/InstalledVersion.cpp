// The main dialog's installed-version check and its question.
#include <string>

#include "browser/BonusDlg.h"
#include "install/VersionCheck.h"

namespace bonus {

bool CBonusDlg::CheckInstalledVersion(CString registry, CString version, CString file) {
  const int capsule = m_nCapsule;
  inst::VersionCheckContext context;
  context.askMsg = Sel(m_config.m_saAskMsg);
  context.caption = m_config.m_sWelcomeCaption;
  context.expandMacros = [this, capsule](const std::string& text) { return ExpandMacros(text, capsule); };
  context.messageBox = [this](const std::string& text, const std::string& caption, unsigned type) {
    return m_view.MessageBox(text, caption, type);
  };
  context.askReinstall = [this] { return AskReinstall(); };
  return inst::CheckInstalledVersion(m_config, registry, version, file, context);
}

bool CBonusDlg::AskReinstall() {
  return inst::AskReinstall(Sel(m_config.m_saAskMsg), m_config.m_sWelcomeCaption,
                            [this](const std::string& text, const std::string& caption, unsigned type) {
                              return m_view.MessageBox(text, caption, type);
                            });
}

}  // namespace bonus
