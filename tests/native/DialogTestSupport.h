// A machine with a product disk for the main dialog's tests, the dialog on it
// with the recording view, and the fake's records as text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "browser/BonusDlg.h"
#include "browser/RecordingView.h"
#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace browser::testing {

// The platform's boxes as "caption|text|type" lines (type in hex).
inline std::string Boxes(const std::vector<plat::FakePlatform::Box>& boxes) {
  std::string out;
  char type[16];
  for (const auto& b : boxes) {
    std::snprintf(type, sizeof type, "0x%X", b.type);
    out += b.caption + "|" + b.text + "|" + type + "\n";
  }
  return out;
}

// What the machine started: "open file [parameters] in dir" for the shell
// (with " show N" and " dir D" when the call asked for other than a normal
// window and no folder of its own), "run application in dir" for a process,
// "script path" for the script library, in that order.
inline std::string Started(const plat::FakePlatform& fake) {
  std::string out;
  for (const auto& c : fake.shellCalls)
    out += c.verb + " " + c.file + " [" + c.parameters + "] in " + c.currentDir +
           (c.show != 1 ? " show " + std::to_string(c.show) : "") +
           (c.directory.empty() ? "" : " dir " + c.directory) + "\n";
  for (const auto& p : fake.processes) out += "run " + p.application + " in " + p.currentDir + "\n";
  for (const auto& s : fake.scriptCalls) out += "script " + s.scriptPath + "\n";
  return out;
}

// A machine with the program in C:\Program Files\Velmora and the product
// disk D: (SourceDir "D:", data folder D:\access).
struct DiskMachine {
  plat::FakePlatform fake;
  static constexpr const char* kMainFile = "D:\\access\\VERavevi.cfg";
  static constexpr const char* kLink = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\VERavevi.lnk";

  DiskMachine() {
    fake.SetRegString(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, "D:");
    fake.AddFolder("C:\\Program Files\\Velmora");
    fake.AddFolder("D:\\access");
    fake.AddFolder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    fake.drives.push_back({"D:\\", plat::kDriveCdRom, true, 700ull << 20, 0});
  }
  void Main(const std::string& content) { fake.AddFile(kMainFile, content); }
  // The capsule file of [Packages] entry `entry`, or a further file of the
  // capsule named after its folder with `ext`.
  void Capsule(const std::string& entry, const std::string& content, const std::string& ext = ".cfg") {
    fake.AddFile(Folder(entry) + "\\" + CBonusConfig::GetLastPathPart(Folder(entry)) + ext, content);
  }
  static std::string Folder(const std::string& entry) { return "D:\\access\\" + entry; }
};

// Whether a path (as given, or folded) lies in the StartUp folder.
inline bool InStartUp(const std::string& path) {
  return plat::FakePlatform::Fold(path).rfind("c:\\windows\\start menu\\programs\\startup\\", 0) == 0;
}

// Paths written or deleted between two snapshots, beyond the StartUp folder.
inline std::vector<std::string> WrittenOutsideStartUp(const std::map<std::string, std::string>& before,
                                                      const std::map<std::string, std::string>& after) {
  std::vector<std::string> out;
  for (const auto& [path, content] : after) {
    auto it = before.find(path);
    if ((it == before.end() || it->second != content) && !InStartUp(path)) out.push_back("written " + path);
  }
  for (const auto& [path, content] : before)
    if (!after.count(path) && !InStartUp(path)) out.push_back("deleted " + path);
  return out;
}

inline constexpr const char* kPrompt = "Please insert the disk labeled \"Velmora 5.0\", and click OK.";

// The main dialog on a DiskMachine: Open() runs its set-up, Pick() selects a
// capsule by its tree text.
class DialogTest : public ::testing::Test {
 protected:
  DiskMachine m;
  CRecordingView view;
  std::unique_ptr<CBonusDlg> dlg;

  // One capsule "A" titled "Alpha" with `lines` after its title; `tuneUp`
  // lines go into the main file's [TuneUp].
  void OneCapsule(const std::string& lines, const std::string& tuneUp = {}) {
    m.Main("[TuneUp]\n" + tuneUp + "[Packages]\nA\n");
    m.Capsule("A", "[TuneUp]\nTitle=Alpha\n" + lines);
  }
  // A fresh machine and view, for table rows.
  void Reset() {
    dlg.reset();
    m = DiskMachine();
    view = CRecordingView();
  }
  bool Init() {
    dlg = std::make_unique<CBonusDlg>(m.fake, view);
    return dlg->OnInitDialog();
  }
  void Open() { ASSERT_TRUE(Init()); }
  void Pick(const std::string& text) {
    ASSERT_TRUE(view.SelectText(text)) << text;
    dlg->OnSelChangedCapsule();
  }
};

}  // namespace browser::testing
