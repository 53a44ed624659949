#include <gtest/gtest.h>

#include "config/MainDialogSearch.h"
#include "platform/fake/FakePlatform.h"

namespace {

constexpr const char* kProgram = "C:\\Program Files\\Velmora\\VERavevi.exe";

class MainDialogSearch : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  void SetUp() override { fake.modulePath = kProgram; }
};

TEST_F(MainDialogSearch, ACaptionFindsAnyTopLevelWindowWithExactlyThatCaption) {
  fake.AddWindow("Bonus Installer", "#32770", kProgram);
  const auto other = fake.AddWindow("Bonus", "Notepad", "C:\\Windows\\notepad.exe");
  EXPECT_EQ(FindMainDialog(fake, "Bonus"), other);
  EXPECT_EQ(FindMainDialog(fake, "bonus"), 0u);
  EXPECT_EQ(FindMainDialog(fake, "Bonus "), 0u);
}

TEST_F(MainDialogSearch, AnEmptyCaptionFindsOnlyThisProgramsUntitledDialog) {
  fake.AddWindow("", "#32770", "C:\\Windows\\explorer.exe");
  fake.AddWindow("", "Shell_TrayWnd", kProgram);
  fake.AddWindow("", "#32770", "");
  fake.AddWindow("", "#32770", "C:\\Program Files\\Velmora\\VERavevi.exe.bak");
  fake.AddWindow("Bonus", "#32770", kProgram);
  EXPECT_EQ(FindMainDialog(fake, ""), 0u);

  const auto ours = fake.AddWindow("", "#32770", "C:\\PROGRAM FILES\\velmora\\VERAVEVI.EXE");
  EXPECT_EQ(FindMainDialog(fake, ""), ours);
}

TEST_F(MainDialogSearch, AnUnknownProgramPathFindsNothingUntitled) {
  fake.modulePath.clear();
  fake.AddWindow("", "#32770", "");
  EXPECT_EQ(FindMainDialog(fake, ""), 0u);
}

}  // namespace
