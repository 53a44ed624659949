#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "config/BonusConfig.h"
#include "install/VersionCheck.h"
#include "platform/fake/FakePlatform.h"
#include "tests/native/DialogTestSupport.h"

namespace {

using browser::testing::Boxes;
using plat::RegRoot;

class VersionCheck : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
  install::VersionCheckContext context;

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
    return install::CheckInstalledVersion(config, registry, version, file, context);
  }

  // The reinstall question as the one box (Yes/No, question icon, No as default), or no box.
  std::string Asked(bool asked) const { return asked ? "Bonus|" + context.askMsg + "|0x124\n" : ""; }
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
      {"LowerKeyButEqualDefault", str(RegRoot::CurrentUser, "Software\\Game\\4.0", "", "5.0"), cu, "5.0",
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

// The file check (and the registry check where Registry is set), answered
// No: the test mark's box, the question when the reference is not older (an
// empty AskMsg is asked by the registry check only), and nothing to check.
TEST_F(VersionCheck, FileAgainstVersion) {
  const std::string mark = "Bonus Test|Product version of the  C:\\WINDOWS\\game.exe:   5.2.300.4|0x0\n";
  const std::string ask = Asked(true);
  const std::string kAsk = "Already installed. Install again?";
  const std::tuple<const char*, const char*, const char*, plat::ProductVersion, std::string, std::string>
      rows[] = {
          {"", "5", "  {WIN_DIR}\\game.exe", {5, 0, 0, 0}, kAsk, ""},  // a short version is older
          {"", "5,0,0,0", "{WIN_DIR}\\game.exe", {5, 0, 0, 0}, kAsk, ask},
          {"", "5.1,2.3.4", "{WIN_DIR}\\game.exe", {5, 1, 2, 3}, kAsk, ask},
          {"", "5..1", "{WIN_DIR}\\game.exe", {5, 0, 1, 0}, kAsk, ""},
          {"", "", "{WIN_DIR}\\game.exe", {0, 0, 0, 0}, kAsk, ""},
          {"", "5.0.0.1", "{WIN_DIR}\\game.exe", {5, 0, 0, 0}, kAsk, ask},
          {"", "6", "{WIN_DIR}\\game.exe", {5, 9, 9, 9}, kAsk, ask},
          {"", "5.0", "{WIN_DIR}\\game.exe", {5, 1, 0, 0}, kAsk, ""},
          {"", "5.10", "{WIN_DIR}\\game.exe", {5, 9, 0, 0}, kAsk, ask},  // fields are numbers
          {"", "5.0.0.0.9", "{WIN_DIR}\\game.exe", {5, 0, 0, 0}, kAsk, ask},
          {"", "5.0.0.40000", "{WIN_DIR}\\game.exe", {5, 0, 0, 40000}, kAsk, ask},
          {"", "6", "{WIN_DIR}\\game.exe , test", {5, 2, 300, 4}, kAsk, mark + ask},
          {"", "1", "{WIN_DIR}\\game.exe,test", {5, 2, 300, 4}, kAsk, mark},  // shown whatever the result
          {"", "1", "{WIN_DIR}\\game.exe,Test", {5, 2, 300, 4}, kAsk, ""},    // exact case only
          {"", "6", "{WIN_DIR}\\game.exe", {5, 2, 300, 4}, "", ""},
          {"HKEY_CLASSES_ROOT\\Game.Document\\5.0", "5.0", "", {}, "", "Bonus||0x124\n"},
          {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Absent\\Version", "6", "{WIN_DIR}\\game.exe,test", {}, kAsk, ""},
          {"   ", "5", "", {}, kAsk, ""},
          {"", "9", "C:\\Game\\missing.exe,test", {}, kAsk, ""},
          {"", "9", "C:\\Game\\plain.txt,test", {}, kAsk, ""},
          {"", "9", "C:\\Game\\folder", {}, kAsk, ""},
          {"", "9", " ", {}, kAsk, ""},
      };
  fake.AddFile("C:\\WINDOWS\\game.exe");
  fake.AddRegKey(RegRoot::ClassesRoot, "Game.Document\\5.0");
  fake.AddFile("C:\\Game\\plain.txt");
  fake.AddFolder("C:\\Game\\folder");
  fake.SetProductVersion("C:\\Game\\folder", {1, 0, 0, 0});
  for (const auto& [registry, version, file, installed, askMsg, boxes] : rows) {
    SCOPED_TRACE(std::string(registry) + version + file);
    fake.boxes.clear();
    fake.answers = {plat::kIdNo, plat::kIdNo};  // to the test mark's box and the question
    fake.SetProductVersion("C:\\WINDOWS\\game.exe", installed);
    context.askMsg = askMsg;
    EXPECT_EQ(Check(registry, version, file), boxes.find("0x124") == std::string::npos);
    EXPECT_EQ(Boxes(fake.boxes), boxes);
  }
}

}  // namespace
