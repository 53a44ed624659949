// Timer 200 of the real main dialog: the Run2 program starts once the dialog
// has appeared, and only once per process. The marker mutex lives as long as
// the process, so the dialog runs in a child process of its own: a second
// copy of this test program that runs only the disabled child test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/win32/BonusDlgWin32.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/InstallWin32Helpers.h"
#include "tests/win32/TrayWin32Support.h"

namespace {

using namespace installtest;

constexpr const char* kRun2Marker = "AfterMainDialogFirstTimeRunning";
constexpr UINT_PTR kWatchPeriodMs = 50;

// While a dialog runs: closes the window titled g_caption once g_done()
// says so, or after g_limit ticks at the latest.
std::string g_caption;
bool (*g_done)(int ticks) = nullptr;
int g_ticks = 0;
int g_limit = 0;

void CALLBACK Watch(HWND, UINT, UINT_PTR timer, DWORD) {
  ++g_ticks;
  if (!g_done(g_ticks) && g_ticks < g_limit) return;
  HWND dialog = ::FindWindowA(nullptr, g_caption.c_str());
  if (dialog == nullptr) return;
  ::KillTimer(nullptr, timer);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

std::string g_record;
bool RecordWritten(int) { return ::GetFileAttributesA(g_record.c_str()) != INVALID_FILE_ATTRIBUTES; }
// Leaves the dialog open for a second, well past timer 200's first firing.
bool OneSecondPassed(int ticks) { return ticks * kWatchPeriodMs >= 1000; }

INT_PTR ShowDialog(plat::Platform& platform, bool (*done)(int)) {
  g_done = done;
  g_ticks = 0;
  g_limit = static_cast<int>(60000 / kWatchPeriodMs);
  UINT_PTR watch = ::SetTimer(nullptr, 0, kWatchPeriodMs, Watch);
  browser::CBonusDlgWin32 dialog(platform, nullptr);
  INT_PTR result = dialog.DoModal();
  ::KillTimer(nullptr, watch);
  return result;
}

TEST(DialogTimerWin32Child, DISABLED_Run2StartsOnceAfterTheDialogShows) {
  static const HMODULE richEdit = ::LoadLibraryA("riched20.dll");
  ASSERT_NE(richEdit, nullptr);
  HANDLE before = ::OpenMutexA(SYNCHRONIZE, FALSE, kRun2Marker);
  ASSERT_EQ(before, nullptr) << "the marker exists before the dialog shows";

  ScratchFolder run2("run2", e2e::ModuleDir());
  const std::string program = run2.Path() + "\\after.exe";
  ASSERT_TRUE(::CopyFileA(Fixture("fake_installer.exe").c_str(), program.c_str(), FALSE));
  g_record = program + ".record.txt";
  g_caption = "Velmora Timer Test " + std::to_string(::GetCurrentProcessId());

  // The program's description file beside it makes its own folder the data
  // folder; the main configuration names the Run2 program relative to it.
  traywin32::ScratchFiles files;
  ASSERT_TRUE(files.Configuration("WindowTitle=" + g_caption +
                                  "\r\nRun2=" + run2.Path().substr(e2e::ModuleDir().size() + 1) +
                                  "\\after.exe,0\r\n[Packages]\r\n"));

  plat::Win32Platform platform;
  EXPECT_EQ(ShowDialog(platform, RecordWritten), 0);
  std::vector<std::string> record = WaitForRecord(program);
  ASSERT_EQ(record.size(), 3u);
  EXPECT_TRUE(SamePath(record[2], program)) << record[2];
  HANDLE marker = ::OpenMutexA(SYNCHRONIZE, FALSE, kRun2Marker);
  EXPECT_NE(marker, nullptr);
  if (marker != nullptr) ::CloseHandle(marker);

  // A second showing in the same process finds the marker and starts nothing.
  ::DeleteFileA(g_record.c_str());
  EXPECT_EQ(ShowDialog(platform, OneSecondPassed), 0);
  ::Sleep(1000);
  EXPECT_FALSE(RecordWritten(0));
}

TEST(DialogTimerWin32, Run2StartsOnceAfterTheDialogShows) {
  e2e::Process child(
      e2e::ModulePath(),
      "--gtest_filter=DialogTimerWin32Child.* --gtest_also_run_disabled_tests --gtest_brief=1");
  ASSERT_TRUE(child.Started());
  EXPECT_TRUE(child.WaitForExit(180000));
  EXPECT_EQ(child.ExitCode(), 0u) << "the child test failed; its output is above";
}

}  // namespace
