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
#include <string>

#include "E2ESupport.h"

namespace {

using e2e::Process;

constexpr const char* kTitle = "Velmora Start-up E2E";

// Calls `each` with the id of every process of the file `fileName`; false
// when the processes cannot be listed.
template <typename Each>
bool ForEachProcess(const char* fileName, Each each) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
    const char* slash = std::strrchr(entry.szExeFile, '\\');
    if (::lstrcmpiA(slash != nullptr ? slash + 1 : entry.szExeFile, fileName) == 0) each(entry.th32ProcessID);
  }
  ::CloseHandle(snapshot);
  return true;
}

bool ProcessRunning(const char* fileName) {
  bool found = false;
  return !ForEachProcess(fileName, [&](DWORD) { found = true; }) || found;  // cannot tell: say yes
}

void EndProcesses(const char* fileName) {
  ForEachProcess(fileName, [](DWORD id) {
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      ::TerminateProcess(process, 99);
      ::WaitForSingleObject(process, e2e::kGuardMs);
      ::CloseHandle(process);
    }
  });
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

// The first-time run never waits for its program: one that never ends holds
// up neither the main dialog nor closing it.
TEST(StartupE2E, ARun1ProgramThatNeverEndsHoldsUpNothing) {
  constexpr const char* kStaying = "StayRun.exe";
  e2e::ScratchFolder folder("startup-e2e");
  e2e::StartupFolder startup("VERavevi.lnk");
  const std::string program = folder.In("VERavevi.exe");
  ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(VERAVEVI_EXE).c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(APPEND_RUN_EXE).c_str(), folder.In(kStaying).c_str(), FALSE));
  ASSERT_TRUE(e2e::WriteText(folder.In("VERavevi.rtf"), "{\\rtf1 }"));
  ASSERT_TRUE(e2e::WriteText(folder.In("VERavevi.cfg"), std::string("[TuneUp]\r\nWindowTitle=") + kTitle +
                                                            "\r\nRun1=" + kStaying + ",0\r\n"));

  Process process(program, "", folder.Path());
  ASSERT_TRUE(process.Started());
  const HWND dialog = e2e::WaitForWindow("#32770", kTitle, [](HWND) { return true; });
  EXPECT_NE(dialog, nullptr);
  EXPECT_TRUE(ProcessRunning(kStaying));
  if (dialog != nullptr) ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process.WaitForExit());
  EXPECT_EQ(process.ExitCode(), 0u);
  EXPECT_TRUE(ProcessRunning(kStaying));
  EndProcesses(kStaying);
  EXPECT_EQ(e2e::ReadText(folder.In("runs.txt")), "run\r\n");  // it ran once
}

}  // namespace
