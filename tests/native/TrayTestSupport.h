// Shared fixtures of the tray tests: a fake machine with the program folder
// and the product's data folder, a recording tray menu and frame view, and
// one transcript of everything they and the machine recorded.
#pragma once

#include <memory>

#include "app/MainFrame.h"
#include "tests/native/StartupFakes.h"

namespace traytest {

using namespace startup_test;
using Strings = std::vector<std::string>;

inline constexpr plat::WindowHandle kFrame = 0x7001;
inline constexpr const char* kModuleDir = "C:\\Program Files\\Velmora";
inline constexpr const char* kProgramCfg = "C:\\Program Files\\Velmora\\VERavevi.cfg";
inline constexpr const char* kDataCfg = "D:\\access\\VERavevi.cfg";
inline constexpr const char* kTrayLink = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\VERaveviTrayIcon.lnk";
// The tray's StartUp shortcut as every tray start writes it (LinkOf).
inline constexpr const char* kTrayLinkFields =
    "C:\\Program Files\\Velmora\\VERavevi.exe 0 in C:\\Program Files\\Velmora icon "
    "C:\\Program Files\\Velmora\\VERavevi.exe,0 show 1";

// "target arguments in folder icon path,index show n", or "none".
inline std::string LinkOf(plat::FakePlatform& p, const std::string& file = kTrayLink) {
  auto link = p.LoadShellLink(file);
  if (!link) return "none";
  return link->target + " " + link->arguments + " in " + link->workingDir + " icon " + link->iconPath + "," +
         std::to_string(link->iconIndex) + " show " + std::to_string(link->showCommand);
}

// A machine where the product recorded its source folder D:\ (data folder
// D:\access) and the StartUp folder exists, with configuration files by
// WithConfigs; it is also the tray menu and the frame window, each call
// recorded in `log`.
struct TrayMachine : app::MenuSource, app::MainFrameView {
  plat::FakePlatform p;
  Strings log;  // the menus', the view's and the dialogs', in order
  RecordingWindows windows{p};
  bool menuMissing = false;  // no menu resource / no submenu
  int lineCount = 1, caretLineLength = 0;
  // Runs while a dialog is shown; its answer is the dialog's (IDCANCEL
  // without it).
  std::function<int(const std::string& dialog)> whileShown;

  TrayMachine() {
    p.AddFolder(kModuleDir);
    p.AddFile(std::string(kModuleDir) + "\\VERavevi.exe");
    p.AddFolder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    p.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir", "D:");
    p.AddFolder("D:\\access");
    windows.whileShown = [this](const std::string& dialog) {
      log.push_back(windows.calls.back());
      return whileShown ? whileShown(dialog) : plat::kIdCancel;
    };
  }
  TrayMachine& WithConfigs(const std::string& programTitle, bool dataPresent,
                           const std::string& dataTitle = "Data") {
    p.AddFile(kProgramCfg, TuneUp({"WindowTitle=" + programTitle}));
    if (dataPresent) p.AddFile(kDataCfg, TuneUp({"WindowTitle=" + dataTitle}));
    return *this;
  }
  TrayMachine& Window(const std::string& caption, const std::string& program = {}) {
    p.AddWindow(caption, "#32770", program);
    return *this;
  }
  TrayMachine& Answers(std::deque<int> answers) {
    p.answers = std::move(answers);
    return *this;
  }
  // The disk with the data folder's copy (titled `title`) goes in while a box is shown.
  void InsertDiskDuringBoxes(const std::string& title) {
    p.onBox = [this, title](const auto&) { p.AddFile(kDataCfg, TuneUp({"WindowTitle=" + title})); };
  }

  std::unique_ptr<app::PopupMenu> LoadFirstSubmenu(unsigned menuId) override {
    log.push_back("menu " + std::to_string(menuId));
    return menuMissing ? nullptr : std::make_unique<Popup>(*this);
  }
  app::ScreenPoint CursorPosition() override {
    log.push_back("cursor");
    return {640, 700};
  }
  plat::WindowHandle Handle() override { return kFrame; }
  void InsertLogText(const std::string& text) override { log.push_back("log " + text); }
  void ClearLog() override { log.push_back("clear log"); }
  int LogLineCount() override { return lineCount; }
  int LogCaretLineLength() override { return caretLineLength; }
  void SetLargeIcon(plat::IconHandle icon) override { log.push_back("large icon " + Hex(icon)); }

  struct Popup : app::PopupMenu {
    explicit Popup(TrayMachine& m) : m_m(m) {}
    ~Popup() override { m_m.log.push_back("menu released"); }
    void SetDefaultItem(int position) override { m_m.log.push_back("default " + std::to_string(position)); }
    unsigned ItemCommand(int position) override { return position == 0 ? 32023 : 0; }
    // With what the machine had seen by then: the windows raised and the
    // messages sent or posted.
    void Track(app::ScreenPoint at, plat::WindowHandle window) override {
      m_m.log.push_back("track " + std::to_string(at.x) + "," + std::to_string(at.y) + " for " +
                        WindowName(m_m.p, window) + " after " + std::to_string(m_m.p.foregrounded.size()) +
                        " raised " + std::to_string(m_m.p.messages.size()) + " messages");
    }
    TrayMachine& m_m;
  };

  // Everything recorded since the last call: the log, then the tray icon
  // calls, the messages, the windows raised, the icons extracted and the
  // boxes.
  Strings Transcript() {
    Strings out;
    out.swap(log);
    for (const auto& n : p.notifyCalls) {
      const char* command = n.command == plat::kNimAdd      ? "add"
                            : n.command == plat::kNimModify ? "modify"
                                                            : "delete";
      const unsigned f = n.data.uFlags;
      const std::string flags = std::string(f & plat::kNifIcon ? "I" : "") + (f & plat::kNifTip ? "T" : "") +
                                (f & plat::kNifMessage ? "M" : "");
      out.push_back(std::string(command) + " " + std::to_string(n.data.cbSize) + " id" +
                    std::to_string(n.data.uID) + " " + WindowName(p, n.data.hWnd) + "/" +
                    Hex(n.data.uCallbackMessage) + " " + flags + " " + Hex(n.data.hIcon) + " '" +
                    n.data.szTip + "'");
    }
    for (const auto& m : p.messages)
      out.push_back(std::string(m.posted ? "post " : "send ") + WindowName(p, m.window) + " " +
                    Hex(m.message) + " " + std::to_string(m.wParam) + " " + std::to_string(m.lParam));
    for (plat::WindowHandle w : p.foregrounded) out.push_back("raise " + WindowName(p, w));
    for (const auto& file : p.extractIconCalls) out.push_back("extract " + file);
    for (const auto& box : BoxLog(p)) out.push_back("box " + box);
    p.notifyCalls.clear();
    p.messages.clear();
    p.foregrounded.clear();
    p.boxes.clear();
    p.extractIconCalls.clear();
    return out;
  }
};

}  // namespace traytest
