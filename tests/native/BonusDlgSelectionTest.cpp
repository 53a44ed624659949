// Capsule selection, the handlers around the tree and the MoreInfo link,
// the description pane and the MoreInfo refresh of timer 202.
#include <gtest/gtest.h>

#include "browser/BonusDlg.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

using Texts = std::vector<std::string>;
constexpr const char* kPrompt = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";

class SelectionTest : public DialogTest {};

TEST_F(SelectionTest, ShowsDescriptionNoteTipSoundAndButtons) {
  m.Main("[TuneUp]\nWindowTitle=W\nMessage=General\n[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=Alpha note\nTip=Alpha tip\nButton1=Get it\nButton2=Leave\n");
  m.CapsuleFile("A", ".rtf", "{\\rtf1 Alpha}");
  m.CapsuleFile("A", ".wav", "RIFF");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  EXPECT_TRUE(view.buttonText.empty());  // nothing selected at set-up
  m.fake.sounds.clear();
  Pick("Alpha");
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_EQ(view.rtfStreamed, Texts{"{\\rtf1 Alpha}"});
  EXPECT_EQ(view.pictureHides, 1);
  EXPECT_FALSE(dlg->m_bPictureShown);
  EXPECT_EQ(view.note, "Alpha note");
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
  EXPECT_EQ(dlg->m_hSelItem, view.items[0].handle);

  // No .rtf keeps the pane, no .wav plays nothing, default captions; the
  // picture stays hidden.
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
  view.Select(1);
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_EQ(view.note, "first");
  EXPECT_EQ(view.buttonText[kIdInstall], "One");
  EXPECT_EQ(view.rtfStreamed.back(), "{\\rtf1 first}");
}

TEST_F(SelectionTest, OnlyOneAfterLeadingBlanksGreysInstallUntilTheNextSelection) {
  // Trailing blanks of a value are trimmed by the line grammar, so "1 " is
  // spelt with a character the grammar keeps.
  const std::pair<const char*, bool> rows[] = {{"1", false}, {" 1", false}, {"   1", false}, {"1 x", true},
                                               {"0", true},  {"", true},    {"11", true},    {"yes", true}};
  for (const auto& [value, enabled] : rows) {
    SCOPED_TRACE(std::string("'") + value + "'");
    Reset();
    m.Main("[Packages]\nA\nB\n");
    m.Capsule("A", std::string("[TuneUp]\nTitle=Alpha\nButton2=Quit\nDisabled=") + value + "\n");
    m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
    Open();
    Pick("Alpha");
    EXPECT_EQ(view.buttonEnabled[kIdInstall], enabled);
    EXPECT_EQ(view.buttonText[kIdInstall], "Install");
    EXPECT_EQ(view.buttonText[kIdClose], "Quit");
    dlg->OnSetFocusCapsule();
    dlg->OnMouseMove();
    EXPECT_EQ(view.buttonEnabled[kIdInstall], enabled);
    Pick("Beta");
    EXPECT_TRUE(view.buttonEnabled[kIdInstall]);
    // A value that keeps its trailing blank stays enabled (selection re-reads
    // only the main file, so the value set here stays).
    dlg->m_config.m_saCapButton1Disabled[0] = "1 ";
    Pick("Alpha");
    EXPECT_TRUE(view.buttonEnabled[kIdInstall]);
  }
}

TEST_F(SelectionTest, MoreInfoTargetAndLink) {
  struct Row {
    const char* name;
    const char* run;       // MoreInfoRun value
    const char* existing;  // file that exists ("" none)
    const char* path;      // m_sMoreInfoPath
    bool shown;
  };
  const Row rows[] = {
      {"InCapsuleFolder", "readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true},
      {"MissingFile", "readme.txt", "", "D:\\access\\A\\readme.txt", false},
      {"MacroUsedUnchanged", "{WIN_DIR}\\help.htm", "C:\\WINDOWS\\help.htm", "C:\\WINDOWS\\help.htm", true},
      {"CommaCutsTheName", "readme.txt,extra", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt",
       true},
      {"QuotesStay", "\"readme.txt\"", "D:\\access\\A\\readme.txt", "D:\\access\\A\\\"readme.txt\"", false},
      {"AnyDirMarksPathAsWritten", "{ANY_DIR}C:\\x\\y.txt", "C:\\x\\y.txt", "C:\\x\\y.txt", true},
      {"EmptyRunNamesTheFolder", "", "", "D:\\access\\A\\", false},
      {"LeadingBlanksGone", "  readme.txt", "D:\\access\\A\\readme.txt", "D:\\access\\A\\readme.txt", true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Reset();
    OneCapsule(std::string("MoreInfoTitle=Read me\nMoreInfoRun=") + r.run + "\n");
    if (*r.existing) m.fake.AddFile(r.existing, "x");
    Open();
    Pick("Alpha");
    EXPECT_EQ(dlg->m_sMoreInfoPath, r.path);
    EXPECT_EQ(view.moreInfoShown, r.shown);
    EXPECT_EQ(dlg->m_sMoreInfoTitle, "Read me");
    if (r.shown) {
      EXPECT_EQ(view.moreInfoItems, Texts{"Read me"});
    }
  }
}

TEST_F(SelectionTest, EmptyMoreInfoTitleShowsEmptyItemAtSelectionAndTimerHidesIt) {
  OneCapsule("MoreInfoRun=readme.txt\n");
  m.fake.AddFile("D:\\access\\A\\readme.txt", "x");
  Open();
  Pick("Alpha");
  EXPECT_EQ(view.moreInfoShown, true);
  EXPECT_EQ(view.moreInfoItems, Texts{""});
  view.timers.insert(kTimerMoreInfo);
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_TRUE(view.timers.count(kTimerMoreInfo));  // keeps running
}

TEST_F(SelectionTest, RefreshRemovesQuotesExpandsEnvironmentAndStopsTimer) {
  OneCapsule("MoreInfoTitle=Docs\nMoreInfoRun=\"%DOCNAME%\"\n");
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
  EXPECT_EQ(view.moreInfoItems, Texts{"Docs"});
  EXPECT_FALSE(view.timers.count(kTimerMoreInfo));
  // m_sMoreInfoPath is the selection's, not the refresh's.
  EXPECT_EQ(dlg->m_sMoreInfoPath, "D:\\access\\A\\\"%DOCNAME%\"");
  // After the link was used the refresh stops the timer but keeps it hidden.
  dlg->m_bShowMoreInfo = false;
  view.moreInfoShown = false;
  view.timers.insert(kTimerMoreInfo);
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, false);
  EXPECT_FALSE(view.timers.count(kTimerMoreInfo));
}

TEST_F(SelectionTest, RefreshWithEnvironmentFailureKeepsText) {
  OneCapsule("MoreInfoTitle=Docs\nMoreInfoRun=read me.txt  \n");
  m.fake.AddFile("D:\\access\\A\\read me.txt", "x");
  m.fake.failEnvironmentExpansion = true;
  Open();
  Pick("Alpha");
  dlg->RefreshMoreInfoLink();
  EXPECT_EQ(view.moreInfoShown, true);
}

TEST_F(SelectionTest, UnmatchedTextOrNoItemNeverReadsPastTheLists) {
  OneCapsule("Note=n\nTip=t\nButton1=B1\nMoreInfoTitle=M\nMoreInfoRun=r.txt\n", "Message=General\n");
  m.fake.AddFile("D:\\access\\A\\r.txt", "x");
  Open();
  Pick("Alpha");
  m.fake.sounds.clear();
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
  view.selected = -1;
  dlg->OnSelChangedCapsule();
  EXPECT_FALSE(dlg->HasSelection());
  EXPECT_EQ(dlg->m_hSelItem, 0u);
}

TEST_F(SelectionTest, EmptyTreeSelectionIsHarmless) {
  m.Main("[Packages]\n");
  Open();
  dlg->OnSelChangedCapsule();
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_FALSE(dlg->HasSelection());
}

TEST_F(SelectionTest, ReReadingTheMainFileKeepsTheStoreTheSameSizeAndSeesNewText) {
  m.Main("[TuneUp]\nMessage=Old\n[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  const auto packages = dlg->m_config.m_saPackages.size();
  const auto titles = dlg->m_config.m_saTitle.size();
  for (int i = 0; i < 500; ++i) Pick(i % 2 ? "Alpha" : "Beta");
  EXPECT_EQ(dlg->m_config.m_saPackages.size(), packages);
  EXPECT_EQ(dlg->m_config.m_saTitle.size(), titles);
  EXPECT_EQ(dlg->m_nLastCapsule, 1);
  m.Main("[TuneUp]\nMessage=New\n[Packages]\nA\nB\n");
  Pick("Alpha");
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "New");
}

TEST_F(SelectionTest, DiskGoneAtSelectionPromptsWithWindowTitleNoDefault) {
  OneCapsule("Note=n\n", "WindowTitle=Disk Title\n");
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg", "[TuneUp]\nWindowTitle=\n");
  Open();
  m.fake.RemovePath(DiskMachine::kMainFile);
  m.fake.answers = {plat::kIdOk, plat::kIdCancel};
  Pick("Alpha");
  // The program folder's empty WindowTitle as the caption, no default.
  EXPECT_EQ(Boxes(m.fake.boxes), "|" + std::string(kPrompt) + "|0x11\n|" + kPrompt + "|0x11\n");
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  EXPECT_EQ(view.note, "n");  // the rest of the handler still runs
}

TEST_F(SelectionTest, NoteVersusMessageOnMouseMoves) {
  OneCapsule("Note=Alpha note\n", "Message=General text\n");
  Open();
  view.notes.clear();
  dlg->OnMouseMove();  // before any selection nothing changes
  EXPECT_EQ(view.tipActive, false);
  Pick("Alpha");
  dlg->OnMouseMove();
  EXPECT_TRUE(dlg->m_bMessageShown);
  dlg->OnMouseMove();  // shown once until the note comes back
  dlg->OnSetFocusCapsule();
  EXPECT_FALSE(dlg->m_bMessageShown);
  dlg->OnMouseMove();
  EXPECT_EQ(view.notes, (Texts{"Alpha note", "General text", "Alpha note", "General text"}));
}

TEST_F(SelectionTest, EmptyMessageLeavesNoteButCountsAsShown) {
  OneCapsule("Note=Alpha note\n");
  Open();
  Pick("Alpha");
  dlg->OnMouseMove();
  EXPECT_EQ(view.note, "Alpha note");
  EXPECT_TRUE(dlg->m_bMessageShown);
}

TEST_F(SelectionTest, TreeFocusArmsAndColoursTheLink) {
  OneCapsule("MoreInfoTitle=Docs\nMoreInfoRun=r.txt\n");
  Open();
  dlg->OnSetFocusCapsule();  // before a selection: empty item, hidden
  EXPECT_TRUE(dlg->m_bMoreInfoArmed);
  EXPECT_EQ(view.moreInfoTextColor, MakeRgb(0, 0, 255));
  EXPECT_EQ(view.moreInfoItems, Texts{""});
  EXPECT_EQ(view.moreInfoShown, false);
  Pick("Alpha");
  m.fake.AddFile("D:\\access\\A\\r.txt", "x");
  dlg->m_bShowMoreInfo = false;  // not consulted on focus
  dlg->OnSetFocusCapsule();
  EXPECT_EQ(view.moreInfoItems, Texts{"Docs"});
  EXPECT_EQ(view.moreInfoShown, true);
}

TEST_F(SelectionTest, LinkRefusesFocusUnlessUsable) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nMoreInfoTitle=Docs\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  Open();
  view.focusMoves.clear();
  dlg->OnSetFocusMoreInfo();  // nothing selected: forward to Install,
  view.shiftDown = true;
  dlg->OnSetFocusMoreInfo();  // backward (Shift) to the tree
  view.shiftDown = false;
  Pick("Alpha");
  dlg->OnSetFocusMoreInfo();  // not armed yet
  dlg->OnSetFocusCapsule();
  dlg->OnSetFocusMoreInfo();  // usable: keeps the focus
  Pick("Beta");               // empty MoreInfoTitle
  dlg->OnSetFocusMoreInfo();
  EXPECT_EQ(view.focusMoves, (std::vector<int>{kIdInstall, kIdCapsuleList, kIdInstall, kIdInstall}));
}

TEST(DescriptionFilter, DoubleClickNeutralisedOthersPass) {
  DiskMachine m;
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  for (unsigned in : {0x0203u, 0x0201u, 0x0202u, 0x0200u, 0x0204u, 0x0206u}) {
    unsigned msg = in;
    EXPECT_EQ(dlg.OnMsgFilterDescription(msg), 0);
    EXPECT_EQ(msg, in == 0x0203u ? 0u : in);
  }
}

TEST_F(SelectionTest, DescriptionIsStreamedUnchangedAfterTheCallbackAndAnUnreadableOneLeavesThePane) {
  m.Main("[Packages]\nA\nB\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\nToken1=X\n");
  m.Capsule("B", "[TuneUp]\nTitle=Beta\n");
  const std::string rtf = std::string("{\\rtf1 {TOKEN1} {WIN_DIR}\0 binary}", 33);
  m.CapsuleFile("A", ".rtf", rtf);
  m.CapsuleFile("B", ".rtf", "{\\rtf1 x}");
  m.fake.LockFile("D:\\access\\B\\B.rtf");
  Open();
  Pick("Beta");
  EXPECT_TRUE(view.rtfStreamed.empty());
  EXPECT_EQ(view.pictureHides, 1);  // the picture goes once the file exists, readable or not
  Pick("Alpha");
  EXPECT_EQ(view.rtfStreamed, Texts{rtf});
  auto pos = [&](const std::string& what) {
    return std::find(view.log.begin(), view.log.end(), what) - view.log.begin();
  };
  EXPECT_LT(pos("InstallDescriptionOleCallback"), pos("StreamDescriptionRtf"));
}

TEST_F(SelectionTest, DoubleClickInstallsEvenWhenInstallIsGreyed) {
  OneCapsule("Disabled=1\nRun=setup.exe\n");
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
