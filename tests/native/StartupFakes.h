// Fakes shared by the start-up tests: a fake machine whose message boxes can
// run a step of the test, the windows start-up opens, and the maker's
// libraries.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "app/BonusApp.h"
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

// Each box shown, as "type|caption|text", with "|owner=N" when it had an owner.
inline std::vector<std::string> BoxLog(const plat::FakePlatform& p) {
  std::vector<std::string> out;
  for (const auto& b : p.boxes) {
    char type[16];
    std::snprintf(type, sizeof type, "0x%x", b.type);
    out.push_back(type + ("|" + b.caption + "|" + b.text) +
                  (b.owner ? "|owner=" + std::to_string(b.owner) : std::string()));
  }
  return out;
}

// The insert-disk prompt as BoxLog shows it.
inline std::string PromptBox(const std::string& caption) { return "0x11|" + caption + "|" + kPromptText; }

// The program's folder, and the product's source folder in the registry so
// that the data folder is kDataDir.
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

class RecordingWindows : public IAppWindows {
 public:
  explicit RecordingWindows(plat::FakePlatform& platform) : platform_(platform) {}

  // "main", "order" or "tray", in call order.
  std::vector<std::string> calls;
  // Open "V50_StopAutoRun_Mutex" handles while each dialog was open.
  std::vector<int> stopAutoRunHandles;
  std::deque<int> orderResults;  // then IDCANCEL
  bool trayCreatable = true;
  std::function<void()> onMainDialog;
  std::function<void()> onOrderDialog;

  void ShowMainDialog() override {
    calls.push_back("main");
    stopAutoRunHandles.push_back(platform_.OpenHandles("V50_StopAutoRun_Mutex"));
    if (onMainDialog) onMainDialog();
  }

  int ShowOrderDialog() override {
    calls.push_back("order");
    stopAutoRunHandles.push_back(platform_.OpenHandles("V50_StopAutoRun_Mutex"));
    if (onOrderDialog) onOrderDialog();
    if (orderResults.empty()) return plat::kIdCancel;
    const int result = orderResults.front();
    orderResults.pop_front();
    return result;
  }

  bool CreateTrayFrame() override {
    calls.push_back("tray");
    if (trayCreatable) mainWindow_ = true;
    return trayCreatable;
  }

  bool HasMainWindow() const override { return mainWindow_; }

  int Count(const std::string& what) const {
    int n = 0;
    for (const auto& call : calls) n += call == what ? 1 : 0;
    return n;
  }

 private:
  plat::FakePlatform& platform_;
  bool mainWindow_ = false;
};

class RecordingLibraries : public IMakerLibraries {
 public:
  int adminRights = 1;
  int updateInProgress = 0;
  std::vector<std::string> calls;

  int HasAdminRights(int reserved) override {
    calls.push_back("HasAdminRights(" + std::to_string(reserved) + ")");
    return adminRights;
  }
  void InitializeVUtils() override { calls.push_back("VUtils 1"); }
  void InitializeVGui() override { calls.push_back("VGui 1"); }
  std::string GetCurrentTheme() override {
    calls.push_back("GetCurrentTheme");
    return "Blue";
  }
  void ApplyTheme(const std::string& theme, int a, int b) override {
    calls.push_back("VGui 3(" + theme + "," + std::to_string(a) + "," + std::to_string(b) + ")");
  }
  int IsUpdateInProgress() override {
    calls.push_back("IsUpdateInProgress");
    return updateInProgress;
  }
};

}  // namespace startup_test
