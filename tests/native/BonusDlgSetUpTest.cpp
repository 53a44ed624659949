// The main dialog's construction and initialisation.
#include <gtest/gtest.h>

#include "browser/BonusDlg.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

constexpr const char* kPrompt = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";
constexpr const char* kDefaultCaption = "Velmora Bonus Software Installer";

class SetUpTest : public DialogTest {
 protected:
  // Three capsules A, B\C and D with titles "Alpha", "Beta", "Delta".
  void ThreeCapsules(const std::string& tuneUp = {}) {
    m.Main("[TuneUp]\nWindowTitle=Bonus Programs\nWelcomeTitle=Hello\nWelcomeText=Pick one\n" + tuneUp +
           "[Packages]\nA\nB\\C\nD\n");
    m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
    m.Capsule("B\\C", "[TuneUp]\nTitle=Beta\n");
    m.Capsule("D", "[TuneUp]\nTitle=Delta\n");
  }
  bool Init() {
    dlg = std::make_unique<CBonusDlg>(m.fake, view);
    return dlg->OnInitDialog();
  }
};

TEST_F(SetUpTest, FillsTreeInPackagesOrderWithIndicesAsImages) {
  ThreeCapsules();
  Open();
  EXPECT_EQ(view.ItemTexts(), (std::vector<std::string>{"Alpha", "Beta", "Delta"}));
  EXPECT_EQ(view.items[1].image, 1);
  EXPECT_EQ(dlg->m_nLastCapsule, 2);
  EXPECT_EQ(dlg->m_nCapsule, 3);  // nothing selected
  EXPECT_FALSE(dlg->HasSelection());
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
  EXPECT_TRUE(view.endResults.empty());
  EXPECT_EQ(dlg->m_sConfigFile, DiskMachine::kMainFile);
  // Timer 200 is the last thing set-up starts, with 100 ms.
  EXPECT_EQ(view.timersStarted.back(), std::make_pair(kTimerFirstRun, 100u));
  EXPECT_EQ(view.log.back(), "SetTimer:200");
  // All capsule files are read before the image list is attached.
  auto pos = [&](const std::string& what) {
    return std::find(view.log.begin(), view.log.end(), what) - view.log.begin();
  };
  EXPECT_LT(pos("InsertCapsuleItem:Delta"), pos("AttachCapsuleImageList"));
  EXPECT_LT(pos("SetDiskSpaceText"), pos("SetCaption:Bonus Programs"));

  // Every per-capsule list is padded to the last capsule; padding never
  // shrinks and ignores a negative index.
  const CBonusConfig& c = dlg->m_config;
  for (const CStringArray* list :
       {&c.m_saTitle,      &c.m_saDescription,  &c.m_saDisclaimer,    &c.m_saNote,
        &c.m_saTip,        &c.m_saRun,          &c.m_saMoreInfoTitle, &c.m_saMoreInfoRun,
        &c.m_saVersion,    &c.m_saRegistry,     &c.m_saPromptType,    &c.m_saAskMsg,
        &c.m_saFile,       &c.m_saFileExcluded, &c.m_saCapToken1,     &c.m_saCapToken5,
        &c.m_saCapToken10, &c.m_saCapButton1,   &c.m_saCapButton2,    &c.m_saCapButton1Disabled})
    EXPECT_EQ(list->size(), 3u);
  dlg->m_config.m_saTitle.push_back("d");
  dlg->PadCapsuleLists(1);
  dlg->PadCapsuleLists(-1);
  EXPECT_EQ(dlg->m_config.m_saTitle.size(), 4u);
  EXPECT_EQ(dlg->m_config.m_saNote.size(), 3u);
}

TEST_F(SetUpTest, IconSizeAndItemHeightWithDefaults) {
  struct Row {
    const char* lines;  // [TuneUp] lines
    int iconSize, itemHeight;
  };
  const Row rows[] = {{"", 42, 16},
                      {"Height=0\nDistance=0\n", 42, 16},
                      {"Height=\nDistance=\n", 42, 16},
                      {"Height=abc\nDistance=x9\n", 42, 16},
                      {"Height=   32\nDistance=20\n", 32, 20},
                      {"Height=24px\n", 24, 16},
                      // A negative size is no size an image list can have.
                      {"Height=-8\n", 42, 16},
                      // Only the low 16 bits of Distance count.
                      {"Distance=65556\n", 42, 20}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lines);
    Reset();
    ThreeCapsules(r.lines);
    Open();
    EXPECT_EQ(view.imageListCx, r.iconSize);
    EXPECT_EQ(view.imageListCy, r.iconSize);
    EXPECT_EQ(view.itemHeight, std::optional<std::int16_t>(static_cast<std::int16_t>(r.itemHeight)));
  }
}

TEST_F(SetUpTest, EmptyPackagesGivesEmptyTreeAndEmptyTitlesLeaveNoCaptionNorItem) {
  m.Main("[Packages]\n");
  Open();
  EXPECT_TRUE(view.items.empty());
  EXPECT_EQ(dlg->m_nLastCapsule, -1);
  EXPECT_EQ(dlg->m_nCapsule, 0);
  EXPECT_FALSE(dlg->HasSelection());
  EXPECT_TRUE(m.fake.boxes.empty());
  EXPECT_EQ(view.timersStarted.back().first, kTimerFirstRun);
  EXPECT_FALSE(view.caption);
  EXPECT_EQ(view.title, "");  // an empty value empties the control
  EXPECT_EQ(view.intro, "");

  // An empty capsule Title has no item but keeps its index.
  Reset();
  m.Main("[Packages]\nA\nB\nC\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("B", "[TuneUp]\nTitle=\n");
  m.Capsule("C", "[TuneUp]\nTitle=Gamma\n");
  Open();
  ASSERT_EQ(view.items.size(), 2u);
  EXPECT_EQ(view.items[1].text, "Gamma");
  EXPECT_EQ(view.items[1].image, 2);
}

TEST_F(SetUpTest, CapsuleWithoutIconShiftsLaterIcons) {
  ThreeCapsules();
  m.CapsuleFile("A", ".ico");
  m.CapsuleFile("D", ".ico");
  Open();
  // Two icons for three capsules: image 1 (Beta) shows Delta's icon.
  ASSERT_EQ(view.icons.size(), 2u);
  EXPECT_EQ(view.icons[1], m.fake.iconsExtracted.at(plat::FakePlatform::Fold("D:\\access\\D\\D.ico")));
  EXPECT_EQ(view.items[1].image, 1);
}

TEST_F(SetUpTest, MissingCapsuleFileEndsTheDialogAtOnce) {
  m.Main("[TuneUp]\nWindowTitle=Bonus Programs\n[Packages]\nA\nB\nC\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("C", "[TuneUp]\nTitle=Gamma\n");
  EXPECT_FALSE(Init());
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  EXPECT_EQ(Boxes(m.fake.boxes), "Bonus Programs|Error: D:\\access\\B\\B.cfg doesn't exist.|0x10\n");
  EXPECT_EQ(view.ItemTexts(), std::vector<std::string>{"Alpha"});
  // Nothing after the loop: no image list attached, no tooltip, font or timer.
  EXPECT_FALSE(view.imageListAttached);
  EXPECT_FALSE(view.toolTipCreated);
  EXPECT_FALSE(view.titleFont.has_value());
  EXPECT_TRUE(view.timersStarted.empty());
  // Window destruction still deletes the StartUp shortcut.
  EXPECT_TRUE(m.fake.HasFile(DiskMachine::kLink));
  dlg->OnDestroy();
  EXPECT_FALSE(m.fake.HasFile(DiskMachine::kLink));

  Reset();
  m.Main("[Packages]\nA\n");
  EXPECT_FALSE(Init());
  EXPECT_EQ(Boxes(m.fake.boxes),
            std::string(kDefaultCaption) + "|Error: D:\\access\\A\\A.cfg doesn't exist.|0x10\n");
}

TEST_F(SetUpTest, DiskMissingPromptsUntilCancelWithTheProgramFolderCaption) {
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg",
                 "[TuneUp]\nWindowTitle=Local Copy\n[Packages]\n");
  m.fake.answers = {plat::kIdOk, plat::kIdCancel};
  EXPECT_TRUE(Init());
  EXPECT_EQ(Boxes(m.fake.boxes),
            std::string("Local Copy|") + kPrompt + "|0x11\nLocal Copy|" + kPrompt + "|0x11\n");
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  // Set-up goes on with the program folder's configuration.
  EXPECT_EQ(view.timersStarted.back().first, kTimerFirstRun);
  EXPECT_FALSE(view.caption);

  Reset();  // no title in the program folder's copy either
  m.fake.answers = {plat::kIdCancel};
  Init();
  EXPECT_EQ(Boxes(m.fake.boxes), std::string(kDefaultCaption) + "|" + kPrompt + "|0x11\n");
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
  EXPECT_TRUE(Init());
  EXPECT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(view.caption, "From Disk");
  EXPECT_TRUE(view.endResults.empty());
  EXPECT_EQ(dlg->m_sConfigFile, DiskMachine::kMainFile);
}

TEST_F(SetUpTest, WritesStartupShortcutAndEveryCloseDeletesIt) {
  ThreeCapsules();
  Open();
  ASSERT_TRUE(m.fake.HasFile(DiskMachine::kLink));
  const auto& link = m.fake.shellLinks.at(plat::FakePlatform::Fold(DiskMachine::kLink));
  EXPECT_EQ(link.target, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link.workingDir, "C:\\Program Files\\Velmora");
  EXPECT_EQ(link.iconPath, "C:\\Program Files\\Velmora\\VERavevi.exe");
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.showCommand, 1);
  EXPECT_EQ(link.arguments, "");
  EXPECT_STREQ(dlg->m_config.m_szLinkPath, DiskMachine::kLink);
  dlg->OnCancel();
  EXPECT_FALSE(m.fake.HasFile(DiskMachine::kLink));
  EXPECT_EQ(view.endResults, std::vector<int>{0});
  dlg->OnDestroy();  // a missing file is no error
  EXPECT_TRUE(m.fake.boxes.empty());

  // A path too long for the link buffer is not written.
  Reset();
  m.fake.windowsDir = "C:\\" + std::string(230, 'w');
  m.fake.AddFolder(m.fake.windowsDir + "\\Start Menu\\Programs\\StartUp");
  ThreeCapsules();
  Open();
  EXPECT_TRUE(m.fake.shellLinks.empty());
  EXPECT_STREQ(dlg->m_config.m_szLinkPath, "");
  dlg->OnCancel();
}

TEST_F(SetUpTest, WindowIconFromProgramNamedIconBesideConfigElseResourceAndTwoIcoAsLogo) {
  ThreeCapsules();
  EXPECT_EQ(CBonusDlg(m.fake, view).m_hIcon, m.fake.ProgramIconHandle(126));
  m.fake.AddFile("D:\\access\\VERavevi.ico", "icon");
  Open();
  const plat::IconHandle icon =
      m.fake.iconsExtracted.at(plat::FakePlatform::Fold("D:\\access\\VERavevi.ico"));
  EXPECT_EQ(view.windowIcon, icon);
  EXPECT_EQ(view.logo, icon);
  EXPECT_EQ(dlg->OnQueryDragIcon(), icon);

  m.fake.AddFile("D:\\access\\2.ico", "icon");
  view = FakeBonusDlgView();
  Open();
  EXPECT_EQ(view.windowIcon, icon);  // set as the window icon before the logo is read
  const plat::IconHandle logo = m.fake.iconsExtracted.at(plat::FakePlatform::Fold("D:\\access\\2.ico"));
  EXPECT_EQ(dlg->m_hIcon, logo);
  EXPECT_EQ(view.logo, logo);
  EXPECT_EQ(dlg->OnQueryDragIcon(), logo);
}

TEST_F(SetUpTest, TitleFontIsBoldArialOneAndAHalfTimesCreatedOnce) {
  ThreeCapsules();
  view.dialogFontHeight = -11;
  Open();
  ASSERT_TRUE(view.titleFont.has_value());
  EXPECT_EQ(view.titleFont->height, -16);  // -16.5 truncated toward zero
  EXPECT_EQ(view.titleFont->weight, 700);
  EXPECT_EQ(view.titleFont->outPrecision, 4);
  EXPECT_EQ(view.titleFont->quality, 2);
  EXPECT_EQ(view.titleFont->faceName, "Arial");
  EXPECT_EQ(view.titleFontSet, dlg->m_fontTitle);
  dlg->OnInitDialog();
  EXPECT_EQ(view.titleFontsCreated, 1);
}

TEST_F(SetUpTest, DiskSpaceTextListsFixedDrivesOnly) {
  ThreeCapsules();
  m.fake.drives.push_back({"E:\\", plat::kDriveFixed, true, 1ull << 30, 512});
  Open();
  EXPECT_EQ(view.diskSpace, "C: 5.00 GB\nE: 0 bytes\n");
}

TEST(BonusDlgHandlers, SysCommandSwallowsOnlyMaskedSixteenAndTheMinimizedIconIsCentred) {
  DiskMachine m;
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnSysCommand(0x0010));
  EXPECT_TRUE(dlg.OnSysCommand(0x001F));
  EXPECT_FALSE(dlg.OnSysCommand(0xF060));  // SC_CLOSE
  EXPECT_FALSE(dlg.OnSysCommand(0xF020));  // SC_MINIMIZE
  int x = 0, y = 0;
  CBonusDlg::IconPosition(160, 31, 32, 32, x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(64, 0));
  CBonusDlg::IconPosition(100, 100, 32, 32, x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(34, 34));
}

}  // namespace
}  // namespace bonus::testing
