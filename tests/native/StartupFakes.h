// Fakes shared by the start-up and tray tests: a fake machine whose message
// boxes can run a step of the test, and the program's windows.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "config/MutexNames.h"
#include "platform/fake/FakePlatform.h"

namespace startup_test {

inline constexpr const char* kProgramDir = "C:\\Program Files\\Velmora";
inline constexpr const char* kProgram = "C:\\Program Files\\Velmora\\VERavevi.exe";
inline constexpr const char* kProgramConfig = "C:\\Program Files\\Velmora\\VERavevi.cfg";
inline constexpr const char* kSourceDir = "D:\\Velmora";
inline constexpr const char* kDataDir = "D:\\Velmora\\access";
inline constexpr const char* kDataConfig = "D:\\Velmora\\access\\VERavevi.cfg";
inline constexpr const char* kProductKey = "SOFTWARE\\Velmora Network\\5.0";
inline constexpr const char* kDefaultTitle = "Velmora Bonus Software Installer";
inline constexpr const char* kPromptText = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";

inline std::string Hex(unsigned long long value) {
  char hex[32];
  std::snprintf(hex, sizeof hex, "%llx", value);
  return hex;
}

// Each box shown, as "type|caption|text".
inline std::vector<std::string> BoxLog(const plat::FakePlatform& p) {
  std::vector<std::string> out;
  for (const auto& b : p.boxes) out.push_back("0x" + Hex(b.type) + "|" + b.caption + "|" + b.text);
  return out;
}

// "frame" for the tray frame's window (0x7001), "window N" for the N-th
// window added to the machine, else the handle in hex.
inline std::string WindowName(const plat::FakePlatform& p, plat::WindowHandle window) {
  if (window == 0x7001) return "frame";
  for (std::size_t i = 0; i < p.windows.size(); ++i)
    if (p.windows[i].handle == window) return "window " + std::to_string(i + 1);
  return Hex(window);
}

// The insert-disk prompt as BoxLog shows it.
inline std::string PromptBox(const std::string& caption) { return "0x11|" + caption + "|" + kPromptText; }

// The product's source folder in the registry, so that the data folder is
// kDataDir, and the program's folder.
inline void InstallProduct(plat::FakePlatform& p, bool withInstallDir = true) {
  p.AddFolder(kProgramDir);
  p.SetRegString(plat::RegRoot::LocalMachine, kProductKey, "SourceDir", kSourceDir);
  if (withInstallDir) p.SetRegString(plat::RegRoot::LocalMachine, kProductKey, "InstallDir", "C:\\Velmora");
}

// A configuration file's text with the given [TuneUp] lines.
inline std::string TuneUp(const std::vector<std::string>& lines) {
  std::string text = "[TuneUp]\r\n";
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// The program's windows; each call is recorded by name, the main and order
// dialogs with the number of open "V50_StopAutoRun_Mutex" handles while they
// are shown ("main 2"), and " unowned" when the last mutex made was not owned.
class RecordingWindows : public IAppWindows {
 public:
  explicit RecordingWindows(plat::FakePlatform& platform) : m_platform(platform) {}

  std::vector<std::string> calls;
  // The answers of the order and Disable Tray Icon dialogs, then IDCANCEL.
  std::deque<int> results;
  bool trayCreatable = true;
  // Runs while a dialog is shown ("main", "order", "disable", "about"); when
  // set, its result is the dialog's.
  std::function<int(const std::string& dialog)> whileShown;

  void ShowMainDialog() override { Show("main", true); }
  int ShowOrderDialog() override { return Show("order", true); }
  int ShowDisableTrayIconDialog() override { return Show("disable", false); }
  void ShowAboutBox() override { Show("about", false); }
  bool CreateTrayFrame() override {
    calls.push_back("tray");
    m_bMainWindow = trayCreatable;
    return trayCreatable;
  }
  bool HasMainWindow() const override { return m_bMainWindow; }

 private:
  int Show(const std::string& dialog, bool withStopHandles) {
    const int handles = m_platform.OpenHandles(kStopAutoRunMutex);
    const bool owned = !m_platform.mutexCalls.empty() && m_platform.mutexCalls.back().initialOwner;
    calls.push_back(withStopHandles ? dialog + " " + std::to_string(handles) + (owned ? "" : " unowned")
                                    : dialog);
    if (whileShown) return whileShown(dialog);
    if (results.empty()) return plat::kIdCancel;
    const int result = results.front();
    results.pop_front();
    return result;
  }

  plat::FakePlatform& m_platform;
  bool m_bMainWindow = false;
};

}  // namespace startup_test
