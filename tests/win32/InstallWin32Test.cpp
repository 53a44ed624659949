// The install engine on the real system: programs started through the shell
// and by process creation, and version resources (the registry's answers are
// the contract suite's; the script library's call is the planted-library
// run's). Each test works in a folder
// of its own and removes it again.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/BonusConfig.h"
#include "install/Launcher.h"
#include "install/ScriptLibrary.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "tests/e2e/E2ESupport.h"

namespace {

// Paths, and the records the fixture programs write beside themselves.
using e2e::ScratchFolder;

bool SamePath(const std::string& a, const std::string& b) {
  auto norm = [](const std::string& p) {
    char buffer[1024] = "";
    const DWORD n = ::GetLongPathNameA(p.c_str(), buffer, sizeof buffer);
    std::string full = n == 0 || n >= sizeof buffer ? p : std::string(buffer, n);
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
  };
  return ::lstrcmpiA(norm(a).c_str(), norm(b).c_str()) == 0;
}

std::string Fixture(const std::string& name) { return e2e::ModuleDir() + "\\fixtures\\" + name; }

// The record a started fixture writes beside itself; waits for the program
// to write it (it runs on its own), giving up after a generous while.
std::vector<std::string> WaitForRecord(const std::string& program) {
  const std::string record = program + ".record.txt";
  if (!e2e::WaitUntil([&] { return e2e::FileExists(record); }, 60000)) return {};
  std::vector<std::string> lines;
  std::ifstream in(record);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class InstallWin32 : public ::testing::Test {
 protected:
  plat::Win32Platform platform;
  CBonusConfig config{platform};
  std::string startDir;
  std::vector<std::string> scripts;
  install::ScriptRunner noScripts = [this](const std::string& p) { scripts.push_back(p); };

  void SetUp() override { startDir = platform.CurrentDirectory(); }
  void TearDown() override { platform.SetCurrentDirectory(startDir); }

  static void Copy(const std::string& from, const std::string& to) {
    ASSERT_TRUE(::CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
  }
  // The fixture `program` ran in `folder`, with `argument` on its command
  // line when `given`.
  static void ExpectRan(const std::string& program, const std::string& folder, const char* argument,
                        bool given) {
    std::vector<std::string> record = WaitForRecord(program);
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record[0].find(argument) != std::string::npos, given) << record[0];
    EXPECT_TRUE(SamePath(record[1], folder)) << record[1];
    EXPECT_TRUE(SamePath(record[2], program)) << record[2];
  }
};

TEST_F(InstallWin32, InstallerIsOpenedByTheShellWithItsArgumentFromItsFolder) {
  ScratchFolder temp("install-open");
  const std::string folder = temp.Folder("Setup Files");
  const std::string setup = folder + "\\setup.exe";
  Copy(Fixture("fake_installer.exe"), setup);
  platform.SetCurrentDirectory(temp.Path());

  install::Command command =
      install::ResolveMacroCommand(config, "{ANY_DIR}\"" + setup + "\" , /s", [](const std::string& t) {
        std::string out = t;
        out.erase(out.find("{ANY_DIR}"), 9);
        return out;
      });
  EXPECT_EQ(command.program, setup);
  install::LaunchByExtension(config, command.program, command.argument, noScripts);
  EXPECT_TRUE(SamePath(platform.CurrentDirectory(), folder));

  ExpectRan(setup, folder, "/s", true);
  EXPECT_TRUE(scripts.empty());
}

TEST_F(InstallWin32, OneCharacterExtensionIsStartedByItsShortPathWithoutArgument) {
  ScratchFolder temp("install-process");
  const std::string folder = temp.Folder("Long Folder Name");
  const std::string program = folder + "\\Long Program Name.x";
  Copy(Fixture("fake_installer.exe"), program);
  ASSERT_FALSE(install::ShortPath(platform, program).empty());
  install::LaunchByExtension(config, program, "/ignored", noScripts);
  ExpectRan(program, folder, "/ignored", false);
}

TEST_F(InstallWin32, ProductVersionOfARealResourceIsReadAndCompared) {
  const std::string file = Fixture("versioned.exe");
  auto version = platform.FileProductVersion(file);
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(std::make_tuple(version->major, version->minor, version->build, version->revision),
            std::make_tuple(5, 0, 0, 0));
  EXPECT_FALSE(platform.FileProductVersion(Fixture("fake_installer.exe")).has_value());
}

}  // namespace
