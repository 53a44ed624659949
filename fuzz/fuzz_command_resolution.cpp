// Command resolution and launching for any Run and MoreInfoRun value: the
// rule for values without a macro, that every part comes out of the value,
// and that a launch starts at most one thing, never by a path that is not
// an existing file, and that nothing is written.
//
// Input: Run value, 0x01, MoreInfoRun value.

#include "config/BonusConfig.h"
#include "fuzz/FuzzInput.h"
#include "install/Launcher.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 2);
  const std::string folder = "D:\\access\\Games";
  // The machine is built once; a launch changes only what is reset here.
  static plat::FakePlatform fake = [&folder] {
    plat::FakePlatform m;
    for (const char* name : {"setup.exe", "install.cfg", "read me.txt", "a.b"})
      m.AddFile(folder + "\\" + name, "x");
    m.SetShortName(folder + "\\read me.txt", folder + "\\README~1.TXT");
    return m;
  }();
  fake.currentDir = "C:\\";
  fake.processes.clear();
  fake.shellCalls.clear();
  CBonusConfig config(fake);
  const install::MacroExpander expand = [](const std::string& s) {
    return plat::ReplaceAll(s, "{SRC_DIR}", "D:\\access");
  };

  const install::Command run = install::ResolveRunCommand(config, folder, f[0], expand);
  if (f[0].find('{') == std::string::npos)
    fuzzin::Check(run.program == folder + "\\" + plat::TrimLeft(f[0]) && run.argument.empty());
  (void)install::ResolveMoreInfo(config, folder, f[1], expand, install::MoreInfoUse::kOpen);

  int scripts = 0;
  install::LaunchByExtension(config, run.program, run.argument,
                             [&scripts](const std::string&) { ++scripts; });
  const std::size_t started =
      fake.processes.size() + fake.shellCalls.size() + static_cast<std::size_t>(scripts);
  fuzzin::Check(started <= 1);
  if (started == 1 && scripts == 0) {
    const auto attributes = fake.GetFileAttributes(fake.processes.empty() ? fake.shellCalls[0].file
                                                                          : fake.processes[0].application);
    fuzzin::Check(attributes && !attributes->directory);
  }
  fuzzin::Check(fake.deletions.empty() && fake.linkSaves.empty());  // the only calls that write
  return 0;
}
