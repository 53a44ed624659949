#include "checker/Simulation.h"

#include "config/FirstTimeRun.h"
#include "install/Companions.h"
#include "platform/Text.h"

namespace checker {

Simulation::Simulation(plat::Platform& host, CheckerLayout layout)
    : m_platform(host, std::move(layout)),
      m_dialog(std::make_unique<browser::CBonusDlg>(m_platform, m_view)),
      m_log(*m_dialog) {
  m_view.Watch(m_dialog.get());
  m_view.recording = false;
  m_view.answer = AnswerFor;
}

void Simulation::SetUp() {
  browser::CBonusDlg& dialog = *m_dialog;
  dialog.m_config.m_pLineObserver = &m_log;
  const bool completed = dialog.OnInitDialog();
  if (!completed) {
    m_stoppedAt = dialog.m_nCapsule;
    // What the installer never reaches is still read, in its order and with
    // its indices, so that the rest of the disk is checked too.
    for (int k = dialog.m_nCapsule + 1; k <= dialog.m_nLastCapsule; ++k) {
      dialog.m_nCapsule = k;
      const CString folder = CBonusConfig::At(dialog.m_config.m_saPackages, k);
      const CString file = folder + "\\" + CBonusConfig::GetLastPathPart(folder) + ".cfg";
      if (dialog.m_config.FileExists(file, false, CString())) dialog.m_config.ParseConfigFile(file, k);
      dialog.PadCapsuleLists(dialog.m_nLastCapsule);
    }
    dialog.m_nCapsule = dialog.m_nLastCapsule + 1;
  }
  dialog.m_config.m_pLineObserver = nullptr;
  m_afterSetUp = std::make_unique<CBonusConfig>(dialog.m_config);
  m_afterSetUp->m_pLineObserver = nullptr;
}

std::vector<PlatformCall> Simulation::FirstTimeRun(int mode) {
  m_platform.ClearCalls();
  m_platform.SetMainDialogOpen(mode == 2 ? std::optional<std::string>(m_afterSetUp->m_sWelcomeCaption)
                                         : std::nullopt);
  CFirstTimeRun run(m_platform);
  run.RunOnce(mode);
  m_platform.SetMainDialogOpen(std::nullopt);
  std::vector<PlatformCall> calls = m_platform.Calls();
  m_platform.ClearCalls();
  return calls;
}

std::string Simulation::Expand(const std::string& value, int capsule) {
  return m_dialog->ExpandMacros(value, capsule);
}

void Simulation::SelectAndInstallAll() {
  m_runs.clear();
  // The items the set-up put into the tree, in their order.
  for (const RecordingView::Item& item : std::vector<RecordingView::Item>(m_view.items))
    m_runs.push_back(SelectAndInstall(item.image, item.text));
  // Capsules the set-up never reached have no item; those with a title are
  // selected all the same.
  if (m_stoppedAt) {
    for (int k = *m_stoppedAt + 1; k <= m_dialog->m_nLastCapsule; ++k) {
      const CString& title = CBonusConfig::At(m_afterSetUp->m_saTitle, k);
      if (!title.empty()) m_runs.push_back(SelectAndInstall(k, title));
    }
  }
}

const CapsuleRun* Simulation::RunOf(int capsule) const {
  for (const CapsuleRun& run : m_runs)
    if (run.capsule == capsule) return &run;
  return nullptr;
}

CapsuleRun Simulation::SelectAndInstall(int capsule, const std::string& title) {
  browser::CBonusDlg& dialog = *m_dialog;
  CapsuleRun run;
  run.capsule = capsule;
  run.title = title;

  // What the handlers of the previous selection and install left behind.
  m_view.boxes.clear();
  m_view.timers.clear();
  m_view.descriptionsStreamed = 0;
  m_view.moreInfoShown.reset();
  m_view.installCaption.reset();
  m_view.closeCaption.reset();
  m_view.installEnabled.reset();
  m_platform.ClearCalls();
  m_view.selectedText = title;
  m_view.focusId = browser::kIdCapsuleList;
  dialog.OnSelChangedCapsule();
  run.selected = dialog.HasSelection() ? dialog.m_nCapsule : -1;
  run.descriptionLoaded = m_view.descriptionsStreamed > 0;
  for (const PlatformCall& call : m_platform.Calls())
    if (call.kind == PlatformCall::Kind::PlaySound) run.soundPlayed = call.path;
  run.moreInfoShown = m_view.moreInfoShown;
  run.moreInfoPath = dialog.m_sMoreInfoPath;
  run.installEnabled = m_view.installEnabled.value_or(true);
  run.installCaption = m_view.installCaption.value_or("");
  run.closeCaption = m_view.closeCaption.value_or("");
  if (run.selected != capsule) return run;

  // The version check on its own, so that its reads are told apart from the
  // token lookups of the command.
  m_view.boxes.clear();
  m_platform.ClearCalls();
  run.checkGoesOn = dialog.CheckInstalledVersion(dialog.Sel(dialog.m_config.m_saRegistry),
                                                 dialog.Sel(dialog.m_config.m_saVersion),
                                                 dialog.Sel(dialog.m_config.m_saFile));
  run.checkCalls = m_platform.Calls();
  run.checkBoxes = m_view.boxes;

  const CString folder = dialog.Sel(dialog.m_config.m_saPackages);
  for (const std::string& path : install::CompanionPaths(folder)) run.companions.push_back(path);
  for (const std::string& path : install::CompanionShortPaths(m_platform, folder))
    run.companionShorts.push_back(path);

  m_view.boxes.clear();
  m_view.timers.clear();
  m_platform.ClearCalls();
  dialog.OnInstall();
  run.installCalls = m_platform.Calls();
  run.installBoxes = m_view.boxes;
  for (unsigned id : m_view.timers)
    if (id == browser::kTimerMoreInfo) run.moreInfoTimerStarted = true;

  // The command as the install resolved it (the same resolution, once more).
  m_platform.ClearCalls();
  run.command = install::ResolveRunCommand(
      dialog.m_config, folder, dialog.Sel(dialog.m_config.m_saRun),
      [&dialog, capsule](const std::string& text) { return dialog.ExpandMacros(text, capsule); });
  // The MoreInfo link as the user would click it after the install.
  dialog.OnSetFocusCapsule();
  run.moreInfoCommand = install::ResolveMoreInfo(
      dialog.m_config, folder, plat::TrimLeft(dialog.Sel(dialog.m_config.m_saMoreInfoRun)),
      [&dialog, capsule](const std::string& text) { return dialog.ExpandMacros(text, capsule); },
      install::MoreInfoUse::kOpen);
  m_platform.ClearCalls();
  dialog.RunMoreInfo();
  run.moreInfoCalls = m_platform.Calls();
  m_platform.ClearCalls();
  return run;
}

}  // namespace checker
