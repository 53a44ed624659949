#include <gtest/gtest.h>

#include "platform/VGui.h"
#include "platform/VUtils.h"
#include "platform/fake/FakePlatform.h"

namespace {

TEST(VUtilsSubstitute, LetsStartUpGoOn) {
  EXPECT_NE(HasAdminRights(0), 0);
  EXPECT_EQ(IsUpdateInProgress(), 0);
  EXPECT_FALSE(GetCurrentTheme().empty());
}

// The file beside the program wins; otherwise the name is loaded as given.
TEST(LoadZBLibrary, PrefersTheFileBesideTheProgram) {
  const std::string beside = "C:\\Velmora\\VScript.DLL";
  struct Row {
    const char* name;
    bool besideFile, besideFolder, system;
    bool loads;
    std::string loaded;
  } rows[] = {
      {"both", true, false, true, true, beside},
      {"system only", false, false, true, true, "VScript.DLL"},
      {"a folder beside", false, true, false, false, "VScript.DLL"},
      {"nowhere", false, false, false, false, "VScript.DLL"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    plat::FakePlatform fake;
    fake.modulePath = "C:\\Velmora\\VERavevi.exe";
    if (r.besideFile) fake.AddLibrary(beside, {});
    if (r.besideFolder) fake.AddFolder(beside);
    if (r.system) fake.AddLibrary("C:\\WINDOWS\\SYSTEM32\\VScript.DLL", {});
    EXPECT_EQ(LoadZBLibraryEx(fake, "VScript.DLL") != 0, r.loads);
    EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{r.loaded});
  }
  plat::FakePlatform fake;
  fake.modulePath = "C:\\Velmora\\VERavevi.exe";
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
