// What the reader tells its line observer: every physical line once, with
// its number, its raw and compared text, and how the reader took it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "config/ConfigLineObserver.h"
#include "platform/fake/FakePlatform.h"

namespace {

using Kind = ConfigLineEvent::Kind;

struct Seen {
  std::string file;
  std::size_t number;
  std::string raw;
  std::string text;
  Kind kind;
  std::string section;
  std::string key;
  std::string value;
};

class Recorder : public IConfigLineObserver {
 public:
  void OnConfigLine(const ConfigLineEvent& e) override {
    seen.push_back({std::string(e.file), e.number, std::string(e.raw), std::string(e.text), e.kind,
                    std::string(e.section), std::string(e.key), std::string(e.value)});
  }
  std::vector<Seen> seen;
};

class ConfigLineObserver : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
  Recorder recorder;
  void SetUp() override { config.m_pLineObserver = &recorder; }
};

TEST_F(ConfigLineObserver, EveryLineOfAFileWithItsKind) {
  fake.AddFile("C:\\d\\Main.cfg",
               "; comment\n"
               "Title=before\n"
               "[TuneUp]\r\n"
               "\tTitle = A=B\n"
               "title=x\n"
               "Version=1\n"
               "\n"
               "[Packages]\n"
               "Games\\Chess\n"
               "[tuneup]\n"
               "Title=y\n"
               "[Version]\n"
               "Version=2.0\n"
               "[TuneUp] ; main");
  config.m_sDataDir = "D:";
  ASSERT_TRUE(config.ParseConfigFile("C:\\d\\Main.cfg", 0));
  const std::vector<Seen> expected = {
      {"C:\\d\\Main.cfg", 1, "; comment", "; comment", Kind::Skipped, "", "", ""},
      {"C:\\d\\Main.cfg", 2, "Title=before", "Title=before", Kind::Outside, "", "", ""},
      {"C:\\d\\Main.cfg", 3, "[TuneUp]\r", "[TuneUp]", Kind::KnownHeader, "[TuneUp]", "", ""},
      {"C:\\d\\Main.cfg", 4, "\tTitle = A=B", "Title = A=B", Kind::Key, "[TuneUp]", "Title", " A=B"},
      {"C:\\d\\Main.cfg", 5, "title=x", "title=x", Kind::NoKey, "[TuneUp]", "", ""},
      {"C:\\d\\Main.cfg", 6, "Version=1", "Version=1", Kind::NoKey, "[TuneUp]", "", ""},
      {"C:\\d\\Main.cfg", 7, "", "", Kind::Skipped, "", "", ""},
      {"C:\\d\\Main.cfg", 8, "[Packages]", "[Packages]", Kind::KnownHeader, "[Packages]", "", ""},
      {"C:\\d\\Main.cfg", 9, "Games\\Chess", "Games\\Chess", Kind::Entry, "[Packages]", "", ""},
      {"C:\\d\\Main.cfg", 10, "[tuneup]", "[tuneup]", Kind::OtherHeader, "", "", ""},
      {"C:\\d\\Main.cfg", 11, "Title=y", "Title=y", Kind::Outside, "", "", ""},
      {"C:\\d\\Main.cfg", 12, "[Version]", "[Version]", Kind::KnownHeader, "[Version]", "", ""},
      {"C:\\d\\Main.cfg", 13, "Version=2.0", "Version=2.0", Kind::Key, "[Version]", "Version", "2.0"},
      {"C:\\d\\Main.cfg", 14, "[TuneUp] ; main", "[TuneUp] ; main", Kind::NoKey, "[Version]", "", ""},
  };
  ASSERT_EQ(recorder.seen.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Seen& s = recorder.seen[i];
    const Seen& x = expected[i];
    EXPECT_EQ(s.file, x.file) << i;
    EXPECT_EQ(s.number, x.number) << i;
    EXPECT_EQ(s.raw, x.raw) << i;
    EXPECT_EQ(s.text, x.text) << i;
    EXPECT_EQ(s.kind, x.kind) << i;
    EXPECT_EQ(s.section, x.section) << i;
    EXPECT_EQ(s.key, x.key) << i;
    EXPECT_EQ(s.value, x.value) << i;
  }
  // The observer only watches: the store holds what it holds without one.
  EXPECT_EQ(CBonusConfig::At(config.m_saTitle, 0), " A=B");
  EXPECT_EQ(CBonusConfig::At(config.m_saVersion, 0), "2.0");
  ASSERT_EQ(config.m_saPackages.size(), 1u);
}

TEST_F(ConfigLineObserver, LinesAheadOfTheFirstHeaderGoToTheSectionStillOpen) {
  config.ParseConfigText("[Packages]\nA\n", 0);
  recorder.seen.clear();
  config.ParseConfigText("B\n[TuneUp]\n", 1);
  ASSERT_EQ(recorder.seen.size(), 2u);
  EXPECT_EQ(recorder.seen[0].kind, Kind::Entry);
  EXPECT_EQ(recorder.seen[0].section, "[Packages]");
  EXPECT_EQ(recorder.seen[0].file, "");
  EXPECT_EQ(config.m_saPackages.size(), 2u);
}

TEST_F(ConfigLineObserver, ASectionReadTellsItsKeyAndValueLines) {
  fake.AddFile("C:\\c\\C.cfg",
               "[TuneUp]\n"
               "Key=ignored\n"
               "[InstallDir]\n"
               " Key = HKEY_LOCAL_MACHINE\\SOFTWARE\\C \n"
               "value=Path\n"
               "Value=Path\n"
               "no equals\n"
               "[Other]\n");
  config.ReadSectionRegistryValue("C:\\c\\C.cfg", "[InstallDir]");
  std::vector<Kind> kinds;
  for (const Seen& s : recorder.seen) kinds.push_back(s.kind);
  EXPECT_EQ(kinds, (std::vector<Kind>{Kind::OtherHeader, Kind::Outside, Kind::KnownHeader, Kind::Key, Kind::NoKey,
                                      Kind::Key, Kind::NoKey, Kind::OtherHeader}));
  EXPECT_EQ(recorder.seen[3].key, "Key");
  EXPECT_EQ(recorder.seen[3].value, "HKEY_LOCAL_MACHINE\\SOFTWARE\\C");
  EXPECT_EQ(recorder.seen[3].section, "[InstallDir]");
  EXPECT_EQ(recorder.seen[5].key, "Value");
  EXPECT_EQ(recorder.seen[7].section, "");
  EXPECT_EQ(config.m_sRegKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\C");
}

TEST_F(ConfigLineObserver, AFileThatCannotBeOpenedTellsNothing) {
  EXPECT_FALSE(config.ParseConfigFile("C:\\missing.cfg", 0));
  EXPECT_TRUE(recorder.seen.empty());
}

}  // namespace
