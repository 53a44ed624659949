// The main dialog's construction, initialisation, opening sound and closing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/native/DialogTestSupport.h"

namespace browser::testing {
namespace {

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
};

TEST_F(SetUpTest, Transcript) {
  ThreeCapsules();
  // Two icons for three capsules: image 1 (Beta) shows Delta's icon.
  m.Capsule("A", "x", ".ico");
  m.Capsule("D", "x", ".ico");
  m.fake.AddFile("D:\\access\\2.ico", "icon");
  Open();
  EXPECT_EQ(view.Transcript(),
            "SetWindowIcon 65662\nAddDescriptionMouseEvents\nSetRichEditBackground 1003 C0C0C0\n"
            "SetRichEditBackground 1008 C0C0C0\nSetDiskSpaceText C: 5.00 GB\\n\nSetCaption Bonus Programs\n"
            "SetMoreInfoColors C0C0C0 C0C0C0\nCreateCapsuleImageList 42 42\nSetCapsuleItemHeight 16\n"
            "SetCapsuleTextColor 1100AA\nInsertCapsuleItem 0 Alpha\nAppendCapsuleIcon 256\n"
            "InsertCapsuleItem 1 Beta\nInsertCapsuleItem 2 Delta\nAppendCapsuleIcon 257\n"
            "AttachCapsuleImageList\nCreateToolTip\nCreateTitleFont -16 700 4 2 Arial\nSetTitleFont 1\n"
            "SetTitleText Hello\nSetIntroText Pick one\nSetLogoIcon 258\n"
            "SetTimer 200 100\n");
  EXPECT_EQ(dlg->m_nLastCapsule, 2);
  EXPECT_EQ(dlg->OnQueryDragIcon(), 258u);
  // Padding never shrinks and ignores a negative index.
  dlg->m_config.m_saTitle.push_back("d");
  dlg->PadCapsuleLists(1);
  dlg->PadCapsuleLists(-1);
  EXPECT_EQ(dlg->m_config.m_saTitle.size(), 4u);
  // The title font is created once.
  dlg->OnInitDialog();
  EXPECT_EQ(view.Transcript().find("CreateTitleFont"), std::string::npos);
}

TEST_F(SetUpTest, IconSizeItemHeightWindowIconAndDiskSpace) {
  struct Row {
    const char* lines;  // [TuneUp] lines
    const char* sizes;  // what set-up gives the tree
  };
  const Row rows[] = {
      {"Height=0\nDistance=0\n", "CreateCapsuleImageList 42 42\nSetCapsuleItemHeight 16\n"},
      {"Height=   32\nDistance=20\n", "CreateCapsuleImageList 32 32\nSetCapsuleItemHeight 20\n"},
      {"Height=24px\nDistance=-3\n", "CreateCapsuleImageList 24 24\nSetCapsuleItemHeight -3\n"},
      // A negative size is no size an image list can have.
      {"Height=-8\n", "CreateCapsuleImageList 42 42\nSetCapsuleItemHeight 16\n"},
      {"Height=1\n", "CreateCapsuleImageList 1 1\nSetCapsuleItemHeight 16\n"},
      // Only the low 16 bits of Distance count.
      {"Distance=65556\n", "CreateCapsuleImageList 42 42\nSetCapsuleItemHeight 20\n"},
      {"Distance=65536\n", "CreateCapsuleImageList 42 42\nSetCapsuleItemHeight 16\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lines);
    Reset();
    ThreeCapsules(r.lines);
    Open();
    EXPECT_NE(view.Transcript().find(r.sizes), std::string::npos);
  }
  // The program-named icon beside the main file is the window icon and the
  // logo; a fixed drive lists its free space.
  Reset();
  ThreeCapsules();
  m.fake.AddFile("D:\\access\\VERavevi.ico", "icon");
  m.fake.drives.push_back({"E:\\", plat::kDriveFixed, true, 1ull << 30, 512});
  Open();
  const std::string t = view.Transcript();
  EXPECT_EQ(t.substr(0, 18), "SetWindowIcon 256\n");
  EXPECT_NE(t.find("SetDiskSpaceText C: 5.00 GB\\nE: 0 bytes\\n\n"), std::string::npos);
  EXPECT_NE(t.find("SetLogoIcon 256\n"), std::string::npos);
}

TEST_F(SetUpTest, EmptyPackagesAndEmptyTitles) {
  m.Main("[Packages]\n");
  Open();
  EXPECT_FALSE(dlg->HasSelection());
  const std::string t = view.Transcript();
  EXPECT_EQ(t.find("SetCaption"), std::string::npos);
  EXPECT_NE(t.find("SetTitleText \nSetIntroText \n"),
            std::string::npos);  // an empty value empties the control
  EXPECT_TRUE(m.fake.boxes.empty());

  // An empty capsule Title has no item but keeps its index.
  Reset();
  m.Main("[Packages]\nA\nB\nC\n");
  m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
  m.Capsule("B", "[TuneUp]\nTitle=\n");
  m.Capsule("C", "[TuneUp]\nTitle=Gamma\n");
  Open();
  EXPECT_NE(view.Transcript().find("InsertCapsuleItem 0 Alpha\nInsertCapsuleItem 2 Gamma\nAttach"),
            std::string::npos);
}

TEST_F(SetUpTest, DiskPrompt) {
  // The prompt ends the dialog, which goes on with the program folder's
  // configuration without setting a caption.
  m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.cfg",
                 "[TuneUp]\nWindowTitle=Local Copy\n[Packages]\n");
  m.fake.answers = {plat::kIdCancel};
  EXPECT_TRUE(Init());
  std::string t = view.Transcript();
  EXPECT_NE(t.find("EndDialog 0\nSetMoreInfoColors"), std::string::npos);
  EXPECT_EQ(t.substr(t.size() - 17), "SetTimer 200 100\n");

  // The medium arrives while the prompt is being prepared (the program
  // folder's copy is read just before the box): read, caption set.
  Reset();
  m.fake.answers = {plat::kIdOk};
  bool inserted = false;
  m.fake.onRead = [&](const std::string& path) {
    if (!inserted && path.find("Program Files") != std::string::npos) {
      inserted = true;
      m.Main("[TuneUp]\nWindowTitle=From Disk\n[Packages]\n");
    }
  };
  EXPECT_TRUE(Init());
  EXPECT_EQ(m.fake.boxes.size(), 1u);
  t = view.Transcript();
  EXPECT_NE(t.find("SetCaption From Disk\n"), std::string::npos);
  EXPECT_EQ(t.find("EndDialog"), std::string::npos);
}

TEST_F(SetUpTest, WritesStartupShortcutAndEveryCloseDeletesIt) {
  ThreeCapsules();
  Open();
  const auto& link = m.fake.shellLinks.at(plat::FakePlatform::Fold(DiskMachine::kLink));
  EXPECT_EQ(link.target + "|" + link.workingDir + "|" + link.iconPath + "|" + std::to_string(link.iconIndex) +
                "|" + std::to_string(link.showCommand) + "|" + link.arguments,
            "C:\\Program Files\\Velmora\\VERavevi.exe|C:\\Program Files\\Velmora|"
            "C:\\Program Files\\Velmora\\VERavevi.exe|0|1|");
  view.Transcript();
  dlg->OnCancel();
  EXPECT_FALSE(m.fake.HasFile(DiskMachine::kLink));
  EXPECT_EQ(view.Transcript(), "EndDialog 0\n");

  // A path too long for the link buffer is not written.
  Reset();
  m.fake.windowsDir = "C:\\" + std::string(230, 'w');
  m.fake.AddFolder(m.fake.windowsDir + "\\Start Menu\\Programs\\StartUp");
  ThreeCapsules();
  Open();
  EXPECT_TRUE(m.fake.shellLinks.empty());
  dlg->OnCancel();
}

TEST_F(SetUpTest, OpeningSoundIsTheFirstExistingCandidateAndPlaysEvenAfterAnException) {
  constexpr const char* kFirst = "C:\\Program Files\\Velmora\\..\\media\\VERavevi.wav";
  constexpr const char* kSecond = "C:\\Program Files\\Velmora\\VERavevi.wav";
  constexpr const char* kThird = "D:\\media\\VERavevi.wav";
  // The files present, and the one played.
  const std::pair<std::vector<const char*>, const char*> rows[] = {
      {{}, ""},
      {{kThird}, kThird},
      {{kSecond, kThird}, kSecond},
      {{kFirst, kSecond}, kFirst},
      {{"C:\\Program Files\\media\\VERavevi.wav"}, kFirst}};  // the media folder beside the program's
  for (const auto& [existing, played] : rows) {
    SCOPED_TRACE(played);
    Reset();
    m.Main("[Packages]\n");
    for (const char* f : existing) m.fake.AddFile(f, "RIFF");
    Open();
    std::string got;
    for (const auto& s : m.fake.sounds) got += s.path + " " + std::to_string(s.flags);
    EXPECT_EQ(got, *played ? std::string(played) + " 131075" : "");
  }
  Reset();
  m.Main("[TuneUp]\nWindowTitle=W\n[Packages]\n");
  m.fake.AddFile(kSecond, "RIFF");
  struct ThrowingView : CRecordingView {
    void SetTitleText(const std::string&) override { throw std::runtime_error("title failed"); }
  } throwing;
  CBonusDlg failing(m.fake, throwing);
  EXPECT_TRUE(failing.OnInitDialog());
  EXPECT_EQ(Boxes(m.fake.boxes), "W|title failed|0x10\n");
  EXPECT_EQ(m.fake.sounds.size(), 1u);
  EXPECT_EQ(throwing.timers, std::set<unsigned>{kTimerFirstRun});
}

TEST(BonusDlgHandlers, SysCommandDescriptionFilterAndMinimizedIcon) {
  DiskMachine m;
  CRecordingView view;
  CBonusDlg dlg(m.fake, view);
  EXPECT_EQ(dlg.m_hIcon, m.fake.ProgramIconHandle(126));
  for (unsigned id : {0x0010u, 0x001Fu}) EXPECT_TRUE(dlg.OnSysCommand(id));
  for (unsigned id : {0x0020u, 0xF060u, 0xF020u}) EXPECT_FALSE(dlg.OnSysCommand(id));
  for (unsigned in : {0x0203u, 0x0201u, 0x0202u, 0x0200u, 0x0204u, 0x0206u}) {
    unsigned msg = in;
    EXPECT_EQ(dlg.OnMsgFilterDescription(msg), 0);
    EXPECT_EQ(msg, in == 0x0203u ? 0u : in);
  }
  int x = 0, y = 0;
  CBonusDlg::IconPosition(160, 31, 32, 32, x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(64, 0));
  CBonusDlg::IconPosition(100, 100, 32, 32, x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(34, 34));
}

}  // namespace
}  // namespace browser::testing
