// Registry reads by key path, and the registry sections of capsule files.
#include <gtest/gtest.h>

#include <string>

#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

using plat::RegRoot;

class ConfigRegistry : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  CBonusConfig config{fake};
};

TEST_F(ConfigRegistry, KeyPaths) {
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\X", "V", "lm");
  fake.SetRegString(RegRoot::CurrentUser, "Software\\X", "V", "cu");
  fake.SetRegString(RegRoot::ClassesRoot, ".abc", "V", "cr");
  fake.SetRegString(RegRoot::Users, ".DEFAULT\\X", "V", "us");
  fake.SetRegString(RegRoot::LocalMachine, "HKLM\\SOFTWARE\\X", "V", "no abbreviation");
  fake.SetRegString(RegRoot::LocalMachine, "HKEY_LOCAL_MACHINESOFTWARE\\X", "V", "no root");
  fake.SetRegString(RegRoot::LocalMachine, "Y_LOCAL_MACHINE\\SOFTWARE\\X", "V", "cut by length");
  const struct {
    std::string keyPath;
    std::string expected;
  } cases[] = {
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "lm"},
      {"HKEY_CURRENT_USER\\Software\\X", "cu"},
      {"HKEY_CLASSES_ROOT\\.abc", "cr"},
      {"HKEY_USERS\\.DEFAULT\\X", "us"},
      {"  \t HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "lm"},
      {"HKLM\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINESOFTWARE\\X", ""},
      {"hkey_local_machine\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Missing", ""},
      {"", ""},
      {"   ", ""},
      // A root name further in still chooses the root; the cut is by length.
      {"HKEY_USERS\\HKEY_LOCAL_MACHINE\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINE\\HKEY_USERS\\.DEFAULT\\X", ""},
      {"abcdHKEY_LOCAL_MACHINE\\SOFTWARE\\X", ""},
      {std::string(16, 'x') + "HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "cut by length"},
      {"abcdefghijklmnopqrstHKEY_USERS", ""},
      {"HKEY_CLASSES_ROOT", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(config.ReadRegistryString(c.keyPath, "V"), c.expected) << c.keyPath;
}

TEST_F(ConfigRegistry, RootFoundLaterInThePathCutsByItsLength) {
  fake.SetRegString(RegRoot::Users, "LOCAL_MACHINE\\X", "V", "users");
  // "HKEY_LOCAL_MACHINE\" is not in the text, "HKEY_USERS" is: the first
  // eleven characters go.
  EXPECT_EQ(config.ReadRegistryString("HKEY_USERS\\LOCAL_MACHINE\\X", "V"), "users");
  fake.SetRegString(RegRoot::Users, "S\\X", "V", "moved");
  EXPECT_EQ(config.ReadRegistryString("xyHKEY_USERS\\X", "V"), "moved");
}

TEST_F(ConfigRegistry, DataBytes) {
  const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\D";
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\D", "Number", 0x00434241);
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\D", "Zero", 0);
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\D", "Full",
                   plat::RegValue{plat::kRegSz, std::string(plat::kMaxPath, 'f')});
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\D", "Over",
                   plat::RegValue{plat::kRegSz, std::string(plat::kMaxPath, 'o') + std::string(1, '\0')});
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\D", "Multi",
                   plat::RegValue{plat::kRegMultiSz, std::string("one\0two\0\0", 9)});
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\D", "Empty", plat::RegValue{plat::kRegSz, {}});
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\D", "", "default");
  EXPECT_EQ(config.ReadRegistryString(key, "Number"), "ABC");
  EXPECT_EQ(config.ReadRegistryString(key, "Zero"), "");
  EXPECT_EQ(config.ReadRegistryString(key, "Full"), std::string(plat::kMaxPath, 'f'));
  EXPECT_EQ(config.ReadRegistryString(key, "Over"), "");
  EXPECT_EQ(config.ReadRegistryString(key, "Multi"), "one");
  EXPECT_EQ(config.ReadRegistryString(key, "Empty"), "");
  EXPECT_EQ(config.ReadRegistryString(key, ""), "default");
  EXPECT_EQ(config.ReadRegistryString(key, "Missing"), "");
}

// ---- ReadSectionRegistryValue ----------------------------------------------------------

class SectionReader : public ConfigRegistry {
 protected:
  void SetUp() override {
    fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Chess", "Path", "C:\\Games\\Chess");
    fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Chess", "", "chess default");
    fake.SetRegString(RegRoot::Users, ".DEFAULT\\X", "V", "users value");
  }
  std::string Read(const std::string& content, const std::string& header) {
    fake.AddFile(kFile, content);
    return config.ReadSectionRegistryValue(kFile, header);
  }
  static constexpr const char* kFile = "C:\\Games\\Chess\\Chess.cfg";
};

TEST_F(SectionReader, ReadsTheNamedSection) {
  EXPECT_EQ(Read("[TuneUp]\nTitle=Chess\nToken1=[InstallDir]\n[InstallDir]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\n"
                 "Value=Path\n[Version]\nKey=HKEY_USERS\\.DEFAULT\\X\n",
                 "[InstallDir]"),
            "C:\\Games\\Chess");
  EXPECT_EQ(config.m_sRegKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess");
  EXPECT_EQ(config.m_sRegValue, "Path");
  EXPECT_FALSE(config.m_bInSection);
  EXPECT_EQ(config.m_sLine, "");
  EXPECT_EQ(config.m_sSectionName, "");
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(SectionReader, BlanksAroundTheEqualsSign) {
  EXPECT_EQ(Read("[S]\r\n  Key \t =   HKEY_USERS\\.DEFAULT\\X  \r\n Value\t=\tV\r\n", "[S]"), "users value");
  EXPECT_EQ(config.m_sRegKey, "HKEY_USERS\\.DEFAULT\\X");
}

TEST_F(SectionReader, EmptyValueReadsTheDefaultValue) {
  EXPECT_EQ(Read("[S]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue=\n", "[S]"), "chess default");
}

TEST_F(SectionReader, HeaderInAnotherCaseIsNotFound) {
  EXPECT_EQ(Read("[s]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue=Path\n", "[S]"), "");
  EXPECT_EQ(config.m_sRegKey, "");
  // A store that read a section earlier keeps its Key and Value.
  EXPECT_EQ(Read("[S]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue=Path\n", "[S]"), "C:\\Games\\Chess");
  EXPECT_EQ(Read("[s]\nKey=HKEY_USERS\\.DEFAULT\\X\nValue=V\n", "[S]"), "C:\\Games\\Chess");
}

TEST_F(SectionReader, RepeatedSectionsAreReadEachTime) {
  EXPECT_EQ(Read("[S]\nKey=HKEY_USERS\\.DEFAULT\\X\nValue=Path\n[T]\nValue=nothing\n[S]\n"
                 "Key=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\n",
                 "[S]"),
            "C:\\Games\\Chess");
  EXPECT_EQ(config.m_sRegValue, "Path");
}

TEST_F(SectionReader, OtherLinesOfTheSectionAreIgnored) {
  EXPECT_EQ(Read("[S]\nkey=HKEY_USERS\\.DEFAULT\\X\nKey\nKeys=1\n;Key=HKEY_USERS\\.DEFAULT\\X\n"
                 "Key=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\n\tValue = Path",
                 "[S]"),
            "C:\\Games\\Chess");
}

TEST_F(SectionReader, HeaderMatchAfterTabDeletionAndTrimming) {
  EXPECT_EQ(Read("  [Install\tDir]  \nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue=Path\n", "[InstallDir]"),
            "C:\\Games\\Chess");
}

TEST_F(SectionReader, NoKeyGivesEmptyText) {
  EXPECT_EQ(Read("[S]\nValue=Path\n", "[S]"), "");
  EXPECT_EQ(config.m_sRegValue, "Path");
}

TEST_F(SectionReader, SectionStateCarriesIntoTheRead) {
  // A store left inside a section reads the file's leading lines as part of it.
  config.m_bInSection = true;
  EXPECT_EQ(Read("Key=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue=Path\n[S]\n", "[Other]"), "C:\\Games\\Chess");
}

TEST_F(SectionReader, MissingFile) {
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.cfg", "[S]"), "");
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.ini", "[S]"), "");
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].text, "Error: C:\\none.ini doesn't exist.");
  EXPECT_EQ(fake.boxes[0].caption, "Velmora Bonus Software Installer");
  EXPECT_EQ(fake.boxes[0].type, 0x10u);
  // Not even a remembered key is read then.
  config.m_sRegKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess";
  config.m_sRegValue = "Path";
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.cfg", "[S]"), "");
}

}  // namespace
