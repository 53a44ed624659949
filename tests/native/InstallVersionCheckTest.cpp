#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "config/BonusConfig.h"
#include "install/VersionCheck.h"
#include "platform/fake/FakePlatform.h"
#include "tests/native/DialogTestSupport.h"

namespace {

using bonus::testing::Boxes;
using plat::RegRoot;

class VersionCheck : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
  inst::VersionCheckContext context;

  void SetUp() override {
    context.askMsg = "Already installed. Install again?";
    context.caption = "Bonus";
    context.expandMacros = [this](const std::string& text) {
      std::string out = text;
      auto pos = out.find("{WIN_DIR}");
      if (pos != std::string::npos) out.replace(pos, 9, "C:\\WINDOWS");
      return out;
    };
    context.messageBox = [this](const std::string& text, const std::string& caption, unsigned type) {
      return fake.MessageBox(0, text, caption, type);
    };
  }

  bool Check(const std::string& registry, const std::string& version, const std::string& file) {
    return inst::CheckInstalledVersion(config, registry, version, file, context);
  }

  // The reinstall question as the one box (Yes/No, question icon, No as default), or no box.
  std::string Asked(bool asked) const {
    return asked ? "Bonus|Already installed. Install again?|0x124\n" : "";
  }
};

TEST_F(VersionCheck, RegistryValueAgainstVersion) {
  using Set = std::function<void(plat::FakePlatform&)>;
  auto key = [](RegRoot root, const char* path) -> Set {
    return [=](plat::FakePlatform& f) { f.AddRegKey(root, path); };
  };
  auto str = [](RegRoot root, const char* path, const char* name, std::string value) -> Set {
    return [=](plat::FakePlatform& f) { f.SetRegString(root, path, name, value); };
  };
  // Values of HKLM\SOFTWARE\Game\Version.
  auto s = [&](std::string value) { return str(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", value); };
  auto d = [](std::uint32_t v) -> Set {
    return
        [=](plat::FakePlatform& f) { f.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", v); };
  };
  auto raw = [](std::uint32_t type, std::string bytes) -> Set {
    return [=](plat::FakePlatform& f) {
      f.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\Game", "Version", {type, bytes});
    };
  };
  const std::string v = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\\Version";
  const std::string cu = "HKEY_CURRENT_USER\\Software\\Game\\4.0";
  struct Row {
    const char* name;
    Set setUp;
    std::string registry;
    const char* version;
    bool asks;
  };
  const Row rows[] = {
      {"KeyWhoseLastComponentEqualsVersion", key(RegRoot::LocalMachine, "SOFTWARE\\Vendor\\Game\\5.0"),
       "  HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Game\\5.0", " 5.0", true},
      {"LowerKeyButHigherDefault", str(RegRoot::CurrentUser, "Software\\Game\\4.0", "", "5.1"), cu, "5.0",
       true},
      // 261 bytes with its zero: longer than the buffer.
      {"DefaultValueTooLong", str(RegRoot::Users, ".DEFAULT\\Game\\1", "", std::string(260, '9')),
       "HKEY_USERS\\.DEFAULT\\Game\\1", "5.0", false},
      {"StringComparesAsText", s("10.0"), v, "9.0", false},
      {"StringEqual", s("5.0"), v, "5.0", true},
      {"StringTooLong", s("9" + std::string(259, 'x')), v, "5.0", false},
      {"String260Fits", s("9" + std::string(258, 'x')), v, "5.0", true},  // 260 bytes with its zero
      {"DwordHigher", d(6), v, "5", true},
      {"DwordIsUnsigned", d(0xFFFFFFFFu), v, "5", true},
      {"DwordAgainstDecimalPrefix", d(12), v, "12.7", true},
      {"DwordWithWrongSize", raw(plat::kRegDword, std::string("\x09", 1)), v, "5", false},
      {"ExpandString", raw(plat::kRegExpandSz, std::string("9.0\0", 4)), v, "5", false},
      {"Binary", raw(plat::kRegBinary, "99"), v, "5", false},
      {"AbbreviatedRoot", s("9.0"), "HKLM\\SOFTWARE\\Game\\Version", "5.0", false},
      {"MissingKey", s("9.0"), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Other\\Version", "5.0", false},
      {"RootFoundAnywhere", str(RegRoot::Users, "Game", "HKEY_USERS", "9.0"), "xxxxxxxxxx\\Game\\HKEY_USERS",
       "5.0", true},
      {"RootOnlyWithItsBackslash", s("9.0"), "HKEY_LOCAL_MACHINE", "5.0", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    fake = plat::FakePlatform();
    r.setUp(fake);
    fake.answers = {plat::kIdNo};
    EXPECT_EQ(Check(r.registry, r.version, ""), !r.asks);
    EXPECT_EQ(Boxes(fake.boxes), Asked(r.asks));
  }
}

TEST_F(VersionCheck, ReferenceFieldsFromDotsAndCommas) {
  EXPECT_EQ(inst::ReferenceVersion(config, "5.1,2.3.4"), (std::array<int, 4>{5, 1, 2, 3}));
  EXPECT_EQ(inst::ReferenceVersion(config, "5..1"), (std::array<int, 4>{5, 0, 1, -1}));
}

TEST_F(VersionCheck, FileAsksWhenTheReferenceIsNotOlder) {
  struct Row {
    const char* name;
    const char* version;
    plat::ProductVersion installed;
    bool asks;
  };
  const Row rows[] = {{"ShortVersionIsOlder", "5", {5, 0, 0, 0}, false},
                      {"CommasEqual", "5,0,0,0", {5, 0, 0, 0}, true},
                      {"EmptyIsOlder", "", {0, 0, 0, 0}, false},
                      {"ReferenceNewer", "5.0.0.1", {5, 0, 0, 0}, true},
                      {"ReferenceNewerMajor", "6", {5, 9, 9, 9}, true},
                      {"InstalledNewer", "5.0", {5, 1, 0, 0}, false},
                      {"FieldsAreNumbers", "5.10", {5, 9, 0, 0}, true},
                      {"ExtraPartsIgnored", "5.0.0.0.9", {5, 0, 0, 0}, true},
                      {"HighWordIsNotNegative", "5.0.0.40000", {5, 0, 0, 40000}, true}};
  fake.AddFile("C:\\WINDOWS\\game.exe");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    fake.boxes.clear();
    fake.SetProductVersion("C:\\WINDOWS\\game.exe", r.installed);
    fake.answers = {plat::kIdNo};
    EXPECT_EQ(Check("", r.version, "  {WIN_DIR}\\game.exe"), !r.asks);
    EXPECT_EQ(Boxes(fake.boxes), Asked(r.asks));
  }
}

// Checks that pass without a question: the test mark's box, an empty AskMsg
// (asked by the registry check only), a registry value that stops the file
// check, and nothing to check.
TEST_F(VersionCheck, PassesShowingOnly) {
  const std::string mark = "Bonus Test|Product version of the  C:\\WINDOWS\\game.exe:   5.2.300.4|0x0\n";
  const std::tuple<const char*, const char*, const char*, const char*, std::string> rows[] = {
      {"", "6", "{WIN_DIR}\\game.exe , test", "Again?", mark + "Bonus|Again?|0x124\n"},
      {"", "1", "{WIN_DIR}\\game.exe,test", "Again?", mark},  // shown whatever the result
      {"", "1", "{WIN_DIR}\\game.exe,Test", "Again?", ""},    // exact case only
      {"", "6", "{WIN_DIR}\\game.exe", "", ""},
      {"HKEY_CLASSES_ROOT\\Game.Document\\5.0", "5.0", "", "", "Bonus||0x124\n"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Absent\\Version", "6", "{WIN_DIR}\\game.exe,test", "Again?", ""},
      {"   ", "5", "", "Again?", ""},
      {"", "9", "C:\\Game\\missing.exe,test", "Again?", ""},
      {"", "9", "C:\\Game\\plain.txt,test", "Again?", ""},
      {"", "9", "C:\\Game\\folder", "Again?", ""},
      {"", "9", " ", "Again?", ""},
  };
  fake.AddFile("C:\\WINDOWS\\game.exe");
  fake.SetProductVersion("C:\\WINDOWS\\game.exe", {5, 2, 300, 4});
  fake.AddRegKey(RegRoot::ClassesRoot, "Game.Document\\5.0");
  fake.AddFile("C:\\Game\\plain.txt");
  fake.AddFolder("C:\\Game\\folder");
  fake.SetProductVersion("C:\\Game\\folder", {1, 0, 0, 0});
  for (const auto& [registry, version, file, askMsg, boxes] : rows) {
    SCOPED_TRACE(std::string(registry) + file);
    fake.boxes.clear();
    context.askMsg = askMsg;
    EXPECT_TRUE(Check(registry, version, file));
    EXPECT_EQ(Boxes(fake.boxes), boxes);
  }
}

}  // namespace
