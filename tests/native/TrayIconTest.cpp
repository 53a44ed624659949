#include <gtest/gtest.h>

#include <cstring>

#include "app/TrayIcon.h"
#include "tests/native/TrayTestSupport.h"

using traytest::FakeMenus;
using traytest::TrayPlatform;

namespace {

constexpr plat::WindowHandle kFrame = 0x7001;
constexpr std::uint32_t kAllFlags = plat::kNifIcon | plat::kNifTip | plat::kNifMessage;

class TrayIconTest : public ::testing::Test {
 protected:
  TrayIconTest() : menus(p) { traytest::ArrangeMachine(p); }

  void WithConfigs(const std::string& programTitle, bool dataPresent, const std::string& dataTitle = "Data") {
    p.AddFile(traytest::kProgramCfg, traytest::TuneUp("WindowTitle=" + programTitle + "\r\n"));
    if (dataPresent) p.AddFile(traytest::kDataCfg, traytest::TuneUp("WindowTitle=" + dataTitle + "\r\n"));
  }

  TrayPlatform p;
  FakeMenus menus;
};

TEST_F(TrayIconTest, ConstructionPreparesTheRecordAndReadsTheTitleFromTheProgramFolder) {
  WithConfigs("Program Title", true, "Data Title");
  CTrayIcon icon(p, menus, 3);
  EXPECT_EQ(icon.m_nid.cbSize, 88u);
  EXPECT_EQ(icon.m_nid.uID, 3u);
  EXPECT_EQ(icon.m_nid.hIcon, 0u);
  EXPECT_STREQ(icon.m_nid.szTip, "");  // the table has no string 3
  EXPECT_EQ(icon.m_sTitle, "Program Title");
  EXPECT_EQ(icon.m_sConfigFile, traytest::kProgramCfg);
  EXPECT_TRUE(p.notifyCalls.empty());
}

TEST_F(TrayIconTest, ConstructionWithoutConfigurationLeavesTheTitleEmpty) {
  CTrayIcon icon(p, menus, 3);
  EXPECT_EQ(icon.m_sTitle, "");
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(TrayIconTest, SetIconAddsThenModifiesThenDeletes) {
  {
    CTrayIcon icon(p, menus, 3);
    icon.SetNotificationWnd(kFrame, plat::kWmUser);
    EXPECT_TRUE(icon.SetIcon(0x501, std::string("First tip")));
    EXPECT_TRUE(icon.SetIcon(0x502, std::nullopt));
    EXPECT_TRUE(icon.SetIcon(0, std::nullopt));
    EXPECT_EQ(icon.m_nid.hIcon, 0u);
    EXPECT_TRUE(icon.SetIcon(0, std::nullopt));  // nothing left to remove
  }                                              // destruction has nothing to remove either

  ASSERT_EQ(p.notifyCalls.size(), 3u);
  const auto& add = p.notifyCalls[0];
  EXPECT_EQ(add.command, plat::kNimAdd);
  EXPECT_EQ(add.data.uFlags, kAllFlags);
  EXPECT_EQ(add.data.hIcon, 0x501u);
  EXPECT_EQ(add.data.hWnd, kFrame);
  EXPECT_EQ(add.data.uCallbackMessage, plat::kWmUser);
  EXPECT_EQ(add.data.uID, 3u);
  EXPECT_EQ(add.data.cbSize, 88u);
  EXPECT_STREQ(add.data.szTip, "First tip");

  const auto& modify = p.notifyCalls[1];
  EXPECT_EQ(modify.command, plat::kNimModify);
  EXPECT_EQ(modify.data.uFlags, kAllFlags);
  EXPECT_EQ(modify.data.hIcon, 0x502u);
  EXPECT_STREQ(modify.data.szTip, "First tip");  // kept when none is given

  const auto& remove = p.notifyCalls[2];
  EXPECT_EQ(remove.command, plat::kNimDelete);
  EXPECT_EQ(remove.data.uFlags, plat::kNifTip | plat::kNifMessage);
  EXPECT_EQ(remove.data.uID, 3u);
}

TEST_F(TrayIconTest, FlagsFollowWhatIsSet) {
  CTrayIcon icon(p, menus, 3);
  icon.SetIcon(0x501, std::nullopt);  // no tip, no window
  icon.SetNotificationWnd(0, plat::kWmUser);
  icon.SetIcon(0x502, std::nullopt);  // message without window
  icon.SetNotificationWnd(kFrame, 0);
  icon.SetIcon(0x503, std::nullopt);  // window without message
  ASSERT_EQ(p.notifyCalls.size(), 3u);
  for (const auto& call : p.notifyCalls) EXPECT_EQ(call.data.uFlags, plat::kNifIcon);
}

TEST_F(TrayIconTest, FailedAddLeavesTheIconAbsentSoTheNextSetIconAddsAgain) {
  CTrayIcon icon(p, menus, 3);
  p.failShellNotify = true;
  EXPECT_FALSE(icon.SetIcon(0x501, std::string("Tip")));
  EXPECT_EQ(icon.m_nid.hIcon, 0u);
  p.failShellNotify = false;
  EXPECT_TRUE(icon.SetIcon(0x501, std::nullopt));
  ASSERT_EQ(p.notifyCalls.size(), 2u);
  EXPECT_EQ(p.notifyCalls[0].command, plat::kNimAdd);
  EXPECT_EQ(p.notifyCalls[1].command, plat::kNimAdd);
}

TEST_F(TrayIconTest, TooltipKeepsAtMostSixtyThreeCharacters) {
  for (std::size_t length : {0u, 1u, 62u, 63u, 64u, 300u}) {
    SCOPED_TRACE(length);
    TrayPlatform machine;
    FakeMenus m(machine);
    CTrayIcon icon(machine, m, 3);
    std::string tip;
    for (std::size_t i = 0; i < length; ++i) tip += static_cast<char>('a' + i % 26);
    icon.SetIcon(0x501, tip);
    EXPECT_EQ(std::string(icon.m_nid.szTip), tip.substr(0, 63));
    ASSERT_EQ(machine.notifyCalls.size(), 1u);
    EXPECT_EQ(std::strlen(machine.notifyCalls[0].data.szTip), length < 63 ? length : 63);
    EXPECT_EQ((machine.notifyCalls[0].data.uFlags & plat::kNifTip) != 0, length > 0);
  }
}

TEST_F(TrayIconTest, ResourceFormTakesIconAndTooltipOfTheSameId) {
  CTrayIcon icon(p, menus, 3);
  icon.SetIcon(101u);
  icon.SetIcon(102u);
  icon.SetIcon(0u);
  ASSERT_EQ(p.notifyCalls.size(), 3u);
  EXPECT_EQ(p.notifyCalls[0].command, plat::kNimAdd);
  EXPECT_EQ(p.notifyCalls[0].data.hIcon, p.ProgramIconHandle(101));
  EXPECT_STREQ(p.notifyCalls[0].data.szTip, "Bonus Software");
  EXPECT_EQ(p.notifyCalls[1].command, plat::kNimModify);
  EXPECT_EQ(p.notifyCalls[1].data.hIcon, p.ProgramIconHandle(102));
  EXPECT_STREQ(p.notifyCalls[1].data.szTip, "To exit, right-click then terminate VERavevi.");
  EXPECT_EQ(p.notifyCalls[2].command, plat::kNimDelete);
}

TEST_F(TrayIconTest, DestructionRemovesTheIconFromTheTray) {
  {
    CTrayIcon icon(p, menus, 3);
    icon.SetIcon(0x501, std::string("Tip"));
  }
  ASSERT_EQ(p.notifyCalls.size(), 2u);
  EXPECT_EQ(p.notifyCalls[1].command, plat::kNimDelete);
}

// ---- notifications ---------------------------------------------------------

TEST_F(TrayIconTest, IgnoresOtherIdsAndOtherMouseMessages) {
  WithConfigs("T", true);
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  for (std::intptr_t message = 0x200; message <= 0x209; ++message) {
    if (message == 0x203 || message == 0x205) continue;
    EXPECT_EQ(icon.OnTrayNotification(3, message), 0) << message;
  }
  EXPECT_EQ(icon.OnTrayNotification(4, 0x205), 0);
  EXPECT_EQ(icon.OnTrayNotification(4, 0x203), 0);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x0400), 0);
  EXPECT_TRUE(menus.events.empty());
  EXPECT_TRUE(p.messages.empty());
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(TrayIconTest, RightButtonReleaseShowsTheMenuAtTheCursorWithOpenAsDefault) {
  WithConfigs("T", true);
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x205), 1);

  EXPECT_EQ(menus.Sequence(), (std::vector<std::string>{"load", "default", "cursor", "track", "release"}));
  EXPECT_EQ(menus.events[0].menuId, 3u);
  EXPECT_EQ(menus.events[1].position, 0);
  const auto& track = menus.events[3];
  EXPECT_EQ(track.at.x, 640);
  EXPECT_EQ(track.at.y, 700);
  EXPECT_EQ(track.owner, kFrame);
  EXPECT_EQ(track.foregroundsBefore, 1u);  // the frame came to the foreground first
  EXPECT_EQ(track.messagesBefore, 0u);
  ASSERT_EQ(p.foregrounded.size(), 1u);
  EXPECT_EQ(p.foregrounded[0], kFrame);
  ASSERT_EQ(p.messages.size(), 1u);  // the empty message after the menu
  EXPECT_EQ(p.messages[0].window, kFrame);
  EXPECT_EQ(p.messages[0].message, plat::kWmNull);
  EXPECT_TRUE(p.messages[0].posted);
}

TEST_F(TrayIconTest, MissingMenuResourceMakesTheIconIgnoreTheClick) {
  WithConfigs("T", true);
  menus.missing = true;
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x205), 0);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 0);
  EXPECT_TRUE(p.messages.empty());
  EXPECT_TRUE(p.foregrounded.empty());
}

TEST_F(TrayIconTest, DoubleClickWithoutRunningDialogSendsTheMenusFirstCommandToTheFrame) {
  WithConfigs("T", true);
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 1);
  EXPECT_EQ(icon.m_sConfigFile, traytest::kDataCfg);
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_EQ(p.messages[0].window, kFrame);
  EXPECT_EQ(p.messages[0].message, plat::kWmCommand);
  EXPECT_EQ(p.messages[0].wParam, 32023u);
  EXPECT_FALSE(p.messages[0].posted);
  EXPECT_TRUE(p.boxes.empty());
}

TEST_F(TrayIconTest, DoubleClickRaisesTheRunningMainDialogInstead) {
  WithConfigs("Bonus", true);
  plat::WindowHandle dialog = p.AddWindow("Bonus");
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 1);
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_EQ(p.messages[0].window, dialog);
  EXPECT_EQ(p.messages[0].message, plat::kWmActivate);
  EXPECT_EQ(p.messages[0].wParam, 0u);
  EXPECT_EQ(p.messages[0].lParam, 0);
  ASSERT_EQ(p.foregrounded.size(), 1u);
  EXPECT_EQ(p.foregrounded[0], dialog);
}

TEST_F(TrayIconTest, EmptyTitleLooksForTheDialogWithAnEmptyCaption) {
  WithConfigs("", true);
  p.AddWindow("Velmora Bonus Software Installer");
  p.AddWindow("", "#32770", "C:\\Other\\other.exe");
  plat::WindowHandle untitled = p.AddWindow("", "#32770", p.modulePath);
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 1);
  ASSERT_EQ(p.foregrounded.size(), 1u);
  EXPECT_EQ(p.foregrounded[0], untitled);
}

TEST_F(TrayIconTest, DoubleClickWithTheDiskMissingPromptsUntilCancel) {
  WithConfigs("Program Title", false);
  p.answers = {plat::kIdOk, plat::kIdCancel};
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 0);
  ASSERT_EQ(p.boxes.size(), 2u);
  for (const auto& box : p.boxes) {
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.text, "Please insert the disk labeled \"Velmora 5.0\", and click OK.");
    EXPECT_EQ(box.caption, "Program Title");
    EXPECT_EQ(box.type, 0x11u);
  }
  EXPECT_TRUE(p.messages.empty());
}

TEST_F(TrayIconTest, PromptUsesTheDefaultCaptionWhenTheProgramFolderHasNoTitle) {
  p.answers = {plat::kIdCancel};
  CTrayIcon icon(p, menus, 3);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 0);
  ASSERT_EQ(p.boxes.size(), 1u);
  EXPECT_EQ(p.boxes[0].caption, "Velmora Bonus Software Installer");
}

TEST_F(TrayIconTest, OkAfterInsertingTheDiskGoesOn) {
  WithConfigs("T", false);
  p.duringBox.push_back([&] { p.AddFile(traytest::kDataCfg, traytest::TuneUp("WindowTitle=T\r\n")); });
  CTrayIcon icon(p, menus, 3);
  icon.SetNotificationWnd(kFrame, plat::kWmUser);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 1);
  EXPECT_EQ(p.boxes.size(), 1u);
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_EQ(p.messages[0].wParam, 32023u);
}

}  // namespace
