// Version parsing and comparison: the reference version of any Version
// value, and the registry and file checks on any Registry, Version and File
// values over a registry and a versioned file of every awkward kind. The
// checks only ever ask their one Yes/No question, and a Registry value
// without a root name never asks anything.
//
// Input: Registry, 0x01, Version, 0x01, File, 0x01, AskMsg.

#include "config/BonusConfig.h"
#include "fuzz/FuzzInput.h"
#include "install/VersionCheck.h"
#include "platform/fake/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using plat::RegRoot;
  const auto f = fuzzin::Fields(data, size, 4);
  static plat::FakePlatform fake = [] {
    plat::FakePlatform m;
    m.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\V\\2.0", "", "2.0");
    m.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\V", "Version", "1.5.2");
    m.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\V", "Build", 1200);
    m.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\V", "Long",
                  {plat::kRegSz, std::string(plat::kMaxPath + 1, '9')});
    m.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\V", "Bin", {plat::kRegBinary, "\x01\x02"});
    m.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\V", "Short", {plat::kRegDword, "\x01"});
    m.SetRegString(RegRoot::CurrentUser, "Software\\V", "Version", "3");
    m.AddFile("C:\\App\\app.exe", "MZ");
    m.SetProductVersion("C:\\App\\app.exe", {2, 1, 0, 7});
    m.AddFile("C:\\App\\plain.txt", "text");
    return m;
  }();
  CBonusConfig config(fake);
  int boxes = 0;
  install::VersionCheckContext context;
  context.askMsg = f[3];
  context.caption = "Bonus";
  context.expandMacros = [](const std::string& s) { return s; };
  context.messageBox = [&boxes](const std::string&, const std::string&, unsigned) {
    return ++boxes % 2 == 0 ? plat::kIdYes : plat::kIdNo;
  };
  install::ReferenceVersion(config, f[1]);

  install::CheckRegistryVersion(fake, f[0], f[1], context);
  fuzzin::Check(boxes <= (f[0].find("HKEY_") == std::string::npos ? 0 : 1));
  boxes = 0;
  const bool fileGoesOn = install::CheckFileVersion(config, f[2], f[1], context);
  fuzzin::Check(boxes <= 2);  // the diagnostic box, then the question
  if (f[3].empty() && f[2].find(',') == std::string::npos) fuzzin::Check(fileGoesOn && boxes == 0);
  boxes = 0;
  install::CheckInstalledVersion(config, f[0], f[1], f[2], context);
  fuzzin::Check(boxes <= 2);
  return 0;
}
