// The opening and selection sounds of the main dialog.
#include <gtest/gtest.h>

#include "browser/BonusDlg.h"
#include "browser/Sounds.h"
#include "tests/native/FakeBonusDlgView.h"

namespace bonus::testing {
namespace {

constexpr const char* kFirst = "C:\\Program Files\\Velmora\\..\\media\\VERavevi.wav";
constexpr const char* kSecond = "C:\\Program Files\\Velmora\\VERavevi.wav";
constexpr const char* kThird = "D:\\media\\VERavevi.wav";

TEST(Sounds, OpeningCandidatesInOrder) {
  DiskMachine m;
  CBonusConfig config(m.fake);
  config.LocateConfigFile(false);
  EXPECT_EQ(OpeningSoundCandidates(config), (CStringArray{kFirst, kSecond, kThird}));
  config.m_sSourceDir.clear();
  EXPECT_EQ(OpeningSoundCandidates(config)[2], "\\media\\VERavevi.wav");
}

TEST(Sounds, CapsuleSoundIsNamedAfterItsFolder) {
  EXPECT_EQ(CapsuleSoundPath("D:\\access\\Games\\Chess"), "D:\\access\\Games\\Chess\\Chess.wav");
}

struct OpeningCase {
  std::vector<const char*> existing;
  const char* played;  // nullptr: nothing
};
class OpeningSoundTest : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(OpeningSoundTest, FirstExistingCandidateOnly) {
  DiskMachine m;
  m.Main("[Packages]\n");
  for (const char* f : GetParam().existing) m.fake.AddFile(f, "RIFF");
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  dlg.OnInitDialog();
  if (GetParam().played == nullptr) {
    EXPECT_TRUE(m.fake.sounds.empty());
  } else {
    ASSERT_EQ(m.fake.sounds.size(), 1u);
    EXPECT_EQ(m.fake.sounds[0].path, GetParam().played);
    EXPECT_EQ(m.fake.sounds[0].flags, 0x20003u);
  }
}

INSTANTIATE_TEST_SUITE_P(Candidates, OpeningSoundTest,
                         ::testing::Values(OpeningCase{{}, nullptr}, OpeningCase{{kThird}, kThird},
                                           OpeningCase{{kSecond, kThird}, kSecond},
                                           OpeningCase{{kFirst, kSecond}, kFirst},
                                           // The first candidate names the media folder beside the program's.
                                           OpeningCase{{"C:\\Program Files\\media\\VERavevi.wav"}, kFirst}));

TEST(Sounds, OpeningSoundPlaysEvenAfterAnExceptionInSetUp) {
  DiskMachine m;
  m.Main("[TuneUp]\nWindowTitle=W\n[Packages]\n");
  m.fake.AddFile(kSecond, "RIFF");
  struct ThrowingView : FakeBonusDlgView {
    void SetTitleText(const std::string&) override { throw std::runtime_error("title failed"); }
  } view;
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnInitDialog());
  ASSERT_EQ(m.fake.boxes.size(), 1u);
  EXPECT_EQ(m.fake.boxes[0].text, "title failed");
  EXPECT_EQ(m.fake.boxes[0].type, plat::kMbOk | plat::kMbIconStop);
  ASSERT_EQ(m.fake.sounds.size(), 1u);
  EXPECT_EQ(view.timersStarted.back().first, kTimerFirstRun);
}

TEST(Sounds, NoOpeningSoundAfterMissingCapsuleFile) {
  DiskMachine m;
  m.Main("[Packages]\nA\n");
  m.fake.AddFile(kSecond, "RIFF");
  FakeBonusDlgView view;
  CBonusDlg dlg(m.fake, view);
  EXPECT_FALSE(dlg.OnInitDialog());
  EXPECT_TRUE(m.fake.sounds.empty());
}

}  // namespace
}  // namespace bonus::testing
