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

TEST(Sounds, OpeningSoundIsTheFirstExistingCandidateOnly) {
  {
    DiskMachine m;
    CBonusConfig config(m.fake);
    config.LocateConfigFile(false);
    EXPECT_EQ(OpeningSoundCandidates(config), (CStringArray{kFirst, kSecond, kThird}));
    config.m_sSourceDir.clear();
    EXPECT_EQ(OpeningSoundCandidates(config)[2], "\\media\\VERavevi.wav");
  }
  struct Row {
    std::vector<const char*> existing;
    const char* played;  // nullptr: nothing
  };
  const Row rows[] = {{{}, nullptr},
                      {{kThird}, kThird},
                      {{kSecond, kThird}, kSecond},
                      {{kFirst, kSecond}, kFirst},
                      // The first candidate names the media folder beside the program's.
                      {{"C:\\Program Files\\media\\VERavevi.wav"}, kFirst}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.played ? r.played : "none");
    DiskMachine m;
    m.Main("[Packages]\n");
    for (const char* f : r.existing) m.fake.AddFile(f, "RIFF");
    FakeBonusDlgView view;
    CBonusDlg dlg(m.fake, view);
    dlg.OnInitDialog();
    ASSERT_EQ(m.fake.sounds.size(), r.played ? 1u : 0u);
    if (r.played) {
      EXPECT_EQ(m.fake.sounds[0].path, r.played);
      EXPECT_EQ(m.fake.sounds[0].flags, 0x20003u);
    }
  }
}

TEST(Sounds, OpeningSoundPlaysEvenAfterAnExceptionInSetUpButNotAfterAMissingCapsule) {
  DiskMachine m;
  m.Main("[TuneUp]\nWindowTitle=W\n[Packages]\n");
  m.fake.AddFile(kSecond, "RIFF");
  struct ThrowingView : FakeBonusDlgView {
    void SetTitleText(const std::string&) override { throw std::runtime_error("title failed"); }
  } view;
  CBonusDlg dlg(m.fake, view);
  EXPECT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(Boxes(m.fake.boxes), "W|title failed|0x10\n");
  ASSERT_EQ(m.fake.sounds.size(), 1u);
  EXPECT_EQ(view.timersStarted.back().first, kTimerFirstRun);

  m.fake.sounds.clear();
  m.Main("[Packages]\nA\n");
  FakeBonusDlgView plain;
  CBonusDlg missing(m.fake, plain);
  EXPECT_FALSE(missing.OnInitDialog());
  EXPECT_TRUE(m.fake.sounds.empty());
}

}  // namespace
}  // namespace bonus::testing
