// The line grammar of the configuration files, read into a store.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using Scalar = CString CBonusConfig::*;
using List = CStringArray CBonusConfig::*;

// One line picture of a text, bytes below 0x20 shown as \xNN, for test names.
std::string Show(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

struct ScalarCase {
  const char* what;
  std::string text;
  Scalar field;
  std::string expected;
};

struct ListCase {
  const char* what;
  std::string text;
  List field;
  int index;
  std::string expected;
  std::size_t size;  // list size after the read
};

class ConfigGrammar : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
};

TEST_F(ConfigGrammar, DialogWideValues) {
  const ScalarCase cases[] = {
      {"blank after = stays, blank before = goes", "[TuneUp]\nWindowTitle = Chess", &CBonusConfig::m_sWelcomeCaption,
       " Chess"},
      {"TAB inside the value is deleted", "[TuneUp]\nWindowTitle=Chess\tDeluxe", &CBonusConfig::m_sWelcomeCaption,
       "ChessDeluxe"},
      {"TAB inside a header is deleted", "[Tune\tUp]\nHeight=7", &CBonusConfig::m_sHeight, "7"},
      {"TAB inside the name is deleted", "[TuneUp]\nHei\tght=7", &CBonusConfig::m_sHeight, "7"},
      {"TAB right after = does not stay", "[TuneUp]\nHeight=\t7", &CBonusConfig::m_sHeight, "7"},
      {"name in another case is no key", "[TuneUp]\nheight=7", &CBonusConfig::m_sHeight, ""},
      {"header in another case opens nothing", "[tuneup]\nHeight=7", &CBonusConfig::m_sHeight, ""},
      {"second = belongs to the value", "[TuneUp]\nMessage=A=B", &CBonusConfig::m_sMessage, "A=B"},
      {"comment after leading blanks", "[TuneUp]\n   ;Message=x", &CBonusConfig::m_sMessage, ""},
      {"; after text belongs to the value", "[TuneUp]\nMessage=x ; y", &CBonusConfig::m_sMessage, "x ; y"},
      {"header with a trailing comment is an ordinary line", "[TuneUp]\n[TuneUp] ; main\nHeight=3",
       &CBonusConfig::m_sHeight, "3"},
      {"the last line read wins", "[TuneUp]\nHeight=20\nDistance=1\nHeight=30", &CBonusConfig::m_sHeight, "30"},
      {"CR LF line ends", "[TuneUp]\r\nHeight=5\r\nDistance=6\r\n", &CBonusConfig::m_sHeight, "5"},
      {"last line without LF", "[TuneUp]\nHeight=5", &CBonusConfig::m_sHeight, "5"},
      {"CR inside a line stays", "[TuneUp]\nMessage=a\rb\r\n", &CBonusConfig::m_sMessage, "a\rb"},
      {"VT and FF trimmed at both ends", "\v[TuneUp]\f\n\f\v Message=x \v\f\r", &CBonusConfig::m_sMessage, "x"},
      {"blanks at the end of the value are trimmed", "[TuneUp]\nMessage=x   ", &CBonusConfig::m_sMessage, "x"},
      {"white space between name and = goes", "[TuneUp]\nMessage \v\f=x", &CBonusConfig::m_sMessage, "x"},
      {"an empty value is a value", "[TuneUp]\nMessage=x\nMessage=", &CBonusConfig::m_sMessage, ""},
      {"line without = changes nothing", "[TuneUp]\nMessage=x\nMessage", &CBonusConfig::m_sMessage, "x"},
      {"line with an empty name changes nothing", "[TuneUp]\nMessage=x\n=y", &CBonusConfig::m_sMessage, "x"},
      {"a [Version] key does nothing in [TuneUp]", "[TuneUp]\nVersion=1", &CBonusConfig::m_sHeight, ""},
      {"a [TuneUp] key does nothing in [Version]", "[Version]\nHeight=1", &CBonusConfig::m_sHeight, ""},
      {"a key does nothing in [Packages]", "[Packages]\nHeight=1", &CBonusConfig::m_sHeight, ""},
      {"unknown header closes [TuneUp]", "[TuneUp]\n[Other]\nHeight=1", &CBonusConfig::m_sHeight, ""},
      {"empty header closes [TuneUp]", "[TuneUp]\n[]\nHeight=1", &CBonusConfig::m_sHeight, ""},
      {"known section again", "[TuneUp]\nHeight=1\n[Version]\n[TuneUp]\nHeight=2", &CBonusConfig::m_sHeight, "2"},
      {"lines ahead of any header in a new store", "Height=1\n[Other]", &CBonusConfig::m_sHeight, ""},
      {"zero byte is an ordinary byte", std::string("[TuneUp]\nMessage=a\0b", 20), &CBonusConfig::m_sMessage,
       std::string("a\0b", 3)},
      {"key named like a prefix is no key", "[TuneUp]\nHeightX=1\nHeigh=2", &CBonusConfig::m_sHeight, ""},
  };
  for (const auto& c : cases) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(c.text, 0);
    EXPECT_EQ(store.*c.field, c.expected) << c.what << ": " << Show(c.text);
  }
}

TEST_F(ConfigGrammar, PerCapsuleValues) {
  const ListCase cases[] = {
      {"stored at the capsule index", "[TuneUp]\nTitle=Chess", &CBonusConfig::m_saTitle, 2, "Chess", 3},
      {"an empty value still grows the list", "[TuneUp]\nNote=", &CBonusConfig::m_saNote, 4, "", 5},
      {"version keys", "[Version]\nVersion=2.0", &CBonusConfig::m_saVersion, 1, "2.0", 2},
      {"the name stops at the first =", "[Version]\nFile=a=b,test", &CBonusConfig::m_saFile, 0, "a=b,test", 1},
      {"header with TAB", "[Ver\tsion]\nAskMsg=Again?", &CBonusConfig::m_saAskMsg, 0, "Again?", 1},
      {"Token10 is not Token1", "[TuneUp]\nToken10=ten", &CBonusConfig::m_saCapToken1, 0, "", 0},
      {"a negative index stores nothing", "[TuneUp]\nTitle=x", &CBonusConfig::m_saTitle, -1, "", 0},
  };
  for (const auto& c : cases) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(c.text, c.index);
    EXPECT_EQ(CBonusConfig::At(store.*c.field, c.index), c.expected) << c.what;
    EXPECT_EQ((store.*c.field).size(), c.size) << c.what;
  }
}

// Every key reaches its own field and no other.
TEST_F(ConfigGrammar, EveryKeyHasItsField) {
  struct Key {
    const char* section;
    const char* name;
    Scalar scalar;
    List list;
  };
  const Key keys[] = {
      {"[TuneUp]", "Test", &CBonusConfig::m_sInstallFlag, nullptr},
      {"[TuneUp]", "Height", &CBonusConfig::m_sHeight, nullptr},
      {"[TuneUp]", "Distance", &CBonusConfig::m_sDistance, nullptr},
      {"[TuneUp]", "WindowTitle", &CBonusConfig::m_sWelcomeCaption, nullptr},
      {"[TuneUp]", "WelcomeTitle", &CBonusConfig::m_sWelcomeTitle, nullptr},
      {"[TuneUp]", "WelcomeText", &CBonusConfig::m_sWelcomeText, nullptr},
      {"[TuneUp]", "Message", &CBonusConfig::m_sMessage, nullptr},
      {"[TuneUp]", "Run1", &CBonusConfig::m_sSplash1, nullptr},
      {"[TuneUp]", "Run2", &CBonusConfig::m_sSplash2, nullptr},
      {"[TuneUp]", "OrderURLmsg", &CBonusConfig::m_sInscdMsg, nullptr},
      {"[TuneUp]", "OrderURL", &CBonusConfig::m_sInscdURL, nullptr},
      {"[TuneUp]", "Title", nullptr, &CBonusConfig::m_saTitle},
      {"[TuneUp]", "Description", nullptr, &CBonusConfig::m_saDescription},
      {"[TuneUp]", "Disclaimer", nullptr, &CBonusConfig::m_saDisclaimer},
      {"[TuneUp]", "Note", nullptr, &CBonusConfig::m_saNote},
      {"[TuneUp]", "Tip", nullptr, &CBonusConfig::m_saTip},
      {"[TuneUp]", "Run", nullptr, &CBonusConfig::m_saRun},
      {"[TuneUp]", "MoreInfoTitle", nullptr, &CBonusConfig::m_saMoreInfoTitle},
      {"[TuneUp]", "MoreInfoRun", nullptr, &CBonusConfig::m_saMoreInfoRun},
      {"[TuneUp]", "Button1", nullptr, &CBonusConfig::m_saCapButton1},
      {"[TuneUp]", "Button2", nullptr, &CBonusConfig::m_saCapButton2},
      {"[TuneUp]", "Disabled", nullptr, &CBonusConfig::m_saCapButton1Disabled},
      {"[TuneUp]", "Token1", nullptr, &CBonusConfig::m_saCapToken1},
      {"[TuneUp]", "Token2", nullptr, &CBonusConfig::m_saCapToken2},
      {"[TuneUp]", "Token3", nullptr, &CBonusConfig::m_saCapToken3},
      {"[TuneUp]", "Token4", nullptr, &CBonusConfig::m_saCapToken4},
      {"[TuneUp]", "Token5", nullptr, &CBonusConfig::m_saCapToken5},
      {"[TuneUp]", "Token6", nullptr, &CBonusConfig::m_saCapToken6},
      {"[TuneUp]", "Token7", nullptr, &CBonusConfig::m_saCapToken7},
      {"[TuneUp]", "Token8", nullptr, &CBonusConfig::m_saCapToken8},
      {"[TuneUp]", "Token9", nullptr, &CBonusConfig::m_saCapToken9},
      {"[TuneUp]", "Token10", nullptr, &CBonusConfig::m_saCapToken10},
      {"[Version]", "Version", nullptr, &CBonusConfig::m_saVersion},
      {"[Version]", "Registry", nullptr, &CBonusConfig::m_saRegistry},
      {"[Version]", "PromptType", nullptr, &CBonusConfig::m_saPromptType},
      {"[Version]", "AskMsg", nullptr, &CBonusConfig::m_saAskMsg},
      {"[Version]", "File", nullptr, &CBonusConfig::m_saFile},
      {"[Version]", "TextExcluded", nullptr, &CBonusConfig::m_saFileExcluded},
  };
  for (const Key& key : keys) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(std::string(key.section) + "\n" + key.name + "=v", 1);
    for (const Key& other : keys) {
      const bool self = &other == &key;
      if (other.scalar != nullptr)
        EXPECT_EQ(store.*other.scalar, self ? "v" : "") << key.name << " vs " << other.name;
      else
        EXPECT_EQ((store.*other.list).size(), self ? 2u : 0u) << key.name << " vs " << other.name;
    }
    if (key.list != nullptr) {
      EXPECT_EQ((store.*key.list)[0], "");
      EXPECT_EQ((store.*key.list)[1], "v");
    }
    EXPECT_EQ(store.m_saPackages.size(), 0u);
  }
}

TEST_F(ConfigGrammar, PackagesAreTakenWhole) {
  config.m_sDataDir = "D:\\access";
  config.ParseConfigText("[Packages]\nA\n; B\n\n  Games\\Chess  \nx=y;z\n[Packages] ; no\n", 0);
  EXPECT_EQ(config.m_saPackages,
            (CStringArray{"D:\\access\\A", "D:\\access\\Games\\Chess", "D:\\access\\x=y;z",
                          "D:\\access\\[Packages] ; no"}));
}

TEST_F(ConfigGrammar, EmptyFileOrNoKnownSectionYieldsNothing) {
  for (const std::string text : {"", "\n\n  \r\n", "Title=x\n[Other]\nHeight=4\n[Packages ]\nA"}) {
    plat::FakePlatform machine;
    CBonusConfig store(machine);
    store.ParseConfigText(text, 0);
    EXPECT_TRUE(store.m_saPackages.empty());
    EXPECT_TRUE(store.m_saTitle.empty());
    EXPECT_EQ(store.m_sHeight, "");
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

TEST_F(ConfigGrammar, SectionCarriesOverIntoTheNextRead) {
  config.ParseConfigText("[TuneUp]\nTitle=a\n", 0);
  EXPECT_TRUE(config.m_bInSection && config.m_bInTuneUp);
  config.ParseConfigText("Title=b\n[Version]\nVersion=1\n", 1);
  EXPECT_EQ(CBonusConfig::At(config.m_saTitle, 1), "b");
  config.ParseConfigText("Version=2\n", 2);
  EXPECT_EQ(CBonusConfig::At(config.m_saVersion, 2), "2");
  config.ParseConfigText("[Other]\n", 3);
  config.ParseConfigText("Version=4\nTitle=4\n", 4);
  EXPECT_EQ(config.m_saVersion.size(), 3u);
  EXPECT_EQ(config.m_saTitle.size(), 2u);
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

TEST_F(ConfigGrammar, LineAndSectionNameAfterARead) {
  config.ParseConfigText("\n;only a comment\n", 0);
  EXPECT_EQ(config.m_sSectionName, "");
  config.ParseConfigText("[Other]\n", 0);
  EXPECT_EQ(config.m_sSectionName, "[Version]");
  EXPECT_EQ(config.m_sLine, "");
}

}  // namespace
