// The program's own code run over a disk on the checker's machine: the main
// dialog is set up as the installer sets it up (with the reader's line
// observer attached), then every capsule is selected by its title and
// installed, as a user would, while the checker's platform and view write
// down what would have been shown and started.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/BonusDlg.h"
#include "browser/RecordingView.h"
#include "checker/CheckerPlatform.h"
#include "checker/LineLog.h"
#include "install/Launcher.h"

namespace checker {

// The main dialog's controls as the checker plays them: nothing is shown.
using RecordingView = browser::CRecordingView;

// What selecting one capsule and pressing Install did.
struct CapsuleRun {
  int capsule = 0;
  std::string title;
  // The capsule that selecting the title selected (another one for a
  // duplicate title); -1 when none.
  int selected = -1;

  // ---- the selection ----------------------------------------------------------
  bool descriptionLoaded = false;
  std::string soundPlayed;            // "" when no sound was played
  std::optional<bool> moreInfoShown;  // the link after the selection
  std::string moreInfoPath;           // the dialog's MoreInfo target at selection
  bool installEnabled = true;
  std::string installCaption, closeCaption;

  // ---- the installed-version check (run on its own first) ------------------
  bool checkGoesOn = true;
  std::vector<PlatformCall> checkCalls;
  std::vector<RecordingView::Box> checkBoxes;

  // ---- the install command ------------------------------------------------------
  install::Command command;  // Run resolved as the install resolves it
  std::vector<PlatformCall> installCalls;
  std::vector<RecordingView::Box> installBoxes;
  bool moreInfoTimerStarted = false;
  std::vector<std::string> companions;       // the four companion paths
  std::vector<std::string> companionShorts;  // their short forms ("" missing)

  // ---- the MoreInfo link used after the install ---------------------------------
  install::Command moreInfoCommand;
  std::vector<PlatformCall> moreInfoCalls;
};

class Simulation {
 public:
  Simulation(plat::Platform& host, CheckerLayout layout);

  CheckerPlatform& Platform() { return m_platform; }
  RecordingView& View() { return m_view; }
  browser::CBonusDlg& Dialog() { return *m_dialog; }
  const LineLog& Log() const { return m_log; }

  // Runs the dialog's set-up. When a capsule file is missing the set-up stops
  // as the installer's does; the remaining capsule files are then read into
  // the same store (with their own indices, as set-up would have) so that
  // their own findings are not lost.
  void SetUp();
  // The capsule whose missing file stopped the set-up; nothing when it ran through.
  std::optional<int> StoppedAt() const { return m_stoppedAt; }
  // The store as the set-up left it.
  const CBonusConfig& AfterSetUp() const { return *m_afterSetUp; }

  // Runs the real Run1 (mode 1) or Run2 (mode 2, with the main dialog taken
  // as open) start and returns the calls it made.
  std::vector<PlatformCall> FirstTimeRun(int mode);

  // Selects every capsule that has a tree item, by its title, and installs
  // it. Capsules without an item are left out.
  void SelectAndInstallAll();
  const std::vector<CapsuleRun>& Runs() const { return m_runs; }
  const CapsuleRun* RunOf(int capsule) const;

  // The capsule's value expanded with the dialog's macros.
  std::string Expand(const std::string& value, int capsule);

 private:
  CapsuleRun SelectAndInstall(int capsule, const std::string& title);

  CheckerPlatform m_platform;
  RecordingView m_view;
  std::unique_ptr<browser::CBonusDlg> m_dialog;
  LineLog m_log;
  std::optional<int> m_stoppedAt;
  std::unique_ptr<CBonusConfig> m_afterSetUp;
  std::vector<CapsuleRun> m_runs;
};

}  // namespace checker
