#include <gtest/gtest.h>

#include "config/MainDialogSearch.h"
#include "platform/fake/FakePlatform.h"

namespace {

constexpr const char* kProgram = "C:\\Program Files\\Velmora\\VERavevi.exe";

TEST(MainDialogSearch, ACaptionFindsAnyWindowWithExactlyItAnEmptyOneOnlyThisProgramsUntitledDialog) {
  plat::FakePlatform fake;
  fake.modulePath.clear();
  fake.AddWindow("", "#32770", "");
  EXPECT_EQ(FindMainDialog(fake, ""), 0u);  // no program path: nothing untitled is ours
  fake.modulePath = kProgram;
  fake.AddWindow("Bonus Installer", "#32770", kProgram);
  const auto other = fake.AddWindow("Bonus", "Notepad", "C:\\Windows\\notepad.exe");
  EXPECT_EQ(FindMainDialog(fake, "Bonus"), other);
  EXPECT_EQ(FindMainDialog(fake, "bonus") + FindMainDialog(fake, "Bonus "), 0u);
  fake.AddWindow("", "#32770", "C:\\Windows\\explorer.exe");
  fake.AddWindow("", "Shell_TrayWnd", kProgram);
  fake.AddWindow("", "#32770", "C:\\Program Files\\Velmora\\VERavevi.exe.bak");
  EXPECT_EQ(FindMainDialog(fake, ""), 0u);
  const auto ours = fake.AddWindow("", "#32770", "C:\\PROGRAM FILES\\velmora\\VERAVEVI.EXE");
  EXPECT_EQ(FindMainDialog(fake, ""), ours);
}

}  // namespace
