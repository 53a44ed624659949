#include <gtest/gtest.h>

#include <string>

#include "config/BonusConfig.h"
#include "install/VersionCheck.h"
#include "platform/fake/FakePlatform.h"

namespace {

using plat::RegRoot;

class VersionCheck : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
  int reinstallAsked = 0;
  std::string expandedFile;  // what the file check handed to the macro expansion
  inst::VersionCheckContext context;

  void SetUp() override {
    context.askMsg = "Already installed. Install again?";
    context.caption = "Bonus";
    context.expandMacros = [this](const std::string& text) {
      expandedFile = text;
      std::string out = text;
      auto pos = out.find("{WIN_DIR}");
      if (pos != std::string::npos) out.replace(pos, 9, "C:\\WINDOWS");
      return out;
    };
    context.messageBox = [this](const std::string& text, const std::string& caption, unsigned type) {
      return fake.MessageBox(0, text, caption, type);
    };
    context.askReinstall = [this] {
      ++reinstallAsked;
      return inst::AskReinstall(context.askMsg, context.caption, context.messageBox);
    };
  }

  bool Check(const std::string& registry, const std::string& version, const std::string& file) {
    return inst::CheckInstalledVersion(config, registry, version, file, context);
  }

  void ExpectOneQuestion() {
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, context.askMsg);
    EXPECT_EQ(fake.boxes[0].caption, "Bonus");
    EXPECT_EQ(fake.boxes[0].type, 0x124u);  // Yes/No, question icon, No as default
  }
};

// ---- registry ----------------------------------------------------------------

TEST_F(VersionCheck, KeyWhoseLastComponentEqualsVersionAsks) {
  fake.AddRegKey(RegRoot::LocalMachine, "SOFTWARE\\Vendor\\Game\\5.0");
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("  HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Game\\5.0", " 5.0", ""));
  ExpectOneQuestion();
  fake.boxes.clear();
  fake.answers = {plat::kIdYes};
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Game\\5.0", "5.0", ""));
  ExpectOneQuestion();
  EXPECT_EQ(reinstallAsked, 0);
}

TEST_F(VersionCheck, KeyWithLowerLastComponentAsksWhenItsDefaultValueIsHigher) {
  fake.AddRegKey(RegRoot::CurrentUser, "Software\\Game\\4.0");
  EXPECT_TRUE(Check("HKEY_CURRENT_USER\\Software\\Game\\4.0", "5.0", ""));
  EXPECT_TRUE(fake.boxes.empty());
  fake.SetRegString(RegRoot::CurrentUser, "Software\\Game\\4.0", "", "5.1");
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("HKEY_CURRENT_USER\\Software\\Game\\4.0", "5.0", ""));
  ExpectOneQuestion();
}

TEST_F(VersionCheck, DefaultValueLongerThanTheBufferAsksNothing) {
  fake.SetRegString(RegRoot::Users, ".DEFAULT\\Game\\1", "",
                    std::string(260, '9'));  // 261 bytes with its zero
  EXPECT_TRUE(Check("HKEY_USERS\\.DEFAULT\\Game\\1", "5.0", ""));
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(VersionCheck, StringValueLowerThanVersionLetsTheInstallGoOn) {
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "4.9");
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version", "5.0", ""));
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(VersionCheck, StringValueComparesAsTextNotAsNumber) {
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "10.0");
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version", "9.0", ""));
  EXPECT_TRUE(fake.boxes.empty());
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "5.0");
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version", "5.0", ""));
  ExpectOneQuestion();
}

TEST_F(VersionCheck, StringValueLongerThanTheBufferAsksNothing) {
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "9" + std::string(259, 'x'));
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version", "5.0", ""));
  EXPECT_TRUE(fake.boxes.empty());
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "9" + std::string(258, 'x'));
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version", "5.0", ""));
  EXPECT_EQ(fake.boxes.size(), 1u);  // 260 bytes with its zero: fits
}

TEST_F(VersionCheck, DwordValueComparesAsUnsignedNumber) {
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\Game", "Build", 6);
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Build", "5", ""));
  ExpectOneQuestion();
  fake.boxes.clear();
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\Game", "Build", 4);
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Build", "5", ""));
  EXPECT_TRUE(fake.boxes.empty());
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\Game", "Build", 0xFFFFFFFFu);
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Build", "5", ""));
  fake.boxes.clear();
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\Game", "Build", 12);
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Build", "12.7", ""));  // decimal value 12
}

TEST_F(VersionCheck, DwordWithWrongSizeAndOtherTypesAskNothing) {
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\Game", "Short",
                   {plat::kRegDword, std::string("\x09", 1)});
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\Game", "Path",
                   {plat::kRegExpandSz, std::string("9.0\0", 4)});
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\Game", "Blob", {plat::kRegBinary, "99"});
  for (const char* name : {"Short", "Path", "Blob"})
    EXPECT_TRUE(Check(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\") + name, "5", "")) << name;
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(VersionCheck, UnrecognisedRootMissingKeyOrValuePass) {
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", "9.0");
  EXPECT_TRUE(Check("HKLM\\SOFTWARE\\Game\\Version", "5.0", ""));
  EXPECT_TRUE(Check("hkey_local_machine\\SOFTWARE\\Game\\Version", "5.0", ""));
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Other\\Version", "5.0", ""));
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Missing", "5.0", ""));
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(VersionCheck, RootsAreSearchedAnywhereAndCutByPrefixLength) {
  // "HKEY_USERS" found inside the text: the first 11 characters are cut.
  fake.SetRegString(RegRoot::Users, "Game", "HKEY_USERS", "9.0");
  fake.answers = {plat::kIdNo};
  EXPECT_FALSE(Check("xxxxxxxxxx\\Game\\HKEY_USERS", "5.0", ""));
  // HKEY_LOCAL_MACHINE is only recognised with its backslash.
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE", "5.0", ""));
}

TEST_F(VersionCheck, EmptyAskMsgIsStillAskedByTheRegistryCheck) {
  context.askMsg = "";
  fake.AddRegKey(RegRoot::ClassesRoot, "Game.Document\\5.0");
  EXPECT_TRUE(Check("HKEY_CLASSES_ROOT\\Game.Document\\5.0", "5.0", ""));
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].text, "");
}

TEST_F(VersionCheck, RegistrySetMeansTheFileCheckNeverRuns) {
  fake.AddFile("C:\\Game\\game.exe");
  fake.SetProductVersion("C:\\Game\\game.exe", {5, 0, 0, 0});
  EXPECT_TRUE(Check("HKEY_LOCAL_MACHINE\\SOFTWARE\\Absent\\Version", "5.0.0.0", "C:\\Game\\game.exe,test"));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(reinstallAsked, 0);
  EXPECT_EQ(expandedFile, "");
}

// ---- file ----------------------------------------------------------------

TEST_F(VersionCheck, ReferenceFieldsFromDotsAndCommas) {
  EXPECT_EQ(inst::ReferenceVersion(config, "5"), (std::array<int, 4>{5, -1, -1, -1}));
  EXPECT_EQ(inst::ReferenceVersion(config, "5,0,2,7"), (std::array<int, 4>{5, 0, 2, 7}));
  EXPECT_EQ(inst::ReferenceVersion(config, "5.1,2.3.4"), (std::array<int, 4>{5, 1, 2, 3}));
  EXPECT_EQ(inst::ReferenceVersion(config, ""), (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(inst::ReferenceVersion(config, "5..1"), (std::array<int, 4>{5, 0, 1, -1}));
}

struct FileCase {
  const char* name;
  const char* version;
  plat::ProductVersion installed;
  bool asks;
};

class FileVersion : public VersionCheck, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FileVersion, AsksWhenTheReferenceIsNotOlder) {
  const FileCase& c = GetParam();
  fake.AddFile("C:\\WINDOWS\\game.exe");
  fake.SetProductVersion("C:\\WINDOWS\\game.exe", c.installed);
  fake.answers = {plat::kIdNo};
  EXPECT_EQ(Check("", c.version, "  {WIN_DIR}\\game.exe"), !c.asks);
  EXPECT_EQ(reinstallAsked, c.asks ? 1 : 0);
  EXPECT_EQ(fake.boxes.size(), c.asks ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileVersion,
    ::testing::Values(FileCase{"ShortVersionIsOlder", "5", {5, 0, 0, 0}, false},
                      FileCase{"CommasEqual", "5,0,0,0", {5, 0, 0, 0}, true},
                      FileCase{"DotsEqual", "5.1.2.3", {5, 1, 2, 3}, true},
                      FileCase{"EmptyIsOlder", "", {0, 0, 0, 0}, false},
                      FileCase{"ReferenceNewer", "5.0.0.1", {5, 0, 0, 0}, true},
                      FileCase{"ReferenceNewerMajor", "6", {5, 9, 9, 9}, true},
                      FileCase{"InstalledNewer", "5.0", {5, 1, 0, 0}, false},
                      FileCase{"FieldsAreNumbers", "5.10", {5, 9, 0, 0}, true},
                      FileCase{"ExtraPartsIgnored", "5.0.0.0.9", {5, 0, 0, 0}, true},
                      FileCase{"HighWordIsNotNegative", "5.0.0.40000", {5, 0, 0, 40000}, true}),
    [](const ::testing::TestParamInfo<FileCase>& param) { return std::string(param.param.name); });

TEST_F(VersionCheck, EmptyAskMsgMeansTheFileCheckNeverAsks) {
  context.askMsg = "";
  fake.AddFile("C:\\Game\\game.exe");
  fake.SetProductVersion("C:\\Game\\game.exe", {5, 0, 0, 0});
  EXPECT_TRUE(Check("", "5.0.0.0", "C:\\Game\\game.exe"));
  EXPECT_EQ(reinstallAsked, 1);
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(VersionCheck, TestMarkShowsTheProductVersionFirst) {
  fake.AddFile("C:\\WINDOWS\\game.exe");
  fake.SetProductVersion("C:\\WINDOWS\\game.exe", {5, 2, 300, 4});
  EXPECT_TRUE(Check("", "6", "{WIN_DIR}\\game.exe , test"));
  ASSERT_EQ(fake.boxes.size(), 2u);
  EXPECT_EQ(fake.boxes[0].text, "Product version of the  C:\\WINDOWS\\game.exe:   5.2.300.4");
  EXPECT_EQ(fake.boxes[0].caption, "Bonus Test");
  EXPECT_EQ(fake.boxes[0].type, 0u);
  EXPECT_EQ(fake.boxes[1].text, context.askMsg);

  fake.boxes.clear();
  EXPECT_TRUE(Check("", "1", "{WIN_DIR}\\game.exe,test"));  // shown whatever the result
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].caption, "Bonus Test");

  fake.boxes.clear();
  EXPECT_TRUE(Check("", "1", "{WIN_DIR}\\game.exe,Test"));  // exact case only
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(VersionCheck, MissingFileOrVersionResourcePasses) {
  EXPECT_TRUE(Check("", "9", "C:\\Game\\missing.exe,test"));
  fake.AddFile("C:\\Game\\plain.txt");
  EXPECT_TRUE(Check("", "9", "C:\\Game\\plain.txt,test"));
  fake.AddFolder("C:\\Game\\folder");
  fake.SetProductVersion("C:\\Game\\folder", {1, 0, 0, 0});
  EXPECT_TRUE(Check("", "9", "C:\\Game\\folder"));
  EXPECT_TRUE(Check("", "9", " "));
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(reinstallAsked, 0);
}

TEST_F(VersionCheck, EmptyFileAndRegistryPassWithoutExpansion) {
  EXPECT_TRUE(Check("   ", "5", ""));
  EXPECT_EQ(expandedFile, "");
  EXPECT_TRUE(fake.boxes.empty());
}

TEST(AskReinstall, AsksOnlyANonEmptyQuestionAndStopsOnlyOnNo) {
  std::vector<std::pair<std::string, unsigned>> shown;
  int answer = plat::kIdYes;
  inst::DialogMessageBox box = [&](const std::string& text, const std::string&, unsigned type) {
    shown.emplace_back(text, type);
    return answer;
  };
  EXPECT_TRUE(inst::AskReinstall("", "c", box));
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(inst::AskReinstall("Again?", "c", box));
  answer = plat::kIdNo;
  EXPECT_FALSE(inst::AskReinstall("Again?", "c", box));
  answer = plat::kIdCancel;
  EXPECT_TRUE(inst::AskReinstall("Again?", "c", box));
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].second, plat::kMbYesNo | plat::kMbIconQuestion | plat::kMbDefButton2);
}

}  // namespace
