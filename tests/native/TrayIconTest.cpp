#include <gtest/gtest.h>

#include <cstring>

#include "app/TrayIcon.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

constexpr plat::WindowHandle kFrame = 0x7001;
constexpr std::uint32_t kAllFlags = plat::kNifIcon | plat::kNifTip | plat::kNifMessage;
using Strings = std::vector<std::string>;

class TrayIconTest : public ::testing::Test, public TrayMachine {
 protected:
  // An icon that notifies the frame.
  CTrayIcon& Icon() {
    icon_ = std::make_unique<CTrayIcon>(p, menus, 3);
    icon_->SetNotificationWnd(kFrame, plat::kWmUser);
    return *icon_;
  }
  std::unique_ptr<CTrayIcon> icon_;
};

TEST_F(TrayIconTest, ConstructionPreparesTheRecordAndReadsTheTitleFromTheProgramFolder) {
  for (bool configured : {true, false}) {
    SCOPED_TRACE(configured);
    TrayMachine m;
    if (configured) m.WithConfigs("Program Title", true, "Data Title");
    CTrayIcon icon(m.p, m.menus, 3);
    EXPECT_EQ(icon.m_nid.cbSize, 88u);
    EXPECT_EQ(icon.m_nid.uID, 3u);
    EXPECT_EQ(icon.m_nid.hIcon, 0u);
    EXPECT_STREQ(icon.m_nid.szTip, "");  // the table has no string 3
    EXPECT_EQ(icon.m_sTitle, configured ? "Program Title" : "");
    if (configured) {
      EXPECT_EQ(icon.m_sConfigFile, kProgramCfg);
    }
    EXPECT_TRUE(m.p.notifyCalls.empty());
    EXPECT_TRUE(m.p.boxes.empty());
  }
}

TEST_F(TrayIconTest, SetIconAddsThenModifiesThenDeletes) {
  {
    CTrayIcon& icon = Icon();
    EXPECT_TRUE(icon.SetIcon(0x501, std::string("First tip")));
    EXPECT_TRUE(icon.SetIcon(0x502, std::nullopt));
    EXPECT_TRUE(icon.SetIcon(0, std::nullopt));
    EXPECT_EQ(icon.m_nid.hIcon, 0u);
    EXPECT_TRUE(icon.SetIcon(0, std::nullopt));  // nothing left to remove
    icon_.reset();                               // destruction has nothing to remove either
  }
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
  {
    CTrayIcon icon(p, menus, 3);
    p.failShellNotify = true;
    EXPECT_FALSE(icon.SetIcon(0x501, std::string("Tip")));
    EXPECT_EQ(icon.m_nid.hIcon, 0u);
    p.failShellNotify = false;
    EXPECT_TRUE(icon.SetIcon(0x501, std::nullopt));
  }  // destruction removes the icon from the tray
  ASSERT_EQ(p.notifyCalls.size(), 3u);
  EXPECT_EQ(p.notifyCalls[0].command, plat::kNimAdd);
  EXPECT_EQ(p.notifyCalls[1].command, plat::kNimAdd);
  EXPECT_EQ(p.notifyCalls[2].command, plat::kNimDelete);
}

TEST_F(TrayIconTest, TooltipKeepsAtMostSixtyThreeCharacters) {
  for (std::size_t length : {0u, 1u, 62u, 63u, 64u, 300u}) {
    SCOPED_TRACE(length);
    plat::FakePlatform machine;
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

// ---- notifications ---------------------------------------------------------

TEST_F(TrayIconTest, IgnoresOtherIdsAndOtherMouseMessages) {
  WithConfigs("T", true);
  CTrayIcon& icon = Icon();
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
  EXPECT_EQ(Icon().OnTrayNotification(3, 0x205), 1);
  EXPECT_EQ(menus.Sequence(), (Strings{"load", "default", "cursor", "track", "release"}));
  EXPECT_EQ(menus.events[0].menuId, 3u);
  EXPECT_EQ(menus.events[1].position, 0);
  const auto& track = menus.events[3];
  EXPECT_EQ(track.at.x, 640);
  EXPECT_EQ(track.at.y, 700);
  EXPECT_EQ(track.owner, kFrame);
  EXPECT_EQ(track.foregroundsBefore, 1u);  // the frame came to the foreground first
  EXPECT_EQ(track.messagesBefore, 0u);
  EXPECT_EQ(p.foregrounded, std::vector<plat::WindowHandle>{kFrame});
  // The empty message after the menu.
  EXPECT_EQ(MessageLog(p), Strings{Msg(kFrame, plat::kWmNull, 0, 0, true)});
}

TEST_F(TrayIconTest, MissingMenuResourceMakesTheIconIgnoreTheClick) {
  WithConfigs("T", true);
  menus.missing = true;
  CTrayIcon& icon = Icon();
  EXPECT_EQ(icon.OnTrayNotification(3, 0x205), 0);
  EXPECT_EQ(icon.OnTrayNotification(3, 0x203), 0);
  EXPECT_TRUE(p.messages.empty());
  EXPECT_TRUE(p.foregrounded.empty());
}

// ---- double click: open the main dialog, raise the running one, or prompt ------

class DoubleClick : public TrayIconTest {
 protected:
  // A double click and its whole outcome: `opens` when the menu's first
  // command is sent to the frame, `raised` the dialog brought forward.
  void Expect(int result, const Strings& boxes, bool opens, plat::WindowHandle raised = 0) {
    CTrayIcon& icon = Icon();
    EXPECT_EQ(icon.OnTrayNotification(3, 0x203), result);
    EXPECT_EQ(BoxLog(p), boxes);
    Strings messages;
    if (opens) messages.push_back(Msg(kFrame, plat::kWmCommand, 32023, 0, false));
    if (raised) messages.push_back(Msg(raised, plat::kWmActivate, 0, 0, false));
    EXPECT_EQ(MessageLog(p), messages);
    EXPECT_EQ(p.foregrounded,
              raised ? std::vector<plat::WindowHandle>{raised} : std::vector<plat::WindowHandle>{});
    if (opens) {
      EXPECT_EQ(icon.m_sConfigFile, kDataCfg);
    }
  }
};

TEST_F(DoubleClick, WithoutRunningDialogSendsTheMenusFirstCommandToTheFrame) {
  WithConfigs("T", true);
  Expect(1, {}, true);
}

TEST_F(DoubleClick, RaisesTheRunningMainDialogInstead) {
  WithConfigs("Bonus", true);
  Expect(1, {}, false, p.AddWindow("Bonus"));
}

TEST_F(DoubleClick, AnEmptyTitleLooksForThisProgramsUntitledDialog) {
  WithConfigs("", true);
  p.AddWindow(kDefaultTitle);
  p.AddWindow("", "#32770", "C:\\Other\\other.exe");
  Expect(1, {}, false, p.AddWindow("", "#32770", p.modulePath));
}

TEST_F(DoubleClick, WithTheDiskMissingPromptsUntilCancel) {
  WithConfigs("Program Title", false);
  p.answers = {plat::kIdOk, plat::kIdCancel};
  Expect(0, Strings(2, PromptBox("Program Title")), false);
}

TEST_F(DoubleClick, PromptUsesTheDefaultCaptionWhenTheProgramFolderHasNoTitle) {
  p.answers = {plat::kIdCancel};
  Expect(0, {PromptBox(kDefaultTitle)}, false);
}

TEST_F(DoubleClick, OkAfterInsertingTheDiskGoesOn) {
  WithConfigs("T", false);
  p.onBox = [&](const plat::FakePlatform::Box&) { p.AddFile(kDataCfg, TuneUp("WindowTitle=T\r\n")); };
  Expect(1, {PromptBox("T")}, true);
}

}  // namespace
