#include <gtest/gtest.h>

#include "app/TrayIcon.h"
#include "tests/native/TrayTestSupport.h"

using namespace traytest;

namespace {

std::string Flag(bool ok) { return ok ? "1" : "0"; }

TEST(TrayIcon, TellsTheShellAboutTheIcon) {
  const std::string tip64(64, 'x'), tip63(63, 'x');
  const struct {
    const char* name;
    std::function<std::string(CTrayIcon&, plat::FakePlatform&)> script;  // the results of SetIcon
    std::string results;
    Strings transcript;
  } cases[] = {
      {"AddModifyDeleteThenNothingLeft",
       [](CTrayIcon& icon, plat::FakePlatform&) {
         icon.SetNotificationWnd(kFrame, plat::kWmUser);
         std::string r = Flag(icon.SetIcon(0x501, std::string("First tip")));
         r += Flag(icon.SetIcon(0x502, std::nullopt));
         r += Flag(icon.SetIcon(0, std::nullopt));
         return r + Flag(icon.SetIcon(0, std::nullopt));
       },
       "1111",
       {"add 88 id3 frame/400 ITM 501 'First tip'", "modify 88 id3 frame/400 ITM 502 'First tip'",
        "delete 88 id3 frame/400 TM 502 'First tip'"}},
      // The shell knows an icon by window and id: with another window the
      // change fails, and the icon counts as absent.
      {"FlagsFollowWhatIsSet",
       [](CTrayIcon& icon, plat::FakePlatform&) {
         std::string r = Flag(icon.SetIcon(0x501, std::nullopt));
         icon.SetNotificationWnd(0, plat::kWmUser);
         r += Flag(icon.SetIcon(0x502, std::nullopt));
         icon.SetNotificationWnd(kFrame, 0);
         return r + Flag(icon.SetIcon(0x503, std::nullopt));
       },
       "110",
       {"add 88 id3 0/0 I 501 ''", "modify 88 id3 0/400 I 502 ''", "modify 88 id3 frame/0 I 503 ''"}},
      {"AFailedAddLeavesTheIconAbsent",
       [](CTrayIcon& icon, plat::FakePlatform& p) {
         p.failShellNotify = true;
         std::string r = Flag(icon.SetIcon(0x501, std::string("Tip")));
         p.failShellNotify = false;
         return r + Flag(icon.SetIcon(0x501, std::nullopt));
       },
       "01",
       {"add 88 id3 0/0 IT 501 'Tip'", "add 88 id3 0/0 IT 501 'Tip'", "delete 88 id3 0/0 T 501 'Tip'"}},
      {"TheResourceFormTakesIconAndTipOfOneId",
       [](CTrayIcon& icon, plat::FakePlatform&) {
         std::string r = Flag(icon.SetIcon(101u));
         r += Flag(icon.SetIcon(102u));
         return r + Flag(icon.SetIcon(0u));
       },
       "111",
       {"add 88 id3 0/0 IT 10065 'Bonus Software'",
        "modify 88 id3 0/0 IT 10066 'To exit, right-click then terminate VERavevi.'",
        "delete 88 id3 0/0 T 10066 'To exit, right-click then terminate VERavevi.'"}},
      {"TheTipKeepsSixtyThreeCharacters",
       [&](CTrayIcon& icon, plat::FakePlatform&) {
         std::string r = Flag(icon.SetIcon(0x501, tip64));
         return r + Flag(icon.SetIcon(0x501, tip63));
       },
       "11",
       {"add 88 id3 0/0 IT 501 '" + tip63 + "'", "modify 88 id3 0/0 IT 501 '" + tip63 + "'",
        "delete 88 id3 0/0 T 501 '" + tip63 + "'"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TrayMachine m;
    {
      CTrayIcon icon(m.p, m.menus, 3);
      EXPECT_EQ(c.script(icon, m.p), c.results);
    }  // destruction removes what is left
    EXPECT_EQ(m.Transcript(), c.transcript);
  }
}

TEST(TrayIcon, ServesTheNotificationsOfItsOwnId) {
  const Strings opens = {"menu 3", "menu released", "send frame 111 32023 0",
                         std::string("config ") + kDataCfg};
  const std::string programConfig = std::string("config ") + kProgramCfg;
  const struct {
    const char* name;
    std::function<void(TrayMachine&)> arrange;
    std::uintptr_t id;
    std::intptr_t message;
    int result;
    Strings transcript;
  } cases[] = {
      {"OtherIdRightUp", nullptr, 4, 0x205, 0, {programConfig}},
      {"OtherIdDoubleClick", nullptr, 4, 0x203, 0, {programConfig}},
      {"MouseMove", nullptr, 3, 0x200, 0, {programConfig}},
      {"LeftUp", nullptr, 3, 0x202, 0, {programConfig}},
      {"RightDown", nullptr, 3, 0x204, 0, {programConfig}},
      {"RightDoubleClick", nullptr, 3, 0x206, 0, {programConfig}},
      {"RightUpShowsTheMenuAtTheCursorWithOpenAsDefault",
       nullptr,
       3,
       0x205,
       1,
       {"menu 3", "default 0", "cursor", "track 640,700 for frame after 1 raised 0 messages", "menu released",
        "post frame 0 0 0", "raise frame", programConfig}},
      {"NoMenuRightUp",
       [](TrayMachine& m) { m.menus.missing = true; },
       3,
       0x205,
       0,
       {"menu 3", programConfig}},
      {"NoMenuDoubleClick",
       [](TrayMachine& m) { m.menus.missing = true; },
       3,
       0x203,
       0,
       {"menu 3", programConfig}},
      {"DoubleClickOpens", nullptr, 3, 0x203, 1, opens},
      {"DoubleClickRaisesTheDialogOfTheProgramFoldersTitle",
       [](TrayMachine& m) {
         m.WithConfigs("Bonus", true);
         m.p.AddWindow("Bonus");
       },
       3,
       0x203,
       1,
       {"menu 3", "menu released", "send window 1 6 0 0", "raise window 1",
        std::string("config ") + kDataCfg}},
      {"AnEmptyTitleLooksForThisProgramsUntitledDialog",
       [](TrayMachine& m) {
         m.WithConfigs("", true);
         m.p.AddWindow(kDefaultTitle);
         m.p.AddWindow("", "#32770", "C:\\Other\\other.exe");
         m.p.AddWindow("", "#32770", m.p.modulePath);
       },
       3,
       0x203,
       1,
       {"menu 3", "menu released", "send window 3 6 0 0", "raise window 3",
        std::string("config ") + kDataCfg}},
      {"DiskMissingPromptsUntilCancel",
       [](TrayMachine& m) {
         m.WithConfigs("Program Title", false);
         m.p.answers = {plat::kIdOk, plat::kIdCancel};
       },
       3,
       0x203,
       0,
       {"menu 3", "menu released", "box " + PromptBox("Program Title"), "box " + PromptBox("Program Title"),
        programConfig}},
      {"NoConfigurationPromptsUnderTheDefaultTitle",
       [](TrayMachine& m) { m.p.answers = {plat::kIdCancel}; },
       3,
       0x203,
       0,
       {"menu 3", "menu released", "box " + PromptBox(kDefaultTitle), programConfig}},
      {"DiskInsertedDuringThePrompt",
       [](TrayMachine& m) {
         m.WithConfigs("T", false);
         m.p.onBox = [&m](const plat::FakePlatform::Box&) {
           m.p.AddFile(kDataCfg, TuneUp("WindowTitle=T\r\n"));
         };
       },
       3,
       0x203,
       1,
       {"menu 3", "menu released", "send frame 111 32023 0", "box " + PromptBox("T"),
        std::string("config ") + kDataCfg}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TrayMachine m;
    if (c.arrange)
      c.arrange(m);
    else
      m.WithConfigs("T", true);
    CTrayIcon icon(m.p, m.menus, 3);
    icon.SetNotificationWnd(kFrame, plat::kWmUser);
    EXPECT_EQ(icon.OnTrayNotification(c.id, c.message), c.result);
    Strings transcript = m.Transcript();
    transcript.push_back("config " + icon.m_sConfigFile);
    EXPECT_EQ(transcript, c.transcript);
  }
}

}  // namespace
