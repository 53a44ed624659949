// Capsule selection, the handlers around the tree and the MoreInfo link, the
// description pane and the MoreInfo refresh of timer 202.
#include <gtest/gtest.h>

#include "tests/native/DialogTestSupport.h"

namespace browser::testing {
namespace {

// A capsule with no note, tip, link, buttons or files of its own, after the
// disk space.
constexpr const char* kDiskSpace = "SetDiskSpaceText C: 5.00 GB\\n\n";
constexpr const char* kPlainSelection =
    "SetNoteText \nSetToolTipColors E0F0FF 555555\n"
    "AddCapsuleToolTip \nSetToolTipInitialDelay 5000\nActivateToolTip 1\nShowMoreInfo 0\n"
    "SetButtonText 1006 Install\nSetButtonText 1007 Close\n"
    "EnableButton 1006 1\n";

class SelectionTest : public DialogTest {
 protected:
  // Opens the dialog and forgets its set-up.
  void OpenQuiet() {
    Open();
    view.Transcript();
    m.fake.sounds.clear();
  }
};

TEST_F(SelectionTest, Transcript) {
  m.Main("[TuneUp]\nWindowTitle=W\nMessage=General\n[Packages]\nA\nB\n");
  m.Capsule("A",
            "[TuneUp]\nTitle=Alpha\nToken1=X\nNote=Alpha note\nTip=Alpha tip\nButton1=Get it\nButton2=Leave\n"
            "MoreInfoTitle=Read me\nMoreInfoRun=readme.txt\n");
  const std::string rtf = std::string("{\\rtf1 {TOKEN1} {WIN_DIR}\0 binary}", 33);  // streamed unchanged
  m.Capsule("A", rtf, ".rtf");
  m.Capsule("A", "RIFF", ".wav");
  m.fake.AddFile("D:\\access\\A\\readme.txt", "x");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  m.Capsule("B", "{\\rtf1 x}", ".rtf");
  m.fake.LockFile("D:\\access\\B\\B.rtf");
  OpenQuiet();
  // An unreadable .rtf leaves the pane but hides the picture (once), no .wav
  // plays nothing, default captions.
  Pick("Beta");
  EXPECT_EQ(view.Transcript(),
            std::string(kDiskSpace) + "InstallDescriptionOleCallback\nHidePicture\n" + kPlainSelection);
  EXPECT_TRUE(m.fake.sounds.empty());
  Pick("Alpha");
  EXPECT_EQ(view.Transcript(),
            "SetDiskSpaceText C: 5.00 GB\\n\nInstallDescriptionOleCallback\nStreamDescriptionRtf " + rtf +
                "\nSetNoteText Alpha note\n"
                "SetToolTipColors E0F0FF 555555\nAddCapsuleToolTip Alpha tip\nSetToolTipInitialDelay 5000\n"
                "ActivateToolTip 1\nDeleteMoreInfoItems\nInsertMoreInfoItem Read me\nShowMoreInfo 1\n"
                "SetButtonText 1006 Get it\nSetButtonText 1007 Leave\n"
                "EnableButton 1006 1\n");
  EXPECT_EQ(dlg->m_nCapsule, 0);
  ASSERT_EQ(m.fake.sounds.size(), 1u);
  EXPECT_EQ(m.fake.sounds[0].path + " " + std::to_string(m.fake.sounds[0].flags),
            "D:\\access\\A\\A.wav 131075");
}

TEST_F(SelectionTest, DuplicateTitlesSelectTheFirstCapsule) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Same\nNote=first\n");
  m.Capsule("B", "[TuneUp]\nTitle=Same\nNote=second\n");
  OpenQuiet();
  view.selected = 1;
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_EQ(view.note, "first");
}

TEST_F(SelectionTest, AFailureIsReportedInABoxUnderTheWindowTitle) {
  struct ThrowingView : CRecordingView {
    void SetButtonText(int, const std::string&) override { throw std::runtime_error("button failed"); }
  } throwing;
  OneCapsule("", "WindowTitle=W\n");
  CBonusDlg failing(m.fake, throwing);
  failing.OnInitDialog();
  ASSERT_TRUE(throwing.SelectText("Alpha"));
  failing.OnSelChangedCapsule();
  EXPECT_EQ(Boxes(m.fake.boxes), "W|button failed|0x10\n");
}

TEST_F(SelectionTest, OnlyOneAfterLeadingBlanksGreysInstallUntilTheNextSelection) {
  // Trailing blanks of a value are trimmed by the line grammar, so "1 " is
  // spelt with a character the grammar keeps.
  const std::pair<const char*, bool> rows[] = {{"1", false}, {"   1", false}, {"1 x", true},
                                               {"0", true},  {"", true},      {"11", true}};
  for (const auto& [value, enabled] : rows) {
    SCOPED_TRACE(std::string("'") + value + "'");
    Reset();
    m.Main("[Packages]\nA\nB\n");
    m.Capsule("A", std::string("[TuneUp]\nTitle=Alpha\nDisabled=") + value + "\n");
    m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
    Open();
    Pick("Alpha");
    EXPECT_EQ(view.installEnabled, enabled);
    dlg->OnSetFocusCapsule();
    dlg->OnMouseMove();
    EXPECT_EQ(view.installEnabled, enabled);
    Pick("Beta");
    EXPECT_EQ(view.installEnabled, true);
    // A value that keeps its trailing blank stays enabled (selection re-reads
    // only the main file, so the value set here stays).
    dlg->m_config.m_saCapButton1Disabled[0] = "1 ";
    Pick("Alpha");
    EXPECT_EQ(view.installEnabled, true);
  }
}

// The link after the selection, and after timer 202's refresh.
TEST_F(SelectionTest, MoreInfoTargetAtSelectionAndRefresh) {
  struct Row {
    const char* title;     // MoreInfoTitle value
    const char* run;       // MoreInfoRun value
    const char* existing;  // file that exists ("" none)
    const char* path;      // m_sMoreInfoPath
    bool shown;            // after the selection
    bool refreshed;        // after the refresh
  };
  const Row rows[] = {
      {"Read me", "readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true, true},
      {"Read me", "readme.txt", "", "D:\\access\\A\\readme.txt", false, false},
      {"Read me", "{WIN_DIR}\\help.htm", "C:\\WINDOWS\\help.htm", "C:\\WINDOWS\\help.htm", true, true},
      {"Read me", "readme.txt,extra", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true, true},
      // Quotes stay at selection; the refresh removes them and expands the environment.
      {"Read me", "\"readme.txt\"", "D:\\access\\A\\readme.txt", "D:\\access\\A\\\"readme.txt\"", false,
       true},
      {"Read me", "\"%DOC%\"", "D:\\access\\A\\readme.txt", "D:\\access\\A\\\"%DOC%\"", false, true},
      {"Read me", "", "", "D:\\access\\A\\", false, false},
      // An empty title shows an empty item at selection; the refresh hides it.
      {"", "readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true, false},
      {"Read me", "  readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.run);
    Reset();
    OneCapsule(std::string("MoreInfoTitle=") + r.title + "\nMoreInfoRun=" + r.run + "\n");
    m.fake.environment["DOC"] = "readme.txt";
    if (*r.existing) m.fake.AddFile(r.existing, "x");
    Open();
    Pick("Alpha");
    EXPECT_EQ(dlg->m_sMoreInfoPath, r.path);
    EXPECT_EQ(view.moreInfoShown, r.shown);
    EXPECT_EQ(dlg->m_sMoreInfoTitle, r.title);
    view.timers.insert(kTimerMoreInfo);
    view.Transcript();
    dlg->OnTimer(kTimerMoreInfo);
    EXPECT_EQ(view.Transcript(),
              r.refreshed ? "DeleteMoreInfoItems\nInsertMoreInfoItem Read me\nShowMoreInfo 1\nKillTimer 202\n"
                          : "ShowMoreInfo 0\n");
    EXPECT_EQ(dlg->m_sMoreInfoPath, r.path);  // the selection's, not the refresh's
  }
  // A failed environment expansion keeps the text; after the link was used
  // the refresh stops the timer but keeps the link hidden.
  Reset();
  OneCapsule("MoreInfoTitle=Docs\nMoreInfoRun=%DOC%\n");
  m.fake.AddFile("D:\\access\\A\\%DOC%", "x");
  m.fake.failEnvironmentExpansion = true;
  Open();
  Pick("Alpha");
  dlg->m_bShowMoreInfo = false;
  view.Transcript();
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.Transcript(), "DeleteMoreInfoItems\nInsertMoreInfoItem Docs\nKillTimer 202\n");
}

TEST_F(SelectionTest, UnmatchedTextOrNoItemNeverReadsPastTheLists) {
  OneCapsule("Note=n\nTip=t\nButton1=B1\nMoreInfoTitle=M\nMoreInfoRun=r.txt\n", "Message=General\n");
  m.fake.AddFile("D:\\access\\A\\r.txt", "x");
  m.Capsule("A", "RIFF", ".wav");
  Open();
  Pick("Alpha");
  m.fake.sounds.clear();
  view.Transcript();
  view.selectedText = "Renamed";
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 1);
  EXPECT_EQ(view.Transcript(), kDiskSpace + std::string(kPlainSelection));
  EXPECT_TRUE(m.fake.sounds.empty());
  EXPECT_TRUE(m.fake.boxes.empty());
  // The refresh and the mouse move see no capsule either.
  dlg->RefreshMoreInfoLink();
  dlg->OnMouseMove();
  EXPECT_EQ(view.Transcript(), "ShowMoreInfo 0\nActivateToolTip 0\n");
  view.selectedText.reset();
  view.selected = -1;
  dlg->OnSelChangedCapsule();
  EXPECT_FALSE(dlg->HasSelection());
}

TEST_F(SelectionTest, DiskGoneAtSelectionPromptsWithWindowTitleNoDefault) {
  OneCapsule("Note=n\n", "WindowTitle=Disk Title\n");
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg", "[TuneUp]\nWindowTitle=\n");
  OpenQuiet();
  m.fake.RemovePath(DiskMachine::kMainFile);
  m.fake.answers = {plat::kIdOk, plat::kIdCancel};
  Pick("Alpha");
  // The program folder's empty WindowTitle as the caption, no default.
  EXPECT_EQ(Boxes(m.fake.boxes), "|" + std::string(kPrompt) + "|0x11\n|" + kPrompt + "|0x11\n");
  const std::string t = view.Transcript();
  EXPECT_EQ(t.substr(0, 12), "EndDialog 0\n");
  EXPECT_NE(t.find("SetNoteText n\n"), std::string::npos);  // the rest of the handler still runs
}

TEST_F(SelectionTest, NoteAndMessageOnMouseMovesAndTheTreesFocus) {
  OneCapsule("Note=Alpha note\nMoreInfoTitle=Docs\nMoreInfoRun=r.txt\n", "Message=General text\n");
  OpenQuiet();
  dlg->OnSetFocusCapsule();  // before a selection: empty item, hidden
  dlg->OnMouseMove();        // before a selection the note stays
  EXPECT_TRUE(dlg->m_bMoreInfoArmed);
  EXPECT_EQ(
      view.Transcript(),
      "SetMoreInfoTextColor FF0000\nDeleteMoreInfoItems\nInsertMoreInfoItem \nShowMoreInfo 0\nSetNoteText \n"
      "ActivateToolTip 0\n");
  Pick("Alpha");
  m.fake.AddFile("D:\\access\\A\\r.txt", "x");
  dlg->m_bShowMoreInfo = false;  // not consulted on focus
  view.Transcript();
  dlg->OnMouseMove();
  dlg->OnMouseMove();  // shown once until the note comes back
  EXPECT_TRUE(dlg->m_bMessageShown);
  dlg->OnSetFocusCapsule();
  EXPECT_FALSE(dlg->m_bMessageShown);
  dlg->OnMouseMove();
  EXPECT_EQ(view.Transcript(),
            "SetNoteText General text\nActivateToolTip 0\nActivateToolTip 0\n"
            "SetMoreInfoTextColor FF0000\nDeleteMoreInfoItems\nInsertMoreInfoItem Docs\nShowMoreInfo 1\n"
            "SetNoteText Alpha note\nSetNoteText General text\nActivateToolTip 0\n");

  // Selection re-reads the main file: an empty Message leaves the note but
  // counts as shown.
  m.Main("[TuneUp]\nMessage=\n[Packages]\nA\n");
  Pick("Alpha");
  EXPECT_EQ(dlg->m_config.m_saTitle.size(), 1u);
  view.Transcript();
  dlg->OnMouseMove();
  EXPECT_EQ(view.Transcript(), "ActivateToolTip 0\n");
  EXPECT_TRUE(dlg->m_bMessageShown);
}

TEST_F(SelectionTest, LinkRefusesFocusUnlessUsable) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  view.recording = false;
  std::vector<int> moves;
  auto focus = [&] {
    view.focusId = 0;
    dlg->OnSetFocusMoreInfo();
    moves.push_back(view.focusId);
  };
  focus();  // nothing selected: forward to Install,
  view.shiftDown = true;
  focus();  // backward (Shift) to the tree
  view.shiftDown = false;
  Pick("Alpha");
  focus();  // not armed yet
  dlg->OnSetFocusCapsule();
  focus();  // usable: keeps the focus
  Pick("Beta");
  focus();  // empty MoreInfoTitle
  EXPECT_EQ(moves, (std::vector<int>{kIdInstall, kIdCapsuleList, kIdInstall, 0, kIdInstall}));
}

}  // namespace
}  // namespace browser::testing
