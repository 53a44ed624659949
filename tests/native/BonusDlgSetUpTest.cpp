// The main dialog's construction and initialisation.
#include <gtest/gtest.h>

#include "browser/BonusDlg.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

constexpr const char* kPrompt = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";

class SetUpTest : public ::testing::Test {
 protected:
  DiskMachine m;
  FakeBonusDlgView view;

  // Three capsules A, B\C and D with titles "Alpha", "Beta", "Delta".
  void ThreeCapsules(const std::string& tuneUp = {}) {
    m.Main("[TuneUp]\nWindowTitle=Bonus Programs\nWelcomeTitle=Hello\nWelcomeText=Pick one\n" + tuneUp +
           "[Packages]\nA\nB\\C\nD\n");
    m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
    m.Capsule("B\\C", "[TuneUp]\nTitle=Beta\n");
    m.Capsule("D", "[TuneUp]\nTitle=Delta\n");
  }
};

TEST_F(SetUpTest, FillsTreeInPackagesOrderWithIndicesAsImages) {
  ThreeCapsules();
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnInitDialog());
  ASSERT_EQ(view.items.size(), 3u);
  EXPECT_EQ(view.ItemTexts(), (std::vector<std::string>{"Alpha", "Beta", "Delta"}));
  EXPECT_EQ(view.items[1].image, 1);
  EXPECT_EQ(dlg.m_nLastCapsule, 2);
  EXPECT_EQ(dlg.m_nCapsule, 3);  // nothing selected
  EXPECT_FALSE(dlg.HasSelection());
  EXPECT_EQ(view.caption, "Bonus Programs");
  EXPECT_EQ(view.title, "Hello");
  EXPECT_EQ(view.intro, "Pick one");
  EXPECT_TRUE(view.imageListAttached);
  EXPECT_TRUE(view.toolTipCreated);
  EXPECT_TRUE(view.mouseEvents);
  EXPECT_EQ(view.backgrounds[kIdNote], kGrey);
  EXPECT_EQ(view.backgrounds[kIdDiskSpace], kGrey);
  EXPECT_EQ(view.moreInfoColors, std::make_pair(kGrey, kGrey));
  EXPECT_EQ(view.capsuleTextColor, MakeRgb(170, 0, 17));
  EXPECT_TRUE(dlg.m_bShowMoreInfo);
  EXPECT_TRUE(dlg.m_bPictureShown);
  EXPECT_FALSE(dlg.m_bMoreInfoArmed);
  EXPECT_TRUE(dlg.m_bMessageShown);
  EXPECT_TRUE(view.endResults.empty());
  EXPECT_EQ(dlg.m_sSrcDir, "D:\\access");
  EXPECT_EQ(dlg.m_sWinDir, "C:\\WINDOWS");
  EXPECT_EQ(dlg.m_sRunDir, "C:\\Program Files\\Velmora");
  EXPECT_EQ(dlg.m_sConfigFile, DiskMachine::kMainFile);
  // Timer 200 is the last thing set-up starts, with 100 ms.
  ASSERT_FALSE(view.timersStarted.empty());
  EXPECT_EQ(view.timersStarted.back(), std::make_pair(kTimerFirstRun, 100u));
  EXPECT_EQ(view.log.back(), "SetTimer:200");
  // All capsule files are read before the image list is attached.
  auto pos = [&](const std::string& what) {
    return std::find(view.log.begin(), view.log.end(), what) - view.log.begin();
  };
  EXPECT_LT(pos("InsertCapsuleItem:Delta"), pos("AttachCapsuleImageList"));
  EXPECT_LT(pos("SetDiskSpaceText"), pos("SetCaption:Bonus Programs"));
}

TEST_F(SetUpTest, PadsEveryPerCapsuleListToTheLastCapsule) {
  ThreeCapsules();
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  const CBonusConfig& c = dlg.m_config;
  for (const CStringArray* list :
       {&c.m_saTitle, &c.m_saDescription, &c.m_saDisclaimer, &c.m_saNote, &c.m_saTip, &c.m_saRun,
        &c.m_saMoreInfoTitle, &c.m_saMoreInfoRun, &c.m_saVersion, &c.m_saRegistry, &c.m_saPromptType,
        &c.m_saAskMsg, &c.m_saFile, &c.m_saFileExcluded, &c.m_saCapToken1, &c.m_saCapToken5,
        &c.m_saCapToken10, &c.m_saCapButton1, &c.m_saCapButton2, &c.m_saCapButton1Disabled}) {
    EXPECT_EQ(list->size(), 3u);
  }
}

TEST_F(SetUpTest, PadCapsuleListsNeverShrinksAndIgnoresNegative) {
  ThreeCapsules();
  CBonusDlg dlg(m.fake, view);
  dlg.m_config.m_saTitle = {"a", "b", "c", "d"};
  dlg.PadCapsuleLists(1);
  EXPECT_EQ(dlg.m_config.m_saTitle.size(), 4u);
  EXPECT_EQ(dlg.m_config.m_saNote.size(), 2u);
  dlg.PadCapsuleLists(-1);
  EXPECT_EQ(dlg.m_config.m_saNote.size(), 2u);
}

struct SizeCase {
  const char* line;  // [TuneUp] lines
  int iconSize;
  int itemHeight;
};

class IconSizeTest : public SetUpTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(IconSizeTest, HeightAndDistanceWithDefaults) {
  ThreeCapsules(GetParam().line);
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  EXPECT_EQ(view.imageListCx, GetParam().iconSize);
  EXPECT_EQ(view.imageListCy, GetParam().iconSize);
  ASSERT_TRUE(view.itemHeight.has_value());
  EXPECT_EQ(*view.itemHeight, GetParam().itemHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IconSizeTest,
    ::testing::Values(SizeCase{"", 42, 16}, SizeCase{"Height=0\nDistance=0\n", 42, 16},
                      SizeCase{"Height=\nDistance=\n", 42, 16}, SizeCase{"Height=abc\nDistance=x9\n", 42, 16},
                      SizeCase{"Height=   32\nDistance=20\n", 32, 20}, SizeCase{"Height=24px\n", 24, 16},
                      // A negative size is no size an image list can have.
                      SizeCase{"Height=-8\n", 42, 16},
                      // Only the low 16 bits of Distance count.
                      SizeCase{"Distance=65556\n", 42, 20}));

TEST_F(SetUpTest, EmptyPackagesGivesEmptyTreeAndReadsNoCapsuleFile) {
  m.Main("[TuneUp]\nWindowTitle=T\n[Packages]\n");
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnInitDialog());
  EXPECT_TRUE(view.items.empty());
  EXPECT_EQ(dlg.m_nLastCapsule, -1);
  EXPECT_EQ(dlg.m_nCapsule, 0);
  EXPECT_FALSE(dlg.HasSelection());
  EXPECT_TRUE(m.fake.boxes.empty());
  EXPECT_EQ(view.timersStarted.back().first, kTimerFirstRun);
}

TEST_F(SetUpTest, EmptyTitleHasNoItemButKeepsItsIndex) {
  m.Main("[Packages]\nA\nB\nC\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("B", "[TuneUp]\nTitle=\n");
  m.Capsule("C", "[TuneUp]\nTitle=Gamma\n");
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  ASSERT_EQ(view.items.size(), 2u);
  EXPECT_EQ(view.items[1].text, "Gamma");
  EXPECT_EQ(view.items[1].image, 2);
}

TEST_F(SetUpTest, CapsuleWithoutIconShiftsLaterIcons) {
  ThreeCapsules();
  m.CapsuleFile("A", ".ico");
  m.CapsuleFile("D", ".ico");
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  // Two icons for three capsules: image 1 (Beta) shows Delta's icon.
  ASSERT_EQ(view.icons.size(), 2u);
  EXPECT_EQ(view.icons[1], m.fake.iconsExtracted.at(plat::FakePlatform::Fold("D:\\access\\D\\D.ico")));
  EXPECT_EQ(view.items[1].image, 1);
}

TEST_F(SetUpTest, MissingCapsuleFileEndsTheDialogAtOnce) {
  m.Main("[TuneUp]\nWindowTitle=Bonus Programs\n[Packages]\nA\nB\nC\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("C", "[TuneUp]\nTitle=Gamma\n");
  CBonusDlg dlg(m.fake, view);
  EXPECT_FALSE(dlg.OnInitDialog());
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  ASSERT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(m.fake.boxes[0].text, "Error: D:\\access\\B\\B.cfg doesn't exist.");
  EXPECT_EQ(m.fake.boxes[0].caption, "Bonus Programs");
  EXPECT_EQ(m.fake.boxes[0].type, plat::kMbOk | plat::kMbIconStop);
  EXPECT_EQ(m.fake.boxes[0].owner, 0u);
  EXPECT_EQ(view.ItemTexts(), std::vector<std::string>{"Alpha"});
  // Nothing after the loop: no image list attached, no tooltip, font, sound or timer.
  EXPECT_FALSE(view.imageListAttached);
  EXPECT_FALSE(view.toolTipCreated);
  EXPECT_FALSE(view.titleFont.has_value());
  EXPECT_TRUE(view.timersStarted.empty());
  EXPECT_TRUE(m.fake.sounds.empty());
}

TEST_F(SetUpTest, MissingCapsuleFileCaptionDefaultsWithoutWindowTitle) {
  m.Main("[Packages]\nA\n");
  CBonusDlg dlg(m.fake, view);
  EXPECT_FALSE(dlg.OnInitDialog());
  ASSERT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(m.fake.boxes[0].caption, "Velmora Bonus Software Installer");
}

TEST_F(SetUpTest, EmptyWindowTitleLeavesCaptionUnset) {
  m.Main("[Packages]\n");
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  EXPECT_FALSE(view.captionSet);
  EXPECT_TRUE(view.titleSet);
  EXPECT_EQ(view.title, "");  // an empty value empties the control
  EXPECT_TRUE(view.introSet);
}

// ---- the insert-disk loop ---------------------------------------------------

TEST_F(SetUpTest, DiskMissingPromptsUntilCancelAndUsesProgramFolderCaption) {
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg", "[TuneUp]\nWindowTitle=Local Copy\n[Packages]\n");
  m.fake.answers = {plat::kIdOk, plat::kIdCancel};
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnInitDialog());
  ASSERT_EQ(m.fake.boxes.size(), 2u);
  for (const auto& box : m.fake.boxes) {
    EXPECT_EQ(box.text, kPrompt);
    EXPECT_EQ(box.caption, "Local Copy");
    EXPECT_EQ(box.type, 0x11u);
    EXPECT_EQ(box.owner, 0u);
  }
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  // Set-up goes on with the program folder's configuration.
  EXPECT_EQ(view.timersStarted.back().first, kTimerFirstRun);
  EXPECT_FALSE(view.captionSet);
}

TEST_F(SetUpTest, DiskPromptCaptionDefaultsWhenProgramFolderCopyHasNoTitle) {
  m.fake.answers = {plat::kIdCancel};
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  ASSERT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(m.fake.boxes[0].caption, "Velmora Bonus Software Installer");
}

TEST_F(SetUpTest, DiskInsertedAfterPromptIsReadAndSetsCaption) {
  m.fake.answers = {plat::kIdOk};
  bool inserted = false;
  // The medium arrives while the prompt is being prepared (the program
  // folder's copy is read just before the box).
  m.fake.onRead = [&](const std::string& path) {
    if (!inserted && path.find("Program Files") != std::string::npos) {
      inserted = true;
      m.Main("[TuneUp]\nWindowTitle=From Disk\n[Packages]\n");
    }
  };
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(view.caption, "From Disk");
  EXPECT_TRUE(view.endResults.empty());
  EXPECT_EQ(dlg.m_sConfigFile, DiskMachine::kMainFile);
}

// ---- StartUp shortcut -------------------------------------------------------

TEST_F(SetUpTest, WritesStartupShortcutAndEveryCloseDeletesIt) {
  ThreeCapsules();
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  ASSERT_TRUE(m.fake.HasFile(DiskMachine::kLink));
  const auto& link = m.fake.shellLinks.at(plat::FakePlatform::Fold(DiskMachine::kLink));
  EXPECT_EQ(link.target, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link.workingDir, "C:\\Program Files\\Velmora");
  EXPECT_EQ(link.iconPath, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.showCommand, 1);
  EXPECT_EQ(link.arguments, "");
  EXPECT_STREQ(dlg.m_config.m_szLinkPath, DiskMachine::kLink);

  dlg.OnCancel();
  EXPECT_FALSE(m.fake.HasFile(DiskMachine::kLink));
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  dlg.OnDestroy();  // a missing file is no error
  EXPECT_TRUE(m.fake.boxes.empty());
}

TEST_F(SetUpTest, WindowDestructionDeletesShortcutAfterEarlyEnd) {
  m.Main("[Packages]\nA\n");
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();  // missing A.cfg ends the dialog
  EXPECT_TRUE(m.fake.HasFile(DiskMachine::kLink));
  dlg.OnDestroy();
  EXPECT_FALSE(m.fake.HasFile(DiskMachine::kLink));
}

TEST_F(SetUpTest, ShortcutPathTooLongForBufferIsNotWritten) {
  m.fake.windowsDir = "C:\\" + std::string(230, 'w');
  m.fake.AddFolder(m.fake.windowsDir + "\\Start Menu\\Programs\\StartUp");
  ThreeCapsules();
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  EXPECT_TRUE(m.fake.shellLinks.empty());
  EXPECT_STREQ(dlg.m_config.m_szLinkPath, "");
  dlg.OnCancel();
}

// ---- icons, font, logo ------------------------------------------------------

TEST_F(SetUpTest, WindowIconFromProgramNamedIconBesideConfigElseResource) {
  ThreeCapsules();
  {
    CBonusDlg dlg(m.fake, view);
    EXPECT_EQ(dlg.m_hIcon, m.fake.ProgramIconHandle(126));
  }
  m.fake.AddFile("D:\\access\\VERavevi.ico", "icon");
  CBonusDlg dlg(m.fake, view);
  EXPECT_EQ(dlg.m_hIcon, m.fake.iconsExtracted.at(plat::FakePlatform::Fold("D:\\access\\VERavevi.ico")));
  dlg.OnInitDialog();
  EXPECT_EQ(view.windowIcon, dlg.m_hIcon);
  EXPECT_EQ(view.logo, dlg.m_hIcon);
  EXPECT_EQ(dlg.OnQueryDragIcon(), dlg.m_hIcon);
}

TEST_F(SetUpTest, LogoTwoIcoReplacesWindowIcon) {
  ThreeCapsules();
  m.fake.AddFile("D:\\access\\2.ico", "icon");
  CBonusDlg dlg(m.fake, view);
  const plat::IconHandle before = dlg.m_hIcon;
  dlg.OnInitDialog();
  EXPECT_EQ(view.windowIcon, before);  // set as window icon in step 1
  const plat::IconHandle logo = m.fake.iconsExtracted.at(plat::FakePlatform::Fold("D:\\access\\2.ico"));
  EXPECT_EQ(dlg.m_hIcon, logo);
  EXPECT_EQ(view.logo, logo);
  EXPECT_EQ(dlg.OnQueryDragIcon(), logo);
}

TEST_F(SetUpTest, TitleFontIsBoldArialOneAndAHalfTimesCreatedOnce) {
  ThreeCapsules();
  view.dialogFontHeight = -11;
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  ASSERT_TRUE(view.titleFont.has_value());
  EXPECT_EQ(view.titleFont->height, -16);  // -16.5 truncated toward zero
  EXPECT_EQ(view.titleFont->weight, 700);
  EXPECT_EQ(view.titleFont->outPrecision, 4);
  EXPECT_EQ(view.titleFont->quality, 2);
  EXPECT_EQ(view.titleFont->faceName, "Arial");
  EXPECT_EQ(view.titleFontSet, dlg.m_fontTitle);
  dlg.OnInitDialog();
  EXPECT_EQ(view.titleFontsCreated, 1);
}

// ---- disk space ---------------------------------------------------------------

TEST_F(SetUpTest, DiskSpaceTextListsFixedDrivesOnly) {
  ThreeCapsules();
  m.fake.drives.push_back({"E:\\", plat::kDriveFixed, true, 1ull << 30, 512});
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  EXPECT_EQ(view.diskSpace, "C: 5.00 GB\nE: 0 bytes\n");
  EXPECT_EQ(dlg.m_sDiskSpace, view.diskSpace);
}

// ---- other handlers ---------------------------------------------------------

TEST(BonusDlgHandlers, SysCommandSwallowsOnlyMaskedSixteen) {
  DiskMachine m;
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnSysCommand(0x0010));
  EXPECT_TRUE(dlg.OnSysCommand(0x001F));
  EXPECT_FALSE(dlg.OnSysCommand(0xF060));  // SC_CLOSE
  EXPECT_FALSE(dlg.OnSysCommand(0xF020));  // SC_MINIMIZE
}

TEST(BonusDlgHandlers, MinimizedIconIsCentred) {
  int x = 0, y = 0;
  CBonusDlg::IconPosition(160, 31, 32, 32, x, y);
  EXPECT_EQ(x, 64);
  EXPECT_EQ(y, 0);
  CBonusDlg::IconPosition(100, 100, 32, 32, x, y);
  EXPECT_EQ(x, 34);
  EXPECT_EQ(y, 34);
}

TEST(BonusDlgHandlers, PlaceholderTimerStopsTimer200) {
  DiskMachine m;
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  view.timers.insert(kTimerFirstRun);
  dlg.OnTimer(kTimerFirstRun);
  EXPECT_EQ(view.timersKilled, std::vector<unsigned>{kTimerFirstRun});
}

}  // namespace
}  // namespace bonus::testing
