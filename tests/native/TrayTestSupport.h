// Shared fixtures of the tray tests: a fake machine with the program folder
// and the product's data folder, and a recording tray menu.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/TrayMenu.h"
#include "platform/fake/FakePlatform.h"
#include "tests/native/StartupFakes.h"

namespace traytest {

using startup_test::BoxLog;
using startup_test::kDefaultTitle;
using startup_test::PromptBox;

inline constexpr const char* kModuleDir = "C:\\Program Files\\Velmora";
inline constexpr const char* kProgramCfg = "C:\\Program Files\\Velmora\\VERavevi.cfg";
inline constexpr const char* kDataDir = "D:\\access";
inline constexpr const char* kDataCfg = "D:\\access\\VERavevi.cfg";
inline constexpr const char* kTrayLink = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\VERaveviTrayIcon.lnk";

inline std::string TuneUp(const std::string& lines) { return "[TuneUp]\r\n" + lines; }

// A machine where the product recorded its source folder D:\ (data folder
// D:\access) and the StartUp folder exists. Configuration files are added
// by each test.
inline void ArrangeMachine(plat::FakePlatform& p) {
  p.AddFolder(kModuleDir);
  p.AddFile(std::string(kModuleDir) + "\\VERavevi.exe");
  p.AddFolder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
  p.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir", "D:");
  p.AddFolder(kDataDir);
}

// The tray's StartUp shortcut as every tray start writes it.
inline void ExpectTrayLink(plat::FakePlatform& p) {
  auto link = p.LoadShellLink(kTrayLink);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, std::string(kModuleDir) + "\\VERavevi.exe");
  EXPECT_EQ(link->arguments, "0");
  EXPECT_EQ(link->workingDir, kModuleDir);
  EXPECT_EQ(link->iconPath, std::string(kModuleDir) + "\\VERavevi.exe");
  EXPECT_EQ(link->iconIndex, 0);
  EXPECT_EQ(link->showCommand, 1);
}

// Each message as "window message wParam lParam sent|posted", in hex.
inline std::string Msg(plat::WindowHandle window, unsigned message, std::uintptr_t w, std::intptr_t l,
                       bool posted) {
  char out[96];
  std::snprintf(out, sizeof out, "%llx %x %llx %llx %s", static_cast<unsigned long long>(window), message,
                static_cast<unsigned long long>(w), static_cast<unsigned long long>(l),
                posted ? "posted" : "sent");
  return out;
}
inline std::vector<std::string> MessageLog(const plat::FakePlatform& p) {
  std::vector<std::string> out;
  for (const auto& m : p.messages) out.push_back(Msg(m.window, m.message, m.wParam, m.lParam, m.posted));
  return out;
}

// Everything the fake menus were asked, in order, with the number of
// foreground requests and messages the platform had seen at that moment.
struct MenuEvent {
  std::string what;
  unsigned menuId = 0;
  int position = 0;
  tray::ScreenPoint at;
  plat::WindowHandle owner = 0;
  std::size_t foregroundsBefore = 0;
  std::size_t messagesBefore = 0;
};

class FakeMenus : public tray::MenuSource {
 public:
  explicit FakeMenus(plat::FakePlatform& platform) : platform_(platform) {}

  std::vector<MenuEvent> events;
  bool missing = false;  // no menu resource / no submenu
  std::vector<unsigned> items = {32023, 57664, 0, 32027};
  tray::ScreenPoint cursor{640, 700};
  // Runs while the menu is tracked (a chosen command, for instance).
  std::function<void()> onTrack;

  std::unique_ptr<tray::PopupMenu> LoadFirstSubmenu(unsigned menuId) override {
    events.push_back(Event("load", menuId));
    if (missing) return nullptr;
    return std::make_unique<Popup>(*this);
  }
  tray::ScreenPoint CursorPosition() override {
    events.push_back(Event("cursor"));
    return cursor;
  }

  std::vector<std::string> Sequence() const {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(e.what);
    return out;
  }

 private:
  MenuEvent Event(const std::string& what, unsigned menuId = 0) {
    MenuEvent e;
    e.what = what;
    e.menuId = menuId;
    e.foregroundsBefore = platform_.foregrounded.size();
    e.messagesBefore = platform_.messages.size();
    return e;
  }

  class Popup : public tray::PopupMenu {
   public:
    explicit Popup(FakeMenus& owner) : owner_(owner) {}
    ~Popup() override { owner_.events.push_back(owner_.Event("release")); }
    void SetDefaultItem(int position) override {
      MenuEvent e = owner_.Event("default");
      e.position = position;
      owner_.events.push_back(e);
    }
    unsigned ItemCommand(int position) override {
      return position >= 0 && position < static_cast<int>(owner_.items.size()) ? owner_.items[position] : 0;
    }
    void Track(tray::ScreenPoint at, plat::WindowHandle window) override {
      MenuEvent e = owner_.Event("track");
      e.at = at;
      e.owner = window;
      owner_.events.push_back(e);
      if (owner_.onTrack) owner_.onTrack();
    }

   private:
    FakeMenus& owner_;
  };

  plat::FakePlatform& platform_;
};

// The machine of ArrangeMachine with a menu source; configuration files by
// WithConfigs.
struct TrayMachine {
  plat::FakePlatform p;
  FakeMenus menus{p};
  TrayMachine() { ArrangeMachine(p); }
  void WithConfigs(const std::string& programTitle, bool dataPresent, const std::string& dataTitle = "Data") {
    p.AddFile(kProgramCfg, TuneUp("WindowTitle=" + programTitle + "\r\n"));
    if (dataPresent) p.AddFile(kDataCfg, TuneUp("WindowTitle=" + dataTitle + "\r\n"));
  }
};

}  // namespace traytest
