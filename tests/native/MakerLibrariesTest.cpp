#include <gtest/gtest.h>

#include "app/VGui.h"
#include "app/VUtils.h"
#include "platform/fake/FakePlatform.h"

namespace {

TEST(VUtilsSubstitute, LetsStartUpGoOn) {
  EXPECT_NE(HasAdminRights(0), 0);
  EXPECT_EQ(IsUpdateInProgress(), 0);
  EXPECT_FALSE(GetCurrentTheme().empty());
}

class LoadZBLibrary : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  void SetUp() override { fake.modulePath = "C:\\Velmora\\VERavevi.exe"; }
};

TEST_F(LoadZBLibrary, PrefersTheFileBesideTheProgram) {
  fake.AddLibrary("C:\\Velmora\\VScript.DLL", {});
  fake.AddLibrary("C:\\WINDOWS\\SYSTEM32\\VScript.DLL", {});
  EXPECT_NE(LoadZBLibraryEx(fake, "VScript.DLL"), 0u);
  EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{"C:\\Velmora\\VScript.DLL"});
}

TEST_F(LoadZBLibrary, OtherwiseLoadsTheNameAsGiven) {
  fake.AddLibrary("C:\\WINDOWS\\SYSTEM32\\VScript.DLL", {});
  EXPECT_NE(LoadZBLibraryEx(fake, "VScript.DLL"), 0u);
  EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{"VScript.DLL"});
}

TEST_F(LoadZBLibrary, AFolderBesideTheProgramIsNotTheLibrary) {
  fake.AddFolder("C:\\Velmora\\VScript.DLL");
  EXPECT_EQ(LoadZBLibraryEx(fake, "VScript.DLL"), 0u);
  EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{"VScript.DLL"});
}

TEST_F(LoadZBLibrary, NothingLoadedGivesZero) {
  EXPECT_EQ(LoadZBLibraryEx(fake, "VScript.DLL"), 0u);
  EXPECT_EQ(LoadZBLibraryEx(fake, ""), 0u);
}

TEST(VGuiSubstitute, VMessageBoxIsThePlatformsBoxAndReturnsThePressedButton) {
  plat::FakePlatform fake;
  fake.answers = {plat::kIdCancel};
  EXPECT_EQ(VMessageBox(fake, 0, "Insert the disk", "Bonus", 0x11, "", 0, ""), plat::kIdCancel);
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].owner, 0u);
  EXPECT_EQ(fake.boxes[0].text, "Insert the disk");
  EXPECT_EQ(fake.boxes[0].caption, "Bonus");
  EXPECT_EQ(fake.boxes[0].type, 0x11u);
}

}  // namespace
