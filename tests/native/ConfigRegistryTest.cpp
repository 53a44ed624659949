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
  fake.SetRegString(RegRoot::Users, "LOCAL_MACHINE\\X", "V", "users");
  fake.SetRegString(RegRoot::Users, "S\\X", "V", "moved");
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
      // A root name further in still chooses the root; the cut is by its length.
      {"HKEY_USERS\\HKEY_LOCAL_MACHINE\\SOFTWARE\\X", ""},
      {"HKEY_LOCAL_MACHINE\\HKEY_USERS\\.DEFAULT\\X", ""},
      {"abcdHKEY_LOCAL_MACHINE\\SOFTWARE\\X", ""},
      {std::string(16, 'x') + "HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "cut by length"},
      {"HKEY_USERS\\LOCAL_MACHINE\\X", "users"},  // the first eleven characters go
      {"xyHKEY_USERS\\X", "moved"},
      {"HKEY_CLASSES_ROOT", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(config.ReadRegistryString(c.keyPath, "V"), c.expected) << c.keyPath;
}

TEST_F(ConfigRegistry, DataBytes) {
  const struct {
    const char* name;
    plat::RegValue value;
    std::string expected;
  } cases[] = {
      {"Number", {plat::kRegDword, std::string("ABC\0", 4)}, "ABC"},
      {"Full", {plat::kRegSz, std::string(plat::kMaxPath, 'f')}, std::string(plat::kMaxPath, 'f')},
      {"Over", {plat::kRegSz, std::string(plat::kMaxPath, 'o') + std::string(1, '\0')}, ""},
      {"Multi", {plat::kRegMultiSz, std::string("one\0two\0\0", 9)}, "one"},
      {"", {plat::kRegSz, std::string("default\0", 8)}, "default"},
  };
  for (const auto& c : cases) {
    fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\D", c.name, c.value);
    EXPECT_EQ(config.ReadRegistryString("HKEY_LOCAL_MACHINE\\SOFTWARE\\D", c.name), c.expected) << c.name;
  }
  EXPECT_EQ(config.ReadRegistryString("HKEY_LOCAL_MACHINE\\SOFTWARE\\D", "Missing"), "");
}

// ---- ReadSectionRegistryValue ----------------------------------------------------------

class SectionReader : public ConfigRegistry {
 protected:
  void SetUp() override {
    fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Chess", "Path", "C:\\Games\\Chess");
    fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\Chess", "", "chess default");
    fake.SetRegString(RegRoot::Users, ".DEFAULT\\X", "V", "users value");
  }
  static constexpr const char* kFile = "C:\\Games\\Chess\\Chess.cfg";
};

TEST_F(SectionReader, SectionsOfOneRead) {
  const std::string chess = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess", users = "HKEY_USERS\\.DEFAULT\\X";
  const std::string path = "C:\\Games\\Chess";
  const struct {
    const char* name;
    std::string content, header, expected, key, value;
  } rows[] = {
      {"an empty value reads the default value", "[S]\nKey=" + chess + "\nValue=\n", "[S]", "chess default",
       chess, ""},
      {"other lines of the section are ignored",
       "[S]\nkey=" + users + "\nKey\nKeys=1\n;Key=" + users + "\nKey=" + chess + "\n\tValue = Path", "[S]",
       path, chess, "Path"},
      {"header matched after TAB deletion and trimming",
       "  [Install\tDir]  \nKey=" + chess + "\nValue=Path\n", "[InstallDir]", path, chess, "Path"},
      {"no key gives empty text", "[S]\nValue=Path\n", "[S]", "", "", "Path"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    CBonusConfig store(fake);
    fake.AddFile(kFile, r.content);
    EXPECT_EQ(store.ReadSectionRegistryValue(kFile, r.header), r.expected);
    EXPECT_EQ(store.m_sRegKey, r.key);
    EXPECT_EQ(store.m_sRegValue, r.value);
    EXPECT_EQ(store.m_sLine + store.m_sSectionName, "");
  }
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(SectionReader, WhatTheStoreBringsToTheRead) {
  // A store that read a section earlier keeps its Key and Value.
  fake.AddFile(kFile, "[S]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess\nValue=Path\n");
  config.ReadSectionRegistryValue(kFile, "[S]");
  fake.AddFile(kFile, "[s]\nKey=HKEY_USERS\\.DEFAULT\\X\nValue=V\n");
  EXPECT_EQ(config.ReadSectionRegistryValue(kFile, "[S]"), "C:\\Games\\Chess");
  // A store left inside a section reads the file's leading lines as part of it.
  CBonusConfig inSection(fake);
  inSection.m_bInSection = true;
  fake.AddFile(kFile, "Key=HKEY_USERS\\.DEFAULT\\X\nValue=V\n[S]\n");
  EXPECT_EQ(inSection.ReadSectionRegistryValue(kFile, "[Other]"), "users value");
}

TEST_F(SectionReader, MissingFile) {
  // Not even a remembered key is read then; only a file not named .cfg is reported.
  config.m_sRegKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess";
  config.m_sRegValue = "Path";
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.cfg", "[S]"), "");
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_EQ(config.ReadSectionRegistryValue("C:\\none.ini", "[S]"), "");
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].text, "Error: C:\\none.ini doesn't exist.");
}

}  // namespace
