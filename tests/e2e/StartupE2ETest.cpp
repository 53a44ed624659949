// Start-up across real processes: a copy of VERavevi.exe in a scratch folder
// that carries the program's own description marker, so that the folder is
// also the data folder and no registry value is needed. Which mode a start
// takes and what a live tray-only process suppresses are the native start-up
// tests' (the named mutexes they rest on are the contract suite's); here: the
// manifest, and a first-time program that never ends.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "E2ESupport.h"

namespace {

using e2e::Process;
using e2e::WaitUntil;

constexpr const char* kTitle = "Velmora Start-up E2E";
constexpr const char* kFirstTimeProgram = "AppendRun.exe";

bool ProcessRunning(const char* fileName) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: keep waiting
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = ::Process32First(snapshot, &entry); more && !found;
       more = ::Process32Next(snapshot, &entry)) {
    const char* slash = std::strrchr(entry.szExeFile, '\\');
    found = ::lstrcmpiA(slash != nullptr ? slash + 1 : entry.szExeFile, fileName) == 0;
  }
  ::CloseHandle(snapshot);
  return found;
}

void EndProcesses(const char* fileName) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
    const char* slash = std::strrchr(entry.szExeFile, '\\');
    if (::lstrcmpiA(slash != nullptr ? slash + 1 : entry.szExeFile, fileName) != 0) continue;
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      ::TerminateProcess(process, 99);
      ::WaitForSingleObject(process, e2e::kGuardMs);
      ::CloseHandle(process);
    }
  }
  ::CloseHandle(snapshot);
}

// The manifest Windows reads before the program starts: the user's own rights
// (no consent prompt, and a StartUp entry that runs at logon), Windows 10 and
// 11 among the supported systems, and a DPI choice.
TEST(Manifest, AsksForNoElevationAndKnowsWindows10) {
  for (const char* file : {VERAVEVI_EXE, CAPSULE_CHECK_EXE}) {
    SCOPED_TRACE(file);
    HMODULE module = ::LoadLibraryExA(e2e::WindowsPath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    const void* data = found != nullptr ? ::LockResource(::LoadResource(module, found)) : nullptr;
    const std::string manifest =
        data != nullptr ? std::string(static_cast<const char*>(data), ::SizeofResource(module, found)) : "";
    ::FreeLibrary(module);
    EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"),
              std::string::npos);
    EXPECT_NE(manifest.find(R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)"),
              std::string::npos);
  }
}

class StartupE2E : public ::testing::Test {
 protected:
  e2e::ScratchFolder folder_{"startup-e2e"};
  const std::string program_ = folder_.In("VERavevi.exe");

  void SetUp() override {
    ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(
        ::CopyFileA(e2e::WindowsPath(APPEND_RUN_EXE).c_str(), folder_.In(kFirstTimeProgram).c_str(), FALSE));
    ASSERT_TRUE(e2e::WriteText(folder_.In("VERavevi.rtf"), "{\\rtf1 }"));
    UseRun1(kFirstTimeProgram);
  }
  void UseRun1(const std::string& program) {
    ASSERT_TRUE(e2e::WriteText(folder_.In("VERavevi.cfg"), std::string("[TuneUp]\r\nWindowTitle=") + kTitle +
                                                               "\r\nRun1=" + program + ",0\r\n"));
  }
  void TearDown() override {
    WaitUntil([] { return !ProcessRunning(kFirstTimeProgram); });
  }

  std::unique_ptr<Process> Start(const std::string& parameter) {
    auto process = std::make_unique<Process>(program_, parameter, folder_.Path());
    EXPECT_TRUE(process->Started()) << parameter;
    return process;
  }

  // How often the first-time program has run, once no copy of it is left
  // running.
  int FirstTimeRuns() {
    EXPECT_TRUE(WaitUntil([] { return !ProcessRunning(kFirstTimeProgram); }));
    const std::string runs = e2e::ReadText(folder_.In("runs.txt"));
    int count = 0;
    for (std::size_t at = runs.find("run"); at != std::string::npos; at = runs.find("run", at + 1)) ++count;
    return count;
  }
};

// The first-time run never waits for its program: one that never ends holds
// up neither the main dialog nor closing it.
TEST_F(StartupE2E, ARun1ProgramThatNeverEndsHoldsUpNothing) {
  constexpr const char* kStaying = "StayRun.exe";
  e2e::StartupFolder startup("VERavevi.lnk");
  ASSERT_TRUE(::CopyFileA(folder_.In(kFirstTimeProgram).c_str(), folder_.In(kStaying).c_str(), FALSE));
  UseRun1(kStaying);

  auto process = Start("");
  const HWND dialog = e2e::WaitForWindow("#32770", kTitle, [](HWND) { return true; });
  EXPECT_NE(dialog, nullptr);
  EXPECT_TRUE(ProcessRunning(kStaying));
  if (dialog != nullptr) ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process->WaitForExit());
  EXPECT_EQ(process->ExitCode(), 0u);
  EXPECT_TRUE(ProcessRunning(kStaying));
  EndProcesses(kStaying);
  EXPECT_EQ(FirstTimeRuns(), 1);
}

}  // namespace
