// What the reader tells its line observer: every physical line once, with
// its number, its raw and compared text, and how the reader took it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "config/ConfigLineObserver.h"
#include "platform/fake/FakePlatform.h"

namespace {

using Kind = ConfigLineEvent::Kind;

struct Seen {
  std::size_t number;
  std::string raw, text;
  Kind kind;
  std::string section, key, value;
  bool operator==(const Seen&) const = default;
  friend void PrintTo(const Seen& s, std::ostream* os) {
    *os << s.number << " \"" << s.raw << "\" \"" << s.text << "\" kind " << static_cast<int>(s.kind) << " "
        << s.section << " " << s.key << "=" << s.value;
  }
};

class Recorder : public IConfigLineObserver {
 public:
  void OnConfigLine(const ConfigLineEvent& e) override {
    files.emplace_back(e.file);
    seen.push_back({e.number, std::string(e.raw), std::string(e.text), e.kind, std::string(e.section),
                    std::string(e.key), std::string(e.value)});
  }
  std::vector<std::string> files;
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
  EXPECT_FALSE(config.ParseConfigFile("C:\\missing.cfg", 0));  // a file that cannot be opened tells nothing
  fake.AddFile("C:\\d\\Main.cfg",
               "; comment\nTitle=before\n[TuneUp]\r\n\tTitle = A=B\ntitle=x\nVersion=1\n\n[Packages]\n"
               "Games\\Chess\n[tuneup]\nTitle=y\n[Version]\nVersion=2.0\n[TuneUp] ; main");
  ASSERT_TRUE(config.ParseConfigFile("C:\\d\\Main.cfg", 0));
  const std::vector<Seen> expected = {
      {1, "; comment", "; comment", Kind::Skipped, "", "", ""},
      {2, "Title=before", "Title=before", Kind::Outside, "", "", ""},
      {3, "[TuneUp]\r", "[TuneUp]", Kind::KnownHeader, "[TuneUp]", "", ""},
      {4, "\tTitle = A=B", "Title = A=B", Kind::Key, "[TuneUp]", "Title", " A=B"},
      {5, "title=x", "title=x", Kind::NoKey, "[TuneUp]", "", ""},
      {6, "Version=1", "Version=1", Kind::NoKey, "[TuneUp]", "", ""},
      {7, "", "", Kind::Skipped, "", "", ""},
      {8, "[Packages]", "[Packages]", Kind::KnownHeader, "[Packages]", "", ""},
      {9, "Games\\Chess", "Games\\Chess", Kind::Entry, "[Packages]", "", ""},
      {10, "[tuneup]", "[tuneup]", Kind::OtherHeader, "", "", ""},
      {11, "Title=y", "Title=y", Kind::Outside, "", "", ""},
      {12, "[Version]", "[Version]", Kind::KnownHeader, "[Version]", "", ""},
      {13, "Version=2.0", "Version=2.0", Kind::Key, "[Version]", "Version", "2.0"},
      {14, "[TuneUp] ; main", "[TuneUp] ; main", Kind::NoKey, "[Version]", "", ""},
  };
  EXPECT_EQ(recorder.seen, expected);
  EXPECT_EQ(recorder.files, std::vector<std::string>(expected.size(), "C:\\d\\Main.cfg"));
  // The observer only watches: the store holds what it holds without one.
  EXPECT_EQ(CBonusConfig::At(config.m_saTitle, 0) + CBonusConfig::At(config.m_saVersion, 0), " A=B2.0");
}

TEST_F(ConfigLineObserver, LinesAheadOfTheFirstHeaderGoToTheSectionStillOpen) {
  config.ParseConfigText("[Packages]\nA\n", 0);
  recorder.seen.clear();
  config.ParseConfigText("B\n[TuneUp]\n", 1);
  ASSERT_EQ(recorder.seen.size(), 2u);
  EXPECT_EQ(recorder.seen[0], (Seen{1, "B", "B", Kind::Entry, "[Packages]", "", ""}));
  EXPECT_EQ(recorder.files[0], "");
}

TEST_F(ConfigLineObserver, ASectionReadTellsItsKeyAndValueLines) {
  fake.AddFile(
      "C:\\c\\C.cfg",
      "[TuneUp]\nKey=ignored\n[InstallDir]\n Key = X \nvalue=Path\nValue=Path\nno equals\n[Other]\n");
  config.ReadSectionRegistryValue("C:\\c\\C.cfg", "[InstallDir]");
  const std::vector<Seen> expected = {
      {1, "[TuneUp]", "[TuneUp]", Kind::OtherHeader, "", "", ""},
      {2, "Key=ignored", "Key=ignored", Kind::Outside, "", "", ""},
      {3, "[InstallDir]", "[InstallDir]", Kind::KnownHeader, "[InstallDir]", "", ""},
      {4, " Key = X ", "Key = X", Kind::Key, "[InstallDir]", "Key", "X"},
      {5, "value=Path", "value=Path", Kind::NoKey, "[InstallDir]", "", ""},
      {6, "Value=Path", "Value=Path", Kind::Key, "[InstallDir]", "Value", "Path"},
      {7, "no equals", "no equals", Kind::NoKey, "[InstallDir]", "", ""},
      {8, "[Other]", "[Other]", Kind::OtherHeader, "", "", ""},
  };
  EXPECT_EQ(recorder.seen, expected);
  EXPECT_EQ(config.m_sRegKey, "X");
}

}  // namespace
