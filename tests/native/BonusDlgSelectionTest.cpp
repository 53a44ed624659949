// Capsule selection, the handlers around the tree and the MoreInfo link,
// the description pane and the MoreInfo refresh of timer 202.
#include <gtest/gtest.h>

#include "browser/BonusDlg.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

class SelectionTest : public ::testing::Test {
 protected:
  DiskMachine m;
  FakeBonusDlgView view;
  std::unique_ptr<CBonusDlg> dlg;

  void Open() {
    dlg = std::make_unique<CBonusDlg>(m.fake, view);
    ASSERT_TRUE(dlg->OnInitDialog());
    m.fake.sounds.clear();
  }
  void Pick(const std::string& title) {
    ASSERT_GE(view.SelectByText(title), 0) << title;
    dlg->OnSelChangedCapsule();
  }
};

TEST_F(SelectionTest, ShowsDescriptionNoteTipSoundAndButtons) {
  m.Main("[TuneUp]\nWindowTitle=W\nMessage=General\n[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=Alpha note\nTip=Alpha tip\nButton1=Get it\nButton2=Leave\n");
  m.CapsuleFile("A", ".rtf", "{\\rtf1 Alpha}");
  m.CapsuleFile("A", ".wav", "RIFF");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  Pick("Alpha");
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_EQ(view.rtfStreamed, std::vector<std::string>{"{\\rtf1 Alpha}"});
  EXPECT_EQ(view.oleInstalls, 1);
  EXPECT_TRUE(view.pictureHidden);
  EXPECT_FALSE(dlg->m_bPictureShown);
  EXPECT_EQ(view.note, "Alpha note");
  EXPECT_EQ(dlg->m_sNote, "Alpha note");
  EXPECT_EQ(view.tools.back(), "Alpha tip");
  EXPECT_EQ(view.tipColors, std::make_pair(MakeRgb(255, 240, 224), MakeRgb(85, 85, 85)));
  EXPECT_EQ(view.tipDelay, 5000u);
  EXPECT_EQ(view.tipActive, true);
  ASSERT_EQ(m.fake.sounds.size(), 1u);
  EXPECT_EQ(m.fake.sounds[0].path, "D:\\access\\A\\A.wav");
  EXPECT_EQ(m.fake.sounds[0].flags, 0x20003u);
  EXPECT_EQ(view.buttonText[kIdInstall], "Get it");
  EXPECT_EQ(view.buttonText[kIdClose], "Leave");
  EXPECT_TRUE(view.buttonEnabled[kIdInstall]);
  EXPECT_FALSE(dlg->m_bMessageShown);
  EXPECT_TRUE(dlg->m_bShowMoreInfo);
  EXPECT_EQ(dlg->m_hSelItem, view.items[0].handle);

  // The second capsule: no .rtf keeps the pane, no .wav plays nothing,
  // default captions; the picture stays hidden.
  Pick("Beta");
  EXPECT_EQ(view.rtfStreamed.size(), 1u);
  EXPECT_EQ(m.fake.sounds.size(), 1u);
  EXPECT_EQ(view.buttonText[kIdInstall], "Install");
  EXPECT_EQ(view.buttonText[kIdClose], "Close");
  EXPECT_EQ(view.note, "");
  EXPECT_EQ(view.pictureHides, 1);
}

TEST_F(SelectionTest, DuplicateTitlesSelectTheFirstCapsule) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Same\nNote=first\nButton1=One\n");
  m.Capsule("B", "[TuneUp]\nTitle=Same\nNote=second\nButton1=Two\n");
  m.CapsuleFile("A", ".rtf", "{\\rtf1 first}");
  m.CapsuleFile("B", ".rtf", "{\\rtf1 second}");
  Open();
  view.Select(1);  // the second item
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_EQ(view.note, "first");
  EXPECT_EQ(view.buttonText[kIdInstall], "One");
  EXPECT_EQ(view.rtfStreamed.back(), "{\\rtf1 first}");
}

struct DisabledCase {
  const char* value;
  bool enabled;
};
class DisabledTest : public SelectionTest, public ::testing::WithParamInterface<DisabledCase> {};

TEST_P(DisabledTest, OnlyOneAfterLeadingBlanksDisables) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", std::string("[TuneUp]\nTitle=Alpha\nButton2=Quit\nDisabled=") + GetParam().value + "\n");
  Open();
  Pick("Alpha");
  EXPECT_EQ(view.buttonEnabled[kIdInstall], GetParam().enabled) << "'" << GetParam().value << "'";
  EXPECT_EQ(view.buttonText[kIdInstall], "Install");
  EXPECT_EQ(view.buttonText[kIdClose], "Quit");
}

// Trailing blanks of a value are trimmed by the line grammar, so "1 " is
// spelt here with a character the grammar keeps.
INSTANTIATE_TEST_SUITE_P(Values, DisabledTest,
                         ::testing::Values(DisabledCase{"1", false}, DisabledCase{" 1", false},
                                           DisabledCase{"   1", false}, DisabledCase{"1 x", true},
                                           DisabledCase{"0", true}, DisabledCase{"", true},
                                           DisabledCase{"11", true}, DisabledCase{"yes", true}));

TEST_F(SelectionTest, DisabledOneWithTrailingBlankStaysEnabled) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  Open();
  // A value that keeps a trailing blank (the grammar would trim it from a file).
  dlg->m_config.m_saCapButton1Disabled[0] = "1 ";
  view.Select(0);
  // Selection re-reads only the main file, so the value set above stays.
  dlg->OnSelChangedCapsule();
  EXPECT_TRUE(view.buttonEnabled[kIdInstall]);
}

TEST_F(SelectionTest, ButtonStatePersistsUntilNextSelection) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nDisabled=1\nButton1=Nope\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  EXPECT_TRUE(view.buttonText.empty());  // nothing selected at set-up
  Pick("Alpha");
  EXPECT_FALSE(view.buttonEnabled[kIdInstall]);
  dlg->OnSetFocusCapsule();
  dlg->OnMouseMove();
  EXPECT_FALSE(view.buttonEnabled[kIdInstall]);
  EXPECT_EQ(view.buttonText[kIdInstall], "Nope");
  Pick("Beta");
  EXPECT_TRUE(view.buttonEnabled[kIdInstall]);
}

// ---- MoreInfo target -------------------------------------------------------

struct MoreInfoCase {
  const char* name;
  const char* run;           // MoreInfoRun value
  const char* existing;      // file that exists ("" none)
  const char* expectedPath;  // m_sMoreInfoPath
  bool shown;
};
class MoreInfoTest : public SelectionTest, public ::testing::WithParamInterface<MoreInfoCase> {};

TEST_P(MoreInfoTest, TargetAndLink) {
  const MoreInfoCase& c = GetParam();
  m.Main("[Packages]\nA\n");
  m.Capsule("A", std::string("[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Read me\nMoreInfoRun=") + c.run + "\n");
  if (*c.existing) m.fake.AddFile(c.existing, "x");
  Open();
  Pick("Alpha");
  EXPECT_EQ(dlg->m_sMoreInfoPath, c.expectedPath);
  EXPECT_EQ(view.moreInfoShown, c.shown);
  EXPECT_EQ(dlg->m_sMoreInfoTitle, "Read me");
  if (c.shown) {
    EXPECT_EQ(view.moreInfoItems, std::vector<std::string>{"Read me"});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, MoreInfoTest,
    ::testing::Values(
        MoreInfoCase{"InCapsuleFolder", "readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true},
        MoreInfoCase{"MissingFile", "readme.txt", "", "D:\\access\\A\\readme.txt", false},
        MoreInfoCase{"MacroUsedUnchanged", "{WIN_DIR}\\help.htm", "C:\\WINDOWS\\help.htm", "C:\\WINDOWS\\help.htm",
                     true},
        MoreInfoCase{"CommaCutsTheName", "readme.txt,extra", "D:\\access\\A\\readme.txt",
                     "D:\\access\\A\\readme.txt", true},
        MoreInfoCase{"QuotesStayAtSelection", "\"readme.txt\"", "D:\\access\\A\\readme.txt",
                     "D:\\access\\A\\\"readme.txt\"", false},
        MoreInfoCase{"AnyDirMarksPathAsWritten", "{ANY_DIR}C:\\x\\y.txt", "C:\\x\\y.txt", "C:\\x\\y.txt", true},
        MoreInfoCase{"EmptyRunNamesTheFolder", "", "", "D:\\access\\A\\", false},
        MoreInfoCase{"LeadingBlanksGone", "  readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt",
                     true}),
    [](const ::testing::TestParamInfo<MoreInfoCase>& p) { return std::string(p.param.name); });

TEST_F(SelectionTest, EmptyMoreInfoTitleShowsEmptyItemAtSelectionAndTimerHidesIt) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoRun=readme.txt\n");
  m.fake.AddFile("D:\\access\\A\\readme.txt", "x");
  Open();
  Pick("Alpha");
  EXPECT_EQ(view.moreInfoShown, true);
  EXPECT_EQ(view.moreInfoItems, std::vector<std::string>{""});
  view.timers.insert(kTimerMoreInfo);
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_TRUE(view.timers.count(kTimerMoreInfo));  // keeps running
}

TEST_F(SelectionTest, RefreshRemovesQuotesExpandsEnvironmentAndStopsTimer) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\nMoreInfoRun=\"%DOCNAME%\"\n");
  m.fake.environment["DOCNAME"] = "readme.txt";
  Open();
  Pick("Alpha");
  EXPECT_EQ(view.moreInfoShown, false);
  view.timers.insert(kTimerMoreInfo);
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, false);  // target not there yet
  EXPECT_TRUE(view.timers.count(kTimerMoreInfo));
  m.fake.AddFile("D:\\access\\A\\readme.txt", "x");
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, true);
  EXPECT_EQ(view.moreInfoItems, std::vector<std::string>{"Docs"});
  EXPECT_FALSE(view.timers.count(kTimerMoreInfo));
  // m_sMoreInfoPath is the selection's, not the refresh's.
  EXPECT_EQ(dlg->m_sMoreInfoPath, "D:\\access\\A\\\"%DOCNAME%\"");
}

TEST_F(SelectionTest, RefreshAfterLinkUsedStopsTimerButKeepsLinkHidden) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\nMoreInfoRun=readme.txt\n");
  m.fake.AddFile("D:\\access\\A\\readme.txt", "x");
  Open();
  Pick("Alpha");
  dlg->m_bShowMoreInfo = false;
  view.moreInfoShown = false;
  view.timers.insert(kTimerMoreInfo);
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_FALSE(view.timers.count(kTimerMoreInfo));
}

TEST_F(SelectionTest, RefreshWithEnvironmentFailureKeepsText) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\nMoreInfoRun=read me.txt  \n");
  m.fake.AddFile("D:\\access\\A\\read me.txt", "x");
  m.fake.failEnvironmentExpansion = true;
  Open();
  Pick("Alpha");
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, true);
}

// ---- a selection that matches no capsule --------------------------------------

TEST_F(SelectionTest, UnmatchedTextNeverReadsPastTheLists) {
  m.Main("[TuneUp]\nMessage=General\n[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=n\nTip=t\nButton1=B1\nMoreInfoTitle=M\nMoreInfoRun=r.txt\n");
  m.fake.AddFile("D:\\access\\A\\r.txt", "x");
  Open();
  Pick("Alpha");
  view.selectedTextOverride = "Renamed";
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 1);
  EXPECT_FALSE(dlg->HasSelection());
  EXPECT_EQ(view.note, "");
  EXPECT_EQ(view.tools.back(), "");
  EXPECT_EQ(view.buttonText[kIdInstall], "Install");
  EXPECT_TRUE(view.buttonEnabled[kIdInstall]);
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_EQ(dlg->m_sMoreInfoPath, "");
  EXPECT_TRUE(m.fake.sounds.empty());
  EXPECT_TRUE(m.fake.boxes.empty());
  // The refresh and the mouse move see no capsule either.
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, false);
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "");
}

TEST_F(SelectionTest, NoSelectedItemMatchesNothing) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  Open();
  view.selected = -1;
  dlg->OnSelChangedCapsule();
  EXPECT_FALSE(dlg->HasSelection());
  EXPECT_EQ(dlg->m_hSelItem, 0u);
}

TEST_F(SelectionTest, EmptyTreeSelectionIsHarmless) {
  m.Main("[Packages]\n");
  Open();
  view.selected = -1;
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_FALSE(dlg->HasSelection());
}

// ---- re-reading the main file ---------------------------------------------------

TEST_F(SelectionTest, ReReadingTheMainFileKeepsTheStoreTheSameSize) {
  m.Main("[TuneUp]\nWindowTitle=W\n[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  const auto packages = dlg->m_config.m_saPackages.size();
  const auto titles = dlg->m_config.m_saTitle.size();
  for (int i = 0; i < 500; ++i) Pick(i % 2 ? "Alpha" : "Beta");
  EXPECT_EQ(dlg->m_config.m_saPackages.size(), packages);
  EXPECT_EQ(dlg->m_config.m_saTitle.size(), titles);
  EXPECT_EQ(dlg->m_nLastCapsule, 1);
}

TEST_F(SelectionTest, SelectionReReadsMainFileForMessage) {
  m.Main("[TuneUp]\nMessage=Old\n[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  Open();
  m.Main("[TuneUp]\nMessage=New\n[Packages]\nA\n");
  Pick("Alpha");
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "New");
}

// ---- insert-disk loop at selection -------------------------------------------

TEST_F(SelectionTest, DiskGoneAtSelectionPromptsWithWindowTitleNoDefault) {
  m.Main("[TuneUp]\nWindowTitle=Disk Title\n[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=n\n");
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg", "[TuneUp]\nWindowTitle=\n");
  Open();
  m.fake.RemovePath(DiskMachine::kMainFile);
  m.fake.answers = {plat::kIdOk, plat::kIdCancel};
  Pick("Alpha");
  ASSERT_EQ(m.fake.boxes.size(), 2u);
  EXPECT_EQ(m.fake.boxes[0].caption, "");  // the program folder's empty WindowTitle, no default
  EXPECT_EQ(m.fake.boxes[0].type, 0x11u);
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  // The rest of the handler still runs.
  EXPECT_EQ(view.note, "n");
}

// ---- focus, mouse, link focus -------------------------------------------------

TEST_F(SelectionTest, NoteVersusMessageOnMouseMoves) {
  m.Main("[TuneUp]\nMessage=General text\n[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=Alpha note\n");
  Open();
  // Before any selection nothing changes.
  view.notes.clear();
  dlg->OnMouseMove();
  EXPECT_TRUE(view.notes.empty());
  EXPECT_EQ(view.tipActive, false);
  Pick("Alpha");
  EXPECT_EQ(view.note, "Alpha note");
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "General text");
  EXPECT_TRUE(dlg->m_bMessageShown);
  view.notes.clear();
  dlg->OnMouseMove();  // shown once until the note comes back
  EXPECT_TRUE(view.notes.empty());
  dlg->OnSetFocusCapsule();
  EXPECT_EQ(view.note, "Alpha note");
  EXPECT_FALSE(dlg->m_bMessageShown);
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "General text");
}

TEST_F(SelectionTest, EmptyMessageLeavesNoteButCountsAsShown) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=Alpha note\n");
  Open();
  Pick("Alpha");
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "Alpha note");
  EXPECT_TRUE(dlg->m_bMessageShown);
}

TEST_F(SelectionTest, TreeFocusArmsAndColoursTheLink) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\nMoreInfoRun=r.txt\n");
  Open();
  dlg->OnSetFocusCapsule();  // before a selection: empty item, hidden
  EXPECT_TRUE(dlg->m_bMoreInfoArmed);
  EXPECT_EQ(view.moreInfoTextColor, MakeRgb(0, 0, 255));
  EXPECT_EQ(view.moreInfoItems, std::vector<std::string>{""});
  EXPECT_EQ(view.moreInfoShown, false);
  Pick("Alpha");
  m.fake.AddFile("D:\\access\\A\\r.txt", "x");
  dlg->m_bShowMoreInfo = false;  // not consulted on focus
  dlg->OnSetFocusCapsule();
  EXPECT_EQ(view.moreInfoItems, std::vector<std::string>{"Docs"});
  EXPECT_EQ(view.moreInfoShown, true);
}

TEST_F(SelectionTest, LinkRefusesFocusUnlessUsable) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  // Nothing selected: forward to Install, backward (Shift) to the tree.
  dlg->OnSetFocusMoreInfo();
  EXPECT_EQ(view.focusMoves.back(), kIdInstall);
  view.shiftDown = true;
  dlg->OnSetFocusMoreInfo();
  EXPECT_EQ(view.focusMoves.back(), kIdCapsuleList);
  view.shiftDown = false;
  view.focusMoves.clear();
  Pick("Alpha");
  dlg->OnSetFocusMoreInfo();  // not armed yet
  EXPECT_EQ(view.focusMoves.size(), 1u);
  dlg->OnSetFocusCapsule();
  view.focusMoves.clear();
  dlg->OnSetFocusMoreInfo();  // usable: keeps the focus
  EXPECT_TRUE(view.focusMoves.empty());
  Pick("Beta");  // empty MoreInfoTitle
  dlg->OnSetFocusMoreInfo();
  EXPECT_EQ(view.focusMoves.back(), kIdInstall);
}

TEST(DescriptionFilter, DoubleClickNeutralisedOthersPass) {
  DiskMachine m;
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  unsigned msg = 0x0203;
  EXPECT_EQ(dlg.OnMsgFilterDescription(msg), 0);
  EXPECT_EQ(msg, 0u);
  for (unsigned other : {0x0201u, 0x0202u, 0x0200u, 0x0204u, 0x0206u}) {
    msg = other;
    EXPECT_EQ(dlg.OnMsgFilterDescription(msg), 0);
    EXPECT_EQ(msg, other);
  }
}

TEST_F(SelectionTest, UnreadableDescriptionLeavesPaneAndPicture) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.CapsuleFile("A", ".rtf", "{\\rtf1 x}");
  m.fake.LockFile("D:\\access\\A\\A.rtf");
  Open();
  Pick("Alpha");
  EXPECT_TRUE(view.rtfStreamed.empty());
  // The picture goes once the file exists, whether it could be read or not.
  EXPECT_TRUE(view.pictureHidden);
}

TEST_F(SelectionTest, DescriptionIsStreamedUnchanged) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nToken1=X\n");
  const std::string rtf = std::string("{\\rtf1 {TOKEN1} {WIN_DIR}\0 binary}", 33);
  m.CapsuleFile("A", ".rtf", rtf);
  Open();
  Pick("Alpha");
  ASSERT_EQ(view.rtfStreamed.size(), 1u);
  EXPECT_EQ(view.rtfStreamed[0], rtf);
  auto pos = [&](const std::string& what) {
    return std::find(view.log.begin(), view.log.end(), what) - view.log.begin();
  };
  EXPECT_LT(pos("InstallDescriptionOleCallback"), pos("StreamDescriptionRtf"));
}

TEST_F(SelectionTest, DoubleClickInstallsEvenWhenInstallIsGreyed) {
  m.Main("[Packages]\nA\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nDisabled=1\nRun=setup.exe\n");
  m.fake.AddFile("D:\\access\\A\\setup.exe", "MZ");
  Open();
  Pick("Alpha");
  EXPECT_FALSE(view.buttonEnabled[kIdInstall]);
  EXPECT_EQ(dlg->OnDblClkCapsule(), 0);
  ASSERT_EQ(m.fake.shellCalls.size(), 1u);
  EXPECT_EQ(m.fake.shellCalls[0].file, "D:\\access\\A\\setup.exe");
}

}  // namespace
}  // namespace bonus::testing
