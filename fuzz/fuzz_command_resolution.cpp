// Command resolution and launching for any Run and MoreInfoRun value: the
// rule for values without a macro, that every part comes out of the value,
// and that a launch starts at most one thing, never by a path that is not
// an existing file.
//
// Input: Run value, 0x01, MoreInfoRun value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/BonusConfig.h"
#include "fuzz/FuzzInput.h"
#include "install/Launcher.h"
#include "platform/fake/FakePlatform.h"

namespace {

constexpr const char* kFolder = "D:\\access\\Games";

std::string TrimLeftBlank(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  return s.substr(i);
}

void FillMachine(plat::FakePlatform& fake) {
  fake.AddFile("D:\\access\\Games\\setup.exe", "MZ");
  fake.AddFile("D:\\access\\Games\\install.cfg", "[TuneUp]\n");
  fake.AddFile("D:\\access\\Games\\read me.txt", "x");
  fake.AddFile("D:\\access\\Games\\a.b", "x");
  fake.SetShortName("D:\\access\\Games\\read me.txt", "D:\\access\\Games\\README~1.TXT");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 2);
  plat::FakePlatform fake;
  FillMachine(fake);
  CBonusConfig config(fake);
  const inst::MacroExpander expand = [](const std::string& s) {
    std::string out = s;
    for (std::size_t at; (at = out.find("{SRC_DIR}")) != std::string::npos;) out.replace(at, 9, "D:\\access");
    return out;
  };

  const inst::Command run = inst::ResolveRunCommand(config, kFolder, f[0], expand);
  if (f[0].find('{') == std::string::npos) {
    fuzzin::Check(run.program == std::string(kFolder) + "\\" + TrimLeftBlank(f[0]));
    fuzzin::Check(run.argument.empty());
  }
  const inst::Command more = inst::ResolveMoreInfo(config, kFolder, f[1], expand, inst::MoreInfoUse::kOpen);
  (void)more;

  int scripts = 0;
  const auto before = fake.Snapshot();
  inst::LaunchByExtension(config, run.program, run.argument, [&scripts](const std::string&) { ++scripts; });
  const std::size_t started =
      fake.processes.size() + fake.shellCalls.size() + static_cast<std::size_t>(scripts);
  fuzzin::Check(started <= 1);
  if (started == 1 && scripts == 0) {
    const std::string& what =
        fake.processes.empty() ? fake.shellCalls[0].file : fake.processes[0].application;
    const auto attributes = fake.GetFileAttributes(what);
    fuzzin::Check(attributes && !attributes->directory);
  }
  fuzzin::Check(fake.Snapshot() == before);
  return 0;
}
