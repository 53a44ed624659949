// Parts of the Win32 platform that have no counterpart in the fake: the
// command-line split, the call into a script library's entry, and answers
// of the shell that the fake leaves to each test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/CommandLine.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace {

using plat::win32::SplitCommandLineArguments;
using Args = std::vector<std::string>;

TEST(Win32CommandLine, SplitsLikeTheRunTimeLibrary) {
  struct Case {
    const char* line;
    Args arguments;
  };
  const Case cases[] = {
      {"prog.exe", {}},
      {"prog.exe   ", {}},
      {"prog.exe 0", {"0"}},
      {"prog.exe\t1", {"1"}},
      {"\"C:\\Program Files\\V\\VERavevi.exe\" 0", {"0"}},
      // The program name has no escapes: a backslash before its closing
      // quote does not protect that quote.
      {"\"C:\\dir\\\" x", {"x"}},
      {"prog.exe \"abc\" d e", {"abc", "d", "e"}},
      {"prog.exe a\\\\b d\"e f\"g h", {"a\\\\b", "de fg", "h"}},
      {"prog.exe a\\\\\\\"b c d", {"a\\\"b", "c", "d"}},
      {"prog.exe a\\\\\\\\\"b c\" d e", {"a\\\\b c", "d", "e"}},
      {"prog.exe \"\" x", {"", "x"}},
      {"prog.exe \"a b\"c", {"a bc"}},
      {"prog.exe \"unclosed quote", {"unclosed quote"}},
      {"prog.exe C:\\path\\ x", {"C:\\path\\", "x"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLineArguments(c.line), c.arguments) << c.line;
}

TEST(Win32CommandLine, ArgumentsOfThisProcessAreThoseTheRunTimeLibraryGaveIt) {
  plat::Win32Platform platform;
  const Args expected(__argv + 1, __argv + __argc);
  EXPECT_EQ(platform.CommandLineArguments(), expected) << ::GetCommandLineA();
}

// What the script library's entry was called with, as one line.
std::string g_install;

int WINAPI FakeInstall(void* first, const char* script, int third, int fourth) {
  g_install += (first == nullptr ? "null " : "pointer ") +
               std::string(script != nullptr ? script : "(null)") + " " + std::to_string(third) + " " +
               std::to_string(fourth) + ";";
  return 17;
}

TEST(Win32Library, CallScriptInstallPassesNullPathZeroZero) {
  plat::Win32Platform platform;
  const auto entry = reinterpret_cast<plat::ProcAddress>(&FakeInstall);
  EXPECT_EQ(platform.CallScriptInstall(entry, "C:\\disk\\inst\\setup.cfg"), 17);
  EXPECT_EQ(g_install, "null C:\\disk\\inst\\setup.cfg 0 0;");
}

TEST(Win32Library, EntriesAreFoundByUndecoratedName) {
  plat::Win32Platform platform;
  const plat::ModuleHandle kernel = platform.LoadLibrary("KERNEL32.DLL");
  ASSERT_NE(kernel, 0u);
  EXPECT_NE(platform.GetProcAddress(kernel, "GetDiskFreeSpaceExA"), 0u);
  EXPECT_EQ(platform.GetProcAddress(kernel, "VelmoraNoSuchEntry"), 0u);
  platform.FreeLibrary(kernel);
}

// A missing file is a failure code of ShellExecute (above 0, at most 32); a
// program icon the program does not have is none; a program with icons
// gives its first.
TEST(Win32Shell, FailuresAndIcons) {
  plat::Win32Platform platform;
  const auto result = platform.ShellExecute(0, "open", "C:\\VelmoraNoSuchFolder\\setup.exe", "", "", 1);
  EXPECT_LE(result, 32);
  EXPECT_GT(result, 0);
  EXPECT_EQ(platform.LoadProgramIcon(32001), 0u);
  const std::string notepad = platform.WindowsDirectory() + "\\notepad.exe";
  if (!platform.GetFileAttributes(notepad)) GTEST_SKIP() << notepad << " is not there";
  const plat::IconHandle icon = platform.ExtractIcon(notepad, 0);
  EXPECT_NE(icon, 0u);
  ::DestroyIcon(reinterpret_cast<HICON>(icon));
}

}  // namespace
