// The line grammar of the configuration files, read into a store. The golden
// grammar and carryover disks (ConfigGoldenTest) hold the common spellings:
// blanks, TABs, comments, case, CR LF, keys outside their section and the
// section carried into the next file; these cases hold the rest.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using C = CBonusConfig;
using Scalar = CString C::*;
using List = CStringArray C::*;

class ConfigGrammar : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
};

TEST_F(ConfigGrammar, DialogWideValues) {
  const struct {
    const char* what;
    std::string text;
    Scalar field;
    std::string expected;
  } cases[] = {
      {"TAB inside a header is deleted", "[Tune\tUp]\nHeight=7", &C::m_sHeight, "7"},
      {"TAB right after = does not stay", "[TuneUp]\nHeight=\t7", &C::m_sHeight, "7"},
      {"header with a trailing comment is an ordinary line", "[TuneUp]\n[TuneUp] ; main\nHeight=3",
       &C::m_sHeight, "3"},
      {"CR inside a line stays", "[TuneUp]\nMessage=a\rb\r\n", &C::m_sMessage, "a\rb"},
      {"VT and FF trimmed at both ends", "\v[TuneUp]\f\n\f\v Message=x \v\f\r", &C::m_sMessage, "x"},
      {"white space between name and = goes", "[TuneUp]\nMessage \v\f=x", &C::m_sMessage, "x"},
      {"an empty value is a value", "[TuneUp]\nMessage=x\nMessage=", &C::m_sMessage, ""},
      {"a key does nothing in [Packages]", "[Packages]\nHeight=1", &C::m_sHeight, ""},
      {"empty header closes [TuneUp]", "[TuneUp]\n[]\nHeight=1", &C::m_sHeight, ""},
      {"known section again", "[TuneUp]\nHeight=1\n[Version]\n[TuneUp]\nHeight=2", &C::m_sHeight, "2"},
      {"lines ahead of any header in a new store", "Height=1\n[Other]", &C::m_sHeight, ""},
      {"zero byte is an ordinary byte", std::string("[TuneUp]\nMessage=a\0b", 20), &C::m_sMessage,
       std::string("a\0b", 3)},
      {"key named like a prefix is no key", "[TuneUp]\nHeightX=1\nHeigh=2", &C::m_sHeight, ""},
  };
  for (const auto& c : cases) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(c.text, 0);
    EXPECT_EQ(store.*c.field, c.expected) << c.what;
  }
}

TEST_F(ConfigGrammar, PerCapsuleValues) {
  const struct {
    const char* what;
    std::string text;
    List field;
    int index;
    std::string expected;
    std::size_t size;  // list size after the read
  } cases[] = {
      {"an empty value still grows the list", "[TuneUp]\nNote=", &C::m_saNote, 4, "", 5},
      {"Token10 is not Token1", "[TuneUp]\nToken10=ten", &C::m_saCapToken1, 0, "", 0},
      {"a negative index stores nothing", "[TuneUp]\nTitle=x", &C::m_saTitle, -1, "", 0},
  };
  for (const auto& c : cases) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(c.text, c.index);
    EXPECT_EQ(C::At(store.*c.field, c.index), c.expected) << c.what;
    EXPECT_EQ((store.*c.field).size(), c.size) << c.what;
  }
}

// Every key reaches its own field and no other: each field holds the name of
// the key that was meant for it.
TEST_F(ConfigGrammar, EveryKeyHasItsField) {
  const std::pair<const char*, Scalar> scalars[] = {{"Test", &C::m_sInstallFlag},
                                                    {"Height", &C::m_sHeight},
                                                    {"Distance", &C::m_sDistance},
                                                    {"WindowTitle", &C::m_sWelcomeCaption},
                                                    {"WelcomeTitle", &C::m_sWelcomeTitle},
                                                    {"WelcomeText", &C::m_sWelcomeText},
                                                    {"Message", &C::m_sMessage},
                                                    {"Run1", &C::m_sSplash1},
                                                    {"Run2", &C::m_sSplash2},
                                                    {"OrderURLmsg", &C::m_sInscdMsg},
                                                    {"OrderURL", &C::m_sInscdURL}};
  const std::pair<const char*, List> lists[] = {{"Title", &C::m_saTitle},
                                                {"Description", &C::m_saDescription},
                                                {"Disclaimer", &C::m_saDisclaimer},
                                                {"Note", &C::m_saNote},
                                                {"Tip", &C::m_saTip},
                                                {"Run", &C::m_saRun},
                                                {"MoreInfoTitle", &C::m_saMoreInfoTitle},
                                                {"MoreInfoRun", &C::m_saMoreInfoRun},
                                                {"Button1", &C::m_saCapButton1},
                                                {"Button2", &C::m_saCapButton2},
                                                {"Disabled", &C::m_saCapButton1Disabled},
                                                {"Token1", &C::m_saCapToken1},
                                                {"Token2", &C::m_saCapToken2},
                                                {"Token3", &C::m_saCapToken3},
                                                {"Token4", &C::m_saCapToken4},
                                                {"Token5", &C::m_saCapToken5},
                                                {"Token6", &C::m_saCapToken6},
                                                {"Token7", &C::m_saCapToken7},
                                                {"Token8", &C::m_saCapToken8},
                                                {"Token9", &C::m_saCapToken9},
                                                {"Token10", &C::m_saCapToken10},
                                                {"[Version]", nullptr},
                                                {"Version", &C::m_saVersion},
                                                {"Registry", &C::m_saRegistry},
                                                {"PromptType", &C::m_saPromptType},
                                                {"AskMsg", &C::m_saAskMsg},
                                                {"File", &C::m_saFile},
                                                {"TextExcluded", &C::m_saFileExcluded}};
  std::string text = "[TuneUp]\n";
  for (const auto& [name, field] : scalars) text += std::string(name) + "=" + name + "\n";
  for (const auto& [name, field] : lists)
    text += field ? std::string(name) + "=" + name + "\n" : name + std::string("\n");
  config.ParseConfigText(text, 1);
  for (const auto& [name, field] : scalars) EXPECT_EQ(config.*field, name);
  for (const auto& [name, field] : lists)
    if (field != nullptr) {
      EXPECT_EQ(config.*field, (CStringArray{"", name})) << name;
    }
  EXPECT_EQ(config.m_saPackages.size(), 0u);
}

TEST_F(ConfigGrammar, PackagesAreTakenWholeAndNothingElseIsAHeader) {
  config.m_sDataDir = "D:\\access";
  config.ParseConfigText("[Packages]\n  Games\\Chess  \n[Packages] ; no\n", 0);
  EXPECT_EQ(config.m_saPackages, (CStringArray{"D:\\access\\Games\\Chess", "D:\\access\\[Packages] ; no"}));
  for (const std::string text : {"\n\n  \r\n", "[Packages ]\nA"}) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(text, 0);
    EXPECT_TRUE(store.m_saPackages.empty());
    EXPECT_FALSE(store.m_bInSection || store.m_bInPackages || store.m_bInTuneUp || store.m_bInVersion);
  }
}

TEST_F(ConfigGrammar, NoLineLengthLimit) {
  const std::string value(200000, 'v');
  config.ParseConfigText("[TuneUp]\nMessage=" + value + "\nTitle=" + value + "\t" + value, 0);
  EXPECT_EQ(config.m_sMessage, value);
  EXPECT_EQ(config.m_saTitle.at(0), value + value);
}

TEST_F(ConfigGrammar, ManyTabLinesAmongPlainOnes) {
  // The TAB search runs ahead of the lines; lines on both sides of a TAB
  // line must be read as they stand.
  config.ParseConfigText("[TuneUp]\nTitle=a\nNote=b\tc\nTip=d\n\t\nRun=\te\tf\t\nHeight=g", 0);
  EXPECT_EQ(config.m_saTitle.at(0), "a");
  EXPECT_EQ(config.m_saNote.at(0), "bc");
  EXPECT_EQ(config.m_saTip.at(0), "d");
  EXPECT_EQ(config.m_saRun.at(0), "ef");
  EXPECT_EQ(config.m_sHeight, "g");
}

TEST_F(ConfigGrammar, CapsuleFileOverridesDialogWideValues) {
  config.ParseConfigText("[TuneUp]\nWindowTitle=Main\nTitle=Zero\n[Packages]\nA\nB\n", 0);
  config.ParseConfigText("[TuneUp]\nTitle=One\n", 1);
  EXPECT_EQ(config.m_sWelcomeCaption, "Main");
  config.ParseConfigText("[TuneUp]\nWindowTitle=Capsule\nTitle=Two\n", 2);
  EXPECT_EQ(config.m_sWelcomeCaption, "Capsule");
  EXPECT_EQ(config.m_saTitle, (CStringArray{"Zero", "One", "Two"}));
}

TEST_F(ConfigGrammar, LinesBeforeTheFirstHeaderFollowTheSharedSectionFlag) {
  config.ParseConfigText("[TuneUp]\n", 0);
  // The section reader clears the shared flag at its own headers.
  fake.AddFile("C:\\cap.cfg", "[Reg]\nKey=\n[Other]\n");
  config.ReadSectionRegistryValue("C:\\cap.cfg", "[Reg]");
  EXPECT_FALSE(config.m_bInSection);
  EXPECT_TRUE(config.m_bInTuneUp);
  config.ParseConfigText("Title=ignored\n", 0);
  EXPECT_TRUE(config.m_saTitle.empty());
}

}  // namespace
